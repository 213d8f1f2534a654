#include "command_line.h"
#include "plot_window.h"
#include "termination.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <csignal>
#include <cstdio>
#include <cstdlib>
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
    const bool refused = line.action == CommandLine::Action::Refuse;
    std::fprintf(refused ? stderr : stdout, "%s", line.text.toLocal8Bit().constData());
    return refused ? 1 : 0;
}

// Qt's messages while it connects to the display are held back, so that a
// failure to connect ends in two lines and status 1 instead of an abort.
QStringList& heldMessages()
{
    static QStringList held;
    return held;
}

void holdMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtFatalMsg) {
        heldMessages() << text;
        return;
    }
    const bool german = QLocale::system().language() == QLocale::German;
    std::fprintf(stderr, "%s\n%s\n", qPrintable(heldMessages().value(0, text)),
                 german ? "kurvix: keine grafische Anzeige erreichbar (DISPLAY oder WAYLAND_DISPLAY)"
                        : "kurvix: cannot connect to a graphical display (DISPLAY or WAYLAND_DISPLAY)");
    std::fflush(stderr);
    std::_Exit(1);
}

void showHeldMessages()
{
    for (const QString& text : std::exchange(heldMessages(), {}))
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

int main(int argc, char* argv[])
{
    kurvix::ui::catchTermination();
    if (const int status = answerCommandLine(argc, argv); status >= 0)
        return status;
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
