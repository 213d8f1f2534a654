#include "form1_fixture.h"

#include <QLineEdit>
#include <QMetaObject>

namespace kurvix::ui {
namespace {

using testing::example;
using testing::Form1Test;

enum class Target { Field, Combo };

struct HostileRow {
    const char* name;
    Target target;
    int field; // 1 .. 10 for Target::Field
    QString text;
};

void PrintTo(const HostileRow& row, std::ostream* os) { *os << row.name; }

class HostileInput : public Form1Test, public ::testing::WithParamInterface<HostileRow> {};

// Whatever is typed, the run ends with "Fertig..." or the message box, and
// the text stays exactly as typed.
TEST_P(HostileInput, RunEndsAndTextIsKept)
{
    const auto& row = GetParam();
    QLineEdit* edit =
        row.target == Target::Combo ? form.Combo1->lineEdit() : form.Text[static_cast<std::size_t>(row.field - 1)];
    edit->setText(row.text);
    int boxes = 0;
    testing::dismissMessageBoxes(*this, boxes);
    press();

    EXPECT_EQ(form.runDepth(), 0);
    EXPECT_TRUE(form.lblinfo->text() == "Fertig..." || boxes == 1) << form.lblinfo->text().toStdString();
    EXPECT_LE(boxes, 1);
    EXPECT_TRUE(edit->text() == row.text) << "text changed";
}

QString repeated(const char* piece, int times) { return QString::fromUtf8(piece).repeated(times); }

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileInput,
    ::testing::Values(HostileRow{"MillionDigitNumerator", Target::Field, 1, "1" + repeated("0", 999'999)},
                      HostileRow{"MillionZerosThenFour", Target::Field, 2, repeated("0", 999'999) + "4"},
                      HostileRow{"MillionLetters", Target::Field, 10, repeated("x", 1'000'000)},
                      HostileRow{"Nul", Target::Field, 1, QString::fromUtf8("1\0", 2)},
                      HostileRow{"ControlCharacters", Target::Field, 4, QString::fromUtf8("\t\r\n\x01\x1b\x7f")},
                      HostileRow{"RightToLeft", Target::Field, 7, QString::fromUtf8("\u202e2\u202c")},
                      HostileRow{"Hebrew", Target::Field, 10, QString::fromUtf8("שלום")},
                      HostileRow{"Emoji", Target::Field, 1, QString::fromUtf8("1😀")},
                      HostileRow{"LargestDouble", Target::Field, 1, "1e308"},
                      HostileRow{"MostNegativeDouble", Target::Field, 4, "-1e308"},
                      HostileRow{"Underflow", Target::Field, 1, "1e-400"}, HostileRow{"NaN", Target::Field, 3, "NaN"},
                      HostileRow{"Inf", Target::Field, 5, "Inf"},
                      HostileRow{"InfinitySign", Target::Field, 10, QString::fromUtf8("∞")},
                      HostileRow{"TwoSeparators", Target::Field, 6, "1,5,5"},
                      HostileRow{"ArabicIndicDigit", Target::Field, 9, QString::fromUtf8("٣")},
                      HostileRow{"ExponentThousand", Target::Field, 3, "1000"},
                      HostileRow{"ExponentMinusThousand", Target::Field, 6, "-1000"},
                      HostileRow{"LongComboText", Target::Combo, 0, repeated("cm", 50'000)},
                      HostileRow{"ComboControlCharacters", Target::Combo, 0, QString::fromUtf8("cm\0", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

// Clicks "Berechnen" from inside the innermost run's yield, one level deeper
// each time, until `more` says stop. A timer does not fire inside its own
// handler, so each level arms a fresh one.
void clickDeeper(Form1& form, const std::function<bool()>& more)
{
    if (!more())
        return;
    QTimer::singleShot(0, &form, [&form, more] { clickDeeper(form, more); });
    QTest::mouseClick(form.Command1, Qt::LeftButton);
}

TEST_F(Form1Test, TwoHundredClicksDuringRunsNestTwoHundredDeep)
{
    constexpr int kClicks = 200;
    int clicks = 0;
    int finished = 0;
    int deepest = 0;
    QObject::connect(form.Command1, &QPushButton::clicked, &form, [&] { ++finished; });
    clickDeeper(form, [&] {
        deepest = std::max(deepest, form.runDepth());
        return clicks++ <= kClicks;
    });
    EXPECT_EQ(deepest, kClicks + 1);
    EXPECT_EQ(finished, kClicks + 1);
    EXPECT_EQ(form.runDepth(), 0);
    EXPECT_EQ(form.lblinfo->text(), "Fertig...");
    EXPECT_TRUE(inkNear(curvePixel(1.0, example(1.0)), form.Picture1->foreground().rgb()));
}

TEST_F(Form1Test, TwoHundredQueuedClicksAllRunAndTheWindowStaysResponsive)
{
    constexpr int kClicks = 200;
    for (int i = 0; i < kClicks; ++i)
        QMetaObject::invokeMethod(form.Command1, &QPushButton::click, Qt::QueuedConnection);
    int finished = 0;
    int ticks = 0;
    QObject::connect(form.Command1, &QPushButton::clicked, &form, [&] { ++finished; });
    duringRun([&] { ++ticks; });
    press();
    QCoreApplication::processEvents(); // clicks not taken up by a run's yield
    EXPECT_EQ(finished, kClicks + 1);
    EXPECT_GT(ticks, kClicks * 1000); // events were handled all along
    EXPECT_EQ(form.runDepth(), 0);
    EXPECT_EQ(form.lblinfo->text(), "Fertig...");
}

TEST_F(Form1Test, ClosingDuringANestedRunEndsEveryRun)
{
    clickDeeper(form, [&] {
        if (form.runDepth() < 4)
            return true;
        form.close();
        return false;
    });
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.runDepth(), 0);
    EXPECT_NE(form.lblinfo->caption(), "Fertig...");
    // A click that arrives after closing starts nothing.
    form.Command1->click();
    EXPECT_EQ(form.runDepth(), 0);
    EXPECT_NE(form.lblinfo->caption(), "Fertig...");
}

TEST_F(Form1Test, ClosingDuringTheLastSampleEndsTheRun)
{
    bool closed = false;
    duringRun([&] {
        if (!closed && form.lblinfo->caption() == "Berechnung: 100%") {
            closed = true;
            form.close();
        }
    });
    press();
    ASSERT_TRUE(closed);
    EXPECT_EQ(form.lblinfo->caption(), "Berechnung: 100%");
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Form1Test, TypingDuringARunChangesTheCurveFromTheNextSample)
{
    bool typed = false;
    duringRun([&] {
        if (!typed && form.lblinfo->caption() == "Berechnung: 50%") {
            typed = true;
            form.Text[9]->selectAll();
            QTest::keyClicks(form.Text[9], "1");
        }
    });
    press();
    ASSERT_TRUE(typed);
    EXPECT_EQ(form.Text[9]->text(), "1");
    const QRgb ink = form.Picture1->foreground().rgb();
    for (const double x : {-2.0, -1.0, -0.5}) {
        EXPECT_TRUE(inkNear(curvePixel(x, example(x)), ink)) << "x=" << x;
        EXPECT_FALSE(inkNear(curvePixel(x, example(x) + 1), ink)) << "x=" << x;
    }
    for (const double x : {0.5, 1.0, 2.0}) {
        EXPECT_TRUE(inkNear(curvePixel(x, example(x) + 1), ink)) << "x=" << x;
        EXPECT_FALSE(inkNear(curvePixel(x, example(x)), ink)) << "x=" << x;
    }
}

} // namespace
} // namespace kurvix::ui
