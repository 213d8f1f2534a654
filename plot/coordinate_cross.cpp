#include "plot/coordinate_cross.h"

#include <cstdint>

namespace kurvix {
namespace {

// The labels -5 .. 5 one unit apart, along the x axis and then up the y axis.
void writeTickLabels(PlottingArea& area)
{
    for (std::int32_t i = -5; i <= 5; ++i) {
        area.setTextY(area.heightInUnits() / 2);
        area.setTextX(area.widthInUnits() / 2 + static_cast<float>(i));
        area.writeNumber(i);
    }
    for (std::int32_t i = -5; i <= 5; ++i) {
        area.setTextY(area.heightInUnits() / 2 - static_cast<float>(i));
        area.setTextX(area.widthInUnits() / 2);
        area.writeNumber(i);
    }
}

} // namespace

void chooseUnit(const WindowParts& window)
{
    const std::string& text = *window.unitBox.sharedText();
    if (text == "cm" || text == "Maßstab") {
        window.area.setUnit(Unit::Centimetre);
        writeTickLabels(window.area);
    } else if (text == "mm") {
        window.area.setUnit(Unit::Millimetre);
    } else if (text == "Zoll") {
        window.area.setUnit(Unit::Inch);
    }
}

void drawAxes(PlottingArea& area)
{
    const float w = area.widthInUnits();
    const float h = area.heightInUnits();
    area.drawLine({0, h / 2}, {w, h / 2}, kAxisColour);
    area.drawLine({w / 2, 0}, {w / 2, h}, kAxisColour);
}

} // namespace kurvix
