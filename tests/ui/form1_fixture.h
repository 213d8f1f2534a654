#pragma once

#include "ui/form1.h"
#include "ui/unit_scale.h"
#include "qt_printing.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>

namespace kurvix::ui::testing {

inline constexpr QRgb kAxis = qRgb(12, 0, 0);

// A shown Form1 and helpers to look at what it drew.
class Form1Test : public ::testing::Test {
public:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    void press() { QTest::mouseClick(form.Command1, Qt::LeftButton); }

    void setCombo(const QString& text)
    {
        form.Combo1->lineEdit()->clear();
        QTest::keyClicks(form.Combo1->lineEdit(), text);
    }

    [[nodiscard]] double pixelsPerUnit() const
    {
        return UnitScale::of(*form.Picture1).pixelsPerUnitX(form.Picture1->unit());
    }

    // Where f(x) lands, from the widget's own DPI: the centre plus x and -f(x) in the unit.
    [[nodiscard]] QPoint curvePixel(double x, double fx) const
    {
        const double ppu = pixelsPerUnit();
        const double w2 = form.Picture1->width() / ppu / 2;
        const double h2 = form.Picture1->height() / ppu / 2;
        return {static_cast<int>(std::floor((x + w2) * ppu)), static_cast<int>(std::floor((h2 - fx) * ppu))};
    }

    // Within one logical pixel of p, in the backing image's device pixels.
    [[nodiscard]] bool inkNear(QPoint p, QRgb colour) const
    {
        const QImage& img = form.Picture1->image();
        const int dpr = static_cast<int>(std::ceil(img.devicePixelRatio()));
        const QPoint centre = p * dpr;
        for (int dy = -dpr; dy <= dpr; ++dy)
            for (int dx = -dpr; dx <= dpr; ++dx) {
                const QPoint q = centre + QPoint(dx, dy);
                if (img.rect().contains(q) && img.pixel(q) == colour)
                    return true;
            }
        return false;
    }

    [[nodiscard]] int countPixels(QRgb colour) const
    {
        const QImage& img = form.Picture1->image();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixel(x, y) == colour ? 1 : 0;
        return n;
    }

    // Runs fn at every yield of the run started by the next press.
    void duringRun(std::function<void()> fn)
    {
        auto* timer = new QTimer(&form);
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, &form, std::move(fn));
        timer->start();
    }

    Form1 form;
};

inline double example(double x) { return 0.25 * std::pow(x, 4) - 2 * x * x + 2; }

// Dismisses any message box the moment it shows; counts how many did.
inline void dismissMessageBoxes(Form1Test& test, int& shown)
{
    test.duringRun([&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++shown;
            box->button(QMessageBox::Ok)->click();
        }
    });
}

} // namespace kurvix::ui::testing
