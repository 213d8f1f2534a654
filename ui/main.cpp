#include "command_line.h"
#include "form1.h"
#include "termination.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <csignal>
#include <cstdio>

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

} // namespace

int main(int argc, char* argv[])
{
    if (const int status = answerCommandLine(argc, argv); status >= 0)
        return status;
    // A file that outgrows the user's size limit fails its write instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kurvomat"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KURVIX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.velmora.kurvix"));
    QTranslator qtTexts; // the file and print dialogs in the user's language
    if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    kurvix::ui::Form1 form;
    kurvix::ui::closeOnTermination(form);
    form.show();
    return QApplication::exec();
}
