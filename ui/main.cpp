#include "form1.h"
#include "termination.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <csignal>

int main(int argc, char* argv[])
{
    // A file that outgrows the user's size limit fails its write instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kurvomat"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
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
