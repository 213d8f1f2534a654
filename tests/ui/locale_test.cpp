#include "ui/form1.h"
#include "ui/system_locale.h"
#include "qt_printing.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace kurvix::ui {
namespace {

// Run by ctest once under LANG=de_DE.UTF-8 and once under LANG=C.
QString expectedSeparator() { return qgetenv("LANG").startsWith("de") ? "," : "."; }

TEST(SystemLocale, SetsTheDecimalSeparatorFromTheEnvironment)
{
    EXPECT_EQ(QString::fromStdString(systemNumberLocale().decimalSeparator), expectedSeparator());
}

TEST(SystemLocale, ProgressIsWrittenWithTheUsersSeparator)
{
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QStringList seen;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] { seen << form.lblinfo->caption(); });
    watcher.start();
    QTest::mouseClick(form.Command1, Qt::LeftButton);

    const QString sep = QRegularExpression::escape(expectedSeparator());
    const QRegularExpression progress("^Berechnung: \\d+(" + sep + "\\d+)?%$");
    int fractional = 0;
    for (const QString& caption : seen) {
        ASSERT_TRUE(progress.match(caption).hasMatch()) << caption.toStdString();
        fractional += caption.contains(expectedSeparator()) ? 1 : 0;
    }
    EXPECT_GT(fractional, 1000);
    EXPECT_EQ(form.lblinfo->text(), "Fertig...");
}

} // namespace
} // namespace kurvix::ui
