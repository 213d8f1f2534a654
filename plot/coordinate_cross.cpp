#include "coordinate_cross.h"

#include "arithmetic.h"

#include <cstdint>
#include <string_view>

namespace kurvix {
namespace {

Result<bool> unitBoxReads(const WindowParts& window, std::string_view expected)
{
    const auto text = window.unitBox.sharedText();
    if (!text)
        return text.fault();
    return *text->get() == expected;
}

Result<bool> unitBoxReadsEither(const WindowParts& window, std::string_view a, std::string_view b)
{
    // Both reads happen, as both comparisons are always made.
    const auto first = unitBoxReads(window, a);
    const auto second = unitBoxReads(window, b);
    if (!first)
        return first.fault();
    if (!second)
        return second.fault();
    return *first || *second;
}

Result<float> half(const Result<float>& size)
{
    if (!size)
        return size.fault();
    return *size / 2.0F;
}

Status setTextY(PlottingArea& area, std::int32_t offset)
{
    const auto h = half(area.heightInUnits());
    if (!h)
        return h.fault();
    const auto y = toSingle(static_cast<double>(*h) - offset);
    return y ? area.setTextY(*y) : Status(y.fault());
}

Status setTextX(PlottingArea& area, std::int32_t offset)
{
    const auto w = half(area.widthInUnits());
    if (!w)
        return w.fault();
    const auto x = toSingle(static_cast<double>(*w) + offset);
    return x ? area.setTextX(*x) : Status(x.fault());
}

void writeTickLabels(Continuation& on, PlottingArea& area)
{
    for (std::int32_t i = -5; i <= 5; ++i) {
        on([&] { return setTextY(area, 0); });
        on([&] { return setTextX(area, i); });
        on([&] { return area.writeNumber(i); });
    }
    for (std::int32_t i = -5; i <= 5; ++i) {
        on([&] { return setTextY(area, i); });
        on([&] { return setTextX(area, 0); });
        on([&] { return area.writeNumber(i); });
    }
}

Status horizontalAxis(PlottingArea& area)
{
    const auto h = half(area.heightInUnits());
    if (!h)
        return h.fault();
    const auto w = area.widthInUnits();
    if (!w)
        return w.fault();
    return area.drawLine({0, *h}, {*w, *h}, kAxisColour);
}

Status verticalAxis(PlottingArea& area)
{
    const auto w = half(area.widthInUnits());
    if (!w)
        return w.fault();
    const auto h = area.heightInUnits();
    if (!h)
        return h.fault();
    return area.drawLine({*w, 0}, {*w, *h}, kAxisColour);
}

} // namespace

void chooseUnit(Continuation& on, const WindowParts& window)
{
    if (on.enters(unitBoxReadsEither(window, "cm", "Maßstab"))) {
        on([&] { return window.area.setUnit(Unit::Centimetre); });
        writeTickLabels(on, window.area);
    }
    if (on.enters(unitBoxReads(window, "mm")))
        on([&] { return window.area.setUnit(Unit::Millimetre); });
    if (on.enters(unitBoxReads(window, "Zoll")))
        on([&] { return window.area.setUnit(Unit::Inch); });
}

void drawAxes(Continuation& on, const WindowParts& window)
{
    on([&] { return horizontalAxis(window.area); });
    on([&] { return verticalAxis(window.area); });
}

} // namespace kurvix
