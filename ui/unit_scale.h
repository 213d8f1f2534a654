#pragma once

// Physical lengths on screen: twips, centimetres, millimetres and inches to pixels.

#include "plot/plotting_area.h"

class QWidget;

namespace kurvix::ui {

// Physical lengths on screen, from the logical DPI of the widget that shows
// them. Every conversion between twips, units and pixels goes through here.
class UnitScale {
public:
    static constexpr double kTwipsPerInch = 1440;

    UnitScale(double dpiX, double dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}
    static UnitScale of(const QWidget& widget);

    [[nodiscard]] double pixelsPerUnitX(Unit unit) const { return dpiX_ / unitsPerInch(unit); }
    [[nodiscard]] double pixelsPerUnitY(Unit unit) const { return dpiY_ / unitsPerInch(unit); }
    [[nodiscard]] int twipsToPixelsX(int twips) const;
    [[nodiscard]] int twipsToPixelsY(int twips) const;

    static double unitsPerInch(Unit unit);

private:
    double dpiX_;
    double dpiY_;
};

} // namespace kurvix::ui
