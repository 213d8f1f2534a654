#include "plot_window.h"
#include "system_locale.h"
#include "termination.h"
#include "unit_scale.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <functional>
#include <limits>

namespace kurvix::ui {
namespace {

double example(double x) { return 0.25 * std::pow(x, 4) - 2 * x * x + 2; }

class PlotWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    void press() { QTest::mouseClick(form.plotButton, Qt::LeftButton); }

    // Whether a pixel within one logical pixel of where (x, y) lands has the
    // colour; the unit is the one set, y grows upward from the centre.
    [[nodiscard]] bool inkAt(double x, double y, QRgb colour = qRgb(0, 0, 0))
    {
        PlottingAreaWidget& area = *form.area;
        const double ppu = UnitScale::of(area).pixelsPerUnitX(area.unit());
        const int dpr = static_cast<int>(std::ceil(area.image().devicePixelRatio()));
        const QPoint at(static_cast<int>(std::floor(x * ppu + area.width() / 2.0)),
                        static_cast<int>(std::floor(area.height() / 2.0 - y * ppu)));
        for (int dy = -dpr; dy <= dpr; ++dy)
            for (int dx = -dpr; dx <= dpr; ++dx) {
                const QPoint p = at * dpr + QPoint(dx, dy);
                if (area.image().rect().contains(p) && area.image().pixel(p) == colour)
                    return true;
            }
        return false;
    }

    PlotWindow form;
};

TEST_F(PlotWindowTest, StartsLaidOutInTwipsWithFocusOnTheArea)
{
    EXPECT_EQ(form.unitBox->currentIndex(), -1);
    EXPECT_EQ(form.fields[9]->maxLength(), std::numeric_limits<int>::max());
    EXPECT_EQ(form.focusWidget(), form.area);

    const UnitScale s = UnitScale::of(form);
    const auto twips = [&](int l, int t, int w, int h) {
        return QRect(s.twipsToPixelsX(l), s.twipsToPixelsY(t), s.twipsToPixelsX(w), s.twipsToPixelsY(h));
    };
    EXPECT_EQ(form.rect(), twips(0, 0, 8205, 8010));
    EXPECT_EQ(form.area->geometry(), twips(120, 120, 7920, 6000));
    EXPECT_TRUE(form.unitBox->isAncestorOf(form.childAt(form.unitBox->geometry().center()))); // in front of the area

    std::vector<QWidget*> tabOrder{form.plotButton};
    tabOrder.insert(tabOrder.end(), form.fields.begin(), form.fields.end());
    tabOrder.insert(tabOrder.end(), {form.unitBox, form.area});
    for (QWidget* next : tabOrder) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }

    QTest::keyClick(form.unitBox->lineEdit(), Qt::Key_Return); // a typed unit is not added to the list
    EXPECT_EQ(form.unitBox->count(), 3);
}

// Also run under LANG=C and at twice the pixel density.
TEST_F(PlotWindowTest, PressPlotsTheExampleWithItsCrossAndProgressInTheLocale)
{
    PlottingArea& surface = *form.area; // points however far away draw nothing
    for (const float v : {1e30F, -1e30F, std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_TRUE(surface.setPoint({v, 1}).ok() && surface.setPoint({1, v}).ok() &&
                    surface.drawLine({v, v}, {-v, 2}, {12}).ok());
        EXPECT_TRUE(surface.setTextX(v).ok() && surface.writeNumber(7).ok());
    }
    QImage blank = form.area->image();
    blank.fill(form.area->background());
    EXPECT_EQ(form.area->image(), blank);

    // The progress is written with this separator; the end-to-end test reads it.
    EXPECT_EQ(systemNumberLocale().decimalSeparator, qgetenv("LANG").startsWith("de") ? "," : ".");
    press();
    EXPECT_EQ(form.statusLine->text().toStdString(), "Fertig...");
    EXPECT_EQ(form.area->image().size(), form.area->size() * form.area->devicePixelRatio());
    const QRgb axis = qRgb(12, 0, 0);
    EXPECT_TRUE(inkAt(-6.5, 0, axis) && inkAt(6.5, 0, axis) && inkAt(0, -5, axis) && inkAt(0, 5, axis));
    for (const double x : {-2.9, -2.0, -1.0, -0.5, 0.0, 0.7, 1.5, 2.0, 2.8})
        EXPECT_TRUE(inkAt(x, example(x))) << "x=" << x;
    EXPECT_FALSE(inkAt(1.5, example(1.5) + 1.5));

    // What leaves the window is painted from the same list as what was drawn during the run.
    const QImage& shown = form.area->image();
    QImage fromList(shown.size(), QImage::Format_RGB32);
    fromList.setDevicePixelRatio(shown.devicePixelRatio());
    fromList.fill(form.area->background());
    QPainter painter(&fromList);
    form.area->drawing().paint(painter);
    painter.end();
    EXPECT_EQ(fromList, shown);

    for (const char* unit : {"mm", "Zoll"}) {
        form.unitBox->setEditText(unit);
        press();
        EXPECT_TRUE(inkAt(0, 2) && !inkAt(0, 1)) << unit;
    }
}

// Each click from inside the innermost run's yield nests one run deeper, as far as runs nest.
TEST_F(PlotWindowTest, ClosingNestedRunsEndsThemAllAndLaterClicksStartNone)
{
    std::function<void()> clickDeeper = [&] {
        if (form.runDepth() == 8 && form.close())
            return;
        QTimer::singleShot(0, &form, clickDeeper);
        form.plotButton->click();
    };
    clickDeeper();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.runDepth(), 0);
    form.plotButton->click();
    EXPECT_EQ(form.runDepth(), 0);
    EXPECT_NE(form.statusLine->status().toStdString(), "Fertig...");
}

// Presses as a window system delivers them: one posted at each pass through the event
// loop, so each reaches the window where the running run yields.
class PressFlood : public QObject {
public:
    PressFlood(PlotWindow& form, int presses) : form_(form), left_(presses) { startTimer(0); }
    int deepest = 0;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        deepest = std::max(deepest, form_.runDepth());
        if (left_-- <= 0) {
            killTimer(event->timerId());
            return;
        }
        const QPoint centre = form_.plotButton->rect().center();
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(form_.plotButton,
                                        new QMouseEvent(type, centre, form_.plotButton->mapToGlobal(centre),
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    }

private:
    PlotWindow& form_;
    int left_;
};

TEST_F(PlotWindowTest, AFloodOfPressesNestsEightDeepAndEndsWithTheWholeCurve)
{
    PressFlood flood(form, 300);
    QTRY_VERIFY_WITH_TIMEOUT(flood.deepest > 0 && form.runDepth() == 0, 60000);
    EXPECT_EQ(flood.deepest, 8);
    EXPECT_EQ(form.statusLine->status().toStdString(), "Fertig...");
    for (const double x : {-2.9, -1.0, 0.0, 1.5, 2.8})
        EXPECT_TRUE(inkAt(x, example(x))) << "x=" << x;
}

// Runs interrupted by one that ends with the message box end too, without drawing.
TEST_F(PlotWindowTest, NothingIsDrawnAfterTheNoFunctionBox)
{
    int pointsAtTheBox = -1;
    QTimer answer; // OK on the message box as soon as it shows
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            pointsAtTheBox = form.area->pointsSet();
            box->close();
        }
    });
    answer.start(1);
    std::function<void()> clickDeeper = [&] {
        if (form.runDepth() == 3)
            form.fields[0]->clear();
        else
            QTimer::singleShot(0, &form, clickDeeper);
        form.plotButton->click();
    };
    clickDeeper();
    EXPECT_EQ(form.runDepth(), 0);
    EXPECT_EQ(form.area->pointsSet(), pointsAtTheBox);
    EXPECT_EQ(form.statusLine->status().toStdString(), "Nichts gezeichnet: keine Funktionsgleichung");
}

struct MarkCase {
    const char* name;
    int field;
    const char* text;
    const char* tooltip;
    const char* status; // after a press
};

class Marking : public PlotWindowTest, public ::testing::WithParamInterface<MarkCase> {};

// A field the plot cannot read is marked when left and after a run, and unmarked as soon as it reads.
TEST_P(Marking, SaysWhichFieldCannotBeReadAndWhy)
{
    const auto& c = GetParam();
    QTimer answer; // OK on the message box as soon as it shows
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    answer.start(1);
    TermField& field = *form.fields[static_cast<std::size_t>(c.field - 1)];
    const QString description = field.accessibleDescription();
    field.setText(QString::fromUtf8(c.text));
    Q_EMIT field.editingFinished();
    EXPECT_EQ(field.toolTip().toStdString(), c.tooltip);
    const QString problem = field.toolTip().section(QStringLiteral(": "), 1);
    EXPECT_EQ(field.accessibleDescription(),
              problem.isEmpty() ? description : description + QStringLiteral(". Nicht lesbar: ") + problem);
    field.setText(QStringLiteral("3")); // readable again: the mark goes without a run
    EXPECT_EQ(field.accessibleDescription(), description);
    field.setText(QString::fromUtf8(c.text)); // typed, not yet left: marked by the run
    press();
    EXPECT_EQ(form.statusLine->status().toStdString(), c.status);
    EXPECT_EQ(field.toolTip().toStdString(), c.tooltip);
}

const MarkCase kMarks[] = {
    {"Readable", 2, "3", "Term 1, Nenner", "Fertig..."},
    {"Empty", 5, " ", "Term 2, Nenner: leer", "Fertig... Nicht lesbar: Term 2, Nenner (leer)"},
    {"NotANumber", 10, "abc", "Konstante: keine Zahl", "Fertig... Nicht lesbar: Konstante (keine Zahl)"},
    {"BeyondTheCurrencyRange", 10, "1e15", "Konstante: zu groß", "Fertig... Nicht lesbar: Konstante (zu groß)"},
    {"BeyondTheDoubleRange", 6, "1e309", "Term 2, Exponent: zu groß",
     "Fertig... Nicht lesbar: Term 2, Exponent (zu groß)"},
    {"ZeroDenominator", 8, "0", "Term 3, Nenner: Nenner ist 0",
     "Fertig... Nicht lesbar: Term 3, Nenner (Nenner ist 0)"},
    {"FirstTermGivesTheBox", 1, "x", "Term 1, Zähler: keine Zahl", "Nichts gezeichnet: keine Funktionsgleichung"},
};
INSTANTIATE_TEST_SUITE_P(Rows, Marking, ::testing::ValuesIn(kMarks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Termination, FirstRequestClosesTheWindowKeepsErrnoAndLeavesTheNextToTheSystem)
{
    catchTermination();
    QWidget window;
    window.show();
    closeOnTermination(window);
    errno = EDOM;
    std::raise(SIGTERM);
    EXPECT_EQ(errno, EDOM);
    struct sigaction now = {};
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
    QTRY_VERIFY(!window.isVisible());
}

} // namespace
} // namespace kurvix::ui

// Widget tests run without a screen unless a platform is chosen explicitly.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
