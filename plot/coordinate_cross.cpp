#include "plot/coordinate_cross.h"

#include "numbers/arithmetic.h"

#include <cstdint>

namespace kurvix {
namespace {

bool unitBoxReads(const WindowParts& window, std::string_view expected)
{
    return *window.unitBox.sharedText() == expected;
}

Status setTextY(PlottingArea& area, std::int32_t offset)
{
    const auto y = toFloat(static_cast<double>(area.heightInUnits() / 2.0F) - offset);
    if (y)
        area.setTextY(*y);
    return y;
}

Status setTextX(PlottingArea& area, std::int32_t offset)
{
    const auto x = toFloat(static_cast<double>(area.widthInUnits() / 2.0F) + offset);
    if (x)
        area.setTextX(*x);
    return x;
}

void writeTickLabels(Continuation& on, PlottingArea& area)
{
    for (std::int32_t i = -5; i <= 5; ++i) {
        on([&] { return setTextY(area, 0); });
        on([&] { return setTextX(area, i); });
        area.writeNumber(i);
    }
    for (std::int32_t i = -5; i <= 5; ++i) {
        on([&] { return setTextY(area, i); });
        on([&] { return setTextX(area, 0); });
        area.writeNumber(i);
    }
}

} // namespace

void chooseUnit(Continuation& on, const WindowParts& window)
{
    if (unitBoxReads(window, "cm") || unitBoxReads(window, "Maßstab")) {
        window.area.setUnit(Unit::Centimetre);
        writeTickLabels(on, window.area);
    }
    if (unitBoxReads(window, "mm"))
        window.area.setUnit(Unit::Millimetre);
    if (unitBoxReads(window, "Zoll"))
        window.area.setUnit(Unit::Inch);
}

void drawAxes(PlottingArea& area)
{
    const float w = area.widthInUnits();
    const float h = area.heightInUnits();
    area.drawLine({0, h / 2}, {w, h / 2}, kAxisColour);
    area.drawLine({w / 2, 0}, {w / 2, h}, kAxisColour);
}

} // namespace kurvix
