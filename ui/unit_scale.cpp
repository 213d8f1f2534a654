#include "ui/unit_scale.h"

#include <QWidget>

#include <cmath>

namespace kurvix::ui {

UnitScale UnitScale::of(const QWidget& widget)
{
    return {static_cast<double>(widget.logicalDpiX()), static_cast<double>(widget.logicalDpiY())};
}

double UnitScale::unitsPerInch(Unit unit)
{
    switch (unit) {
    case Unit::Inch: return 1;
    case Unit::Centimetre: return 2.54;
    case Unit::Millimetre: return 25.4;
    }
    return 1;
}

int UnitScale::twipsToPixelsX(int twips) const { return static_cast<int>(std::lround(twips * dpiX_ / kTwipsPerInch)); }

int UnitScale::twipsToPixelsY(int twips) const { return static_cast<int>(std::lround(twips * dpiY_ / kTwipsPerInch)); }

} // namespace kurvix::ui
