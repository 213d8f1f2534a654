#include "form1_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <limits>

namespace kurvix::ui {
namespace {

using testing::example;
using testing::Form1Test;
using testing::kAxis;

TEST_F(Form1Test, StartsWithTheExampleFunctionAndAnEmptyArea)
{
    EXPECT_EQ(form.windowTitle(), "Kurvix");
    EXPECT_EQ(form.Combo1->currentText(), QString::fromUtf8("Maßstab"));
    EXPECT_EQ(form.Combo1->currentIndex(), -1);
    ASSERT_EQ(form.Combo1->count(), 3);
    EXPECT_EQ(form.Combo1->itemText(0), "cm");
    EXPECT_EQ(form.Combo1->itemText(1), "mm");
    EXPECT_EQ(form.Combo1->itemText(2), "Zoll");
    EXPECT_TRUE(form.Combo1->isEditable());
    EXPECT_EQ(form.lblinfo->text(), "Der Kurvix von Velmora");
    const QStringList expected{"1", "4", "4", "-2", "1", "2", "2", "1", "0", "0"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(form.Text[static_cast<std::size_t>(i)]->text(), expected[i]) << "Text" << i + 1;
        EXPECT_EQ(form.Text[static_cast<std::size_t>(i)]->maxLength(), std::numeric_limits<int>::max());
    }
    EXPECT_EQ(form.Labels[9]->text(), "Beispielfunktion: (1 / 4 * x ^ 4) - (2 * x ^ 2) + 2");
    EXPECT_EQ(countPixels(form.Picture1->background().rgb()),
              form.Picture1->image().width() * form.Picture1->image().height());
    EXPECT_EQ(form.focusWidget(), form.Picture1);
    EXPECT_FALSE(form.Command1->isDefault());
    EXPECT_FALSE(form.Command1->autoDefault());
}

TEST_F(Form1Test, LayoutFollowsTheTwipTableAtTheScreenDpi)
{
    const UnitScale s = UnitScale::of(form);
    const auto rect = [&](int l, int t, int w, int h) {
        return QRect(s.twipsToPixelsX(l), s.twipsToPixelsY(t), s.twipsToPixelsX(w), s.twipsToPixelsY(h));
    };
    EXPECT_EQ(form.size(), QSize(s.twipsToPixelsX(8205), s.twipsToPixelsY(8010)));
    EXPECT_EQ(form.Picture1->geometry(), rect(120, 120, 7920, 6000));
    EXPECT_EQ(form.Command1->geometry(), rect(5760, 6240, 2295, 855));
    EXPECT_EQ(form.Combo1->geometry(), rect(2400, 240, 3015, 315));
    EXPECT_EQ(form.Text[2]->geometry(), rect(1320, 6240, 255, 285));
    EXPECT_EQ(form.Text[9]->geometry(), rect(5400, 6600, 255, 285));
    EXPECT_EQ(form.lblinfo->geometry(), rect(120, 7200, 7935, 255));
    EXPECT_EQ(form.Labels[0]->geometry(), rect(1200, 6600, 255, 255));
    if (form.logicalDpiX() == 96) {
        EXPECT_EQ(form.size(), QSize(547, 534));
    }
    // The unit box lies in front of the plotting area.
    const QWidget* top = form.childAt(form.Combo1->geometry().center());
    EXPECT_TRUE(top == form.Combo1 || form.Combo1->isAncestorOf(top));
}

TEST_F(Form1Test, TabOrderSkipsLabels)
{
    std::vector<QWidget*> order{form.Picture1, form.Command1};
    for (auto* t : form.Text)
        order.push_back(t);
    order.push_back(form.Combo1);
    for (std::size_t i = 0; i < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus || !next->isVisible() || next->parentWidget() != &form)
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[(i + 1) % order.size()]) << i;
    }
}

TEST_F(Form1Test, DefaultPressPlotsTheExampleInCentimetres)
{
    int captionChanges = 0;
    QString lastSeen;
    duringRun([&] {
        if (form.lblinfo->caption() != lastSeen) {
            lastSeen = form.lblinfo->caption();
            ++captionChanges;
        }
    });
    press();
    EXPECT_EQ(form.lblinfo->text(), "Fertig...");
    EXPECT_GT(captionChanges, 5000); // the caption is set at every sample
    EXPECT_EQ(form.Picture1->unit(), Unit::Centimetre);

    const QImage& img = form.Picture1->image();
    EXPECT_EQ(img.size(), (QSizeF(form.Picture1->size()) * form.Picture1->devicePixelRatioF()).toSize());
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2") {
        EXPECT_EQ(img.devicePixelRatio(), 2.0);
    }
    const int cx = form.Picture1->width() / 2;
    const int cy = form.Picture1->height() / 2;
    EXPECT_TRUE(inkNear({5, cy}, kAxis));
    EXPECT_TRUE(inkNear({form.Picture1->width() - 5, cy}, kAxis));
    EXPECT_TRUE(inkNear({cx, form.Picture1->height() - 5}, kAxis));
    const QRgb ink = form.Picture1->foreground().rgb();
    for (const double x : {-2.9, -2.0, -1.0, -0.5, 0.0, 0.7, 1.5, 2.0, 2.8})
        EXPECT_TRUE(inkNear(curvePixel(x, example(x)), ink)) << "x=" << x;
    // Off the curve, away from the ticks, the area stays empty.
    EXPECT_FALSE(inkNear(curvePixel(1.5, example(1.5) + 1.5), ink));
}

struct UnitRow {
    const char* combo;
    Unit unit;
};

TEST_F(Form1Test, UnitBoxTextChoosesTheUnit)
{
    for (const UnitRow row :
         {UnitRow{"mm", Unit::Millimetre}, UnitRow{"Zoll", Unit::Inch},
          UnitRow{"CM", Unit::Inch} /* unrecognised: unit kept */, UnitRow{"cm", Unit::Centimetre}}) {
        setCombo(row.combo);
        press();
        EXPECT_EQ(form.Picture1->unit(), row.unit) << row.combo;
        EXPECT_EQ(form.lblinfo->text(), "Fertig...") << row.combo;
        EXPECT_EQ(form.Combo1->currentText(), row.combo);
    }
    setCombo("mm");
    press();
    const QRgb ink = form.Picture1->foreground().rgb();
    EXPECT_TRUE(inkNear(curvePixel(0.0, 2.0), ink));
    // The curve spans only the central 10 mm: nothing at 2 cm to the right of the axis.
    EXPECT_FALSE(inkNear(curvePixel(20.0, example(2.0)), ink));
}

TEST_F(Form1Test, ZeroFirstTermAsksForAFunction)
{
    form.Text[0]->setText("0");
    bool seen = false;
    duringRun([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || seen)
            return;
        seen = true;
        EXPECT_EQ(box->windowTitle(), "Kurvomat");
        EXPECT_EQ(box->text(), QString::fromUtf8("Sie müssen noch eine Funktionsgleichung eingeben."));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_TRUE(box->isModal());
        box->button(QMessageBox::Ok)->click();
    });
    press();
    EXPECT_TRUE(seen);
    EXPECT_EQ(form.lblinfo->text(), "Berechnung: 0,01%");
    const QRgb ink = form.Picture1->foreground().rgb();
    for (const double x : {-2.0, 0.0, 2.0})
        EXPECT_FALSE(inkNear(curvePixel(x, example(x)), ink));
}

TEST_F(Form1Test, SecondClickDuringARunRunsANestedPlotFirst)
{
    bool clicked = false;
    int depthAtClick = 0;
    QString captionAfterNested;
    duringRun([&] {
        if (clicked)
            return;
        clicked = true;
        depthAtClick = form.runDepth();
        form.Command1->click();
        captionAfterNested = form.lblinfo->caption();
    });
    press();
    EXPECT_EQ(depthAtClick, 1);
    EXPECT_EQ(captionAfterNested, "Fertig...");
    EXPECT_EQ(form.runDepth(), 0);
    EXPECT_EQ(form.lblinfo->text(), "Fertig...");
}

TEST_F(Form1Test, ClosingDuringARunEndsItAtTheNextYield)
{
    int ticks = 0;
    duringRun([&] {
        if (++ticks == 20)
            form.close();
    });
    press();
    EXPECT_FALSE(form.isVisible());
    EXPECT_NE(form.lblinfo->caption(), "Fertig...");
    EXPECT_EQ(form.runDepth(), 0);
}

TEST_F(Form1Test, EnterInAFieldDoesNotPlot)
{
    form.Text[0]->setFocus();
    QTest::keyClick(form.Text[0], Qt::Key_Return);
    QTest::keyClick(form.Text[0], Qt::Key_Enter);
    QTest::keyClick(form.Combo1->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.lblinfo->text(), "Der Kurvix von Velmora");
    EXPECT_EQ(form.Combo1->count(), 3);
    EXPECT_EQ(countPixels(form.Picture1->background().rgb()),
              form.Picture1->image().width() * form.Picture1->image().height());
}

TEST_F(Form1Test, FarAwayPointsDrawNothing)
{
    auto& surface = static_cast<DrawingSurface&>(*form.Picture1);
    for (const float v :
         {1e30F, -1e30F, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        EXPECT_TRUE(surface.PSet({v, 1}).ok());
        EXPECT_TRUE(surface.PSet({1, v}).ok());
        EXPECT_TRUE(surface.Line({v, v}, {-v, 2}, Colour{12}).ok());
        EXPECT_TRUE(surface.CurrentX(v).ok());
        EXPECT_TRUE(surface.Print(7).ok());
    }
    EXPECT_EQ(countPixels(form.Picture1->background().rgb()),
              form.Picture1->image().width() * form.Picture1->image().height());
}

} // namespace
} // namespace kurvix::ui
