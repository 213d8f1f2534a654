#include "ui/command_line.h"
#include "ui/plot_window.h"
#include "ui/termination.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// --help, --version and arguments Kurvix does not take are answered before
// anything needs a display. Returns the exit status, or -1 to open the window.
int answerCommandLine(int argc, char* argv[])
{
    using kurvix::ui::CommandLine;
    const bool german = QLocale::system().language() == QLocale::German;
    const CommandLine line =
        kurvix::ui::readCommandLine(argumentsOf(argc, argv), QStringLiteral(KURVIX_VERSION), german);
    if (line.action == CommandLine::Action::OpenWindow)
        return -1;
    return kurvix::ui::answer(line, stdout, stderr, german);
}

// Qt's messages while it connects to the display are held back, so that a
// failure to connect ends in two lines and status 1 instead of an abort.
struct HeldMessages {
    QStringList texts;
    QString platform; // the first of Qt's platform messages: what went wrong
    bool platformMissing = false;
};

HeldMessages& heldMessages()
{
    static HeldMessages held;
    return held;
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    HeldMessages& held = heldMessages();
    if (type != QtFatalMsg) {
        held.texts << text;
        if (context.category && std::strncmp(context.category, "qt.qpa.", 7) == 0 && held.platform.isEmpty())
            held.platform = text;
        // Qt's own words, the same in every Qt 6: other plugin messages come with a platform it has.
        held.platformMissing |= text.startsWith(QLatin1String("Could not find the Qt platform plugin"));
        return;
    }
    const bool german = QLocale::system().language() == QLocale::German;
    std::fprintf(stderr, "%s\n%s\n", qPrintable(held.platform.isEmpty() ? text : held.platform),
                 qPrintable(kurvix::ui::cannotStart(held.platformMissing, german)));
    std::fflush(stderr);
    std::_Exit(1);
}

void showHeldMessages()
{
    for (const QString& text : std::exchange(heldMessages().texts, {}))
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

int main(int argc, char* argv[])
{
    // Before anything opens a descriptor, which could take the place of a closed standard output.
    if (const int status = answerCommandLine(argc, argv); status >= 0)
        return status;
    kurvix::ui::catchTermination();
    // A file that outgrows the user's size limit fails its write instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    const QtMessageHandler qtMessages = qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtMessages);
    showHeldMessages();
    QCoreApplication::setApplicationName(QStringLiteral("Kurvomat"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KURVIX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.velmora.kurvix"));
    QTranslator qtTexts; // the file and print dialogs in the user's language
    if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    kurvix::ui::PlotWindow window;
    kurvix::ui::closeOnTermination(window);
    window.show();
    return QApplication::exec();
}
