#include "form1.h"
#include "termination.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kurvomat"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.velmora.kurvix"));

    kurvix::ui::Form1 form;
    kurvix::ui::closeOnTermination(form);
    form.show();
    return QApplication::exec();
}
