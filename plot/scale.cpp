#include "scale.h"

#include "runtime/value.h"

#include <cstdint>
#include <string_view>

namespace kurvix {
namespace {

Result<bool> comboIs(const Controls& form, std::string_view expected)
{
    const auto text = form.Combo1.Text();
    if (!text)
        return text.fault();
    return *text->get() == expected;
}

Result<bool> comboIsEither(const Controls& form, std::string_view a, std::string_view b)
{
    // Both reads happen, as both comparisons are always made.
    const auto first = comboIs(form, a);
    const auto second = comboIs(form, b);
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

Status setCurrentY(DrawingSurface& surface, std::int32_t offset)
{
    const auto h = half(surface.ScaleHeight());
    if (!h)
        return h.fault();
    const auto y = toSingle(static_cast<double>(*h) - offset);
    return y ? surface.CurrentY(*y) : Status(y.fault());
}

Status setCurrentX(DrawingSurface& surface, std::int32_t offset)
{
    const auto w = half(surface.ScaleWidth());
    if (!w)
        return w.fault();
    const auto x = toSingle(static_cast<double>(*w) + offset);
    return x ? surface.CurrentX(*x) : Status(x.fault());
}

void printTicks(Continuation& on, DrawingSurface& surface)
{
    for (std::int32_t i = -5; i <= 5; ++i) {
        on([&] { return setCurrentY(surface, 0); });
        on([&] { return setCurrentX(surface, i); });
        on([&] { return surface.Print(i); });
    }
    for (std::int32_t i = -5; i <= 5; ++i) {
        on([&] { return setCurrentY(surface, i); });
        on([&] { return setCurrentX(surface, 0); });
        on([&] { return surface.Print(i); });
    }
}

Status horizontalAxis(DrawingSurface& surface)
{
    const auto h = half(surface.ScaleHeight());
    if (!h)
        return h.fault();
    const auto w = surface.ScaleWidth();
    if (!w)
        return w.fault();
    return surface.Line({0, *h}, {*w, *h}, kAxisColour);
}

Status verticalAxis(DrawingSurface& surface)
{
    const auto w = half(surface.ScaleWidth());
    if (!w)
        return w.fault();
    const auto h = surface.ScaleHeight();
    if (!h)
        return h.fault();
    return surface.Line({*w, 0}, {*w, *h}, kAxisColour);
}

} // namespace

void selectScale(Continuation& on, const Controls& form)
{
    if (on.enters(comboIsEither(form, "cm", "Maßstab"))) {
        on([&] { return form.Picture1.ScaleMode(Unit::Centimetre); });
        printTicks(on, form.Picture1);
    }
    if (on.enters(comboIs(form, "mm")))
        on([&] { return form.Picture1.ScaleMode(Unit::Millimetre); });
    if (on.enters(comboIs(form, "Zoll")))
        on([&] { return form.Picture1.ScaleMode(Unit::Inch); });
}

void drawAxes(Continuation& on, const Controls& form)
{
    on([&] { return horizontalAxis(form.Picture1); });
    on([&] { return verticalAxis(form.Picture1); });
}

} // namespace kurvix
