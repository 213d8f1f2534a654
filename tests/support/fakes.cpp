#include "fakes.h"

namespace kurvix::testing {
namespace {

constexpr float kWidthTwips = 7920;
constexpr float kHeightTwips = 6000;

float twipsPerUnit(Unit unit)
{
    switch (unit) {
    case Unit::Inch: return 1440;
    case Unit::Millimetre: return 56.7F;
    case Unit::Centimetre: return 567;
    }
    return 1;
}

} // namespace

float FakeSurface::width() const { return kWidthTwips / twipsPerUnit(unit); }
float FakeSurface::height() const { return kHeightTwips / twipsPerUnit(unit); }

Status FakeSurface::Picture(PictureData)
{
    ++clears;
    prints.clear();
    lines.clear();
    points.clear();
    return {};
}

Status FakeSurface::ScaleMode(Unit u)
{
    unit = u;
    unitsSet.push_back(u);
    return {};
}

Result<float> FakeSurface::ScaleWidth()
{
    ++sizeReads;
    return width();
}

Result<float> FakeSurface::ScaleHeight()
{
    ++sizeReads;
    return height();
}

Status FakeSurface::CurrentX(float x)
{
    current_.x = x;
    return {};
}

Status FakeSurface::CurrentY(float y)
{
    current_.y = y;
    return {};
}

Status FakeSurface::Print(std::int32_t number)
{
    prints.push_back({current_, number});
    return {};
}

Status FakeSurface::Line(PointF from, PointF to, Colour colour)
{
    lines.push_back({from, to, colour});
    return {};
}

Status FakeSurface::PSet(PointF point)
{
    points.push_back(point);
    return {};
}

Result<TextRef> FakeTextBox::Text()
{
    ++reads;
    return TextRef(text_);
}

Status FakeLabel::Caption(std::string_view caption)
{
    captions.emplace_back(caption);
    return {};
}

Status FakeMessageBox::MsgBox(std::string_view prompt)
{
    prompts.emplace_back(prompt);
    return {};
}

Yield FakeEvents::DoEvents()
{
    ++calls;
    return onYield ? onYield(calls) : Yield::Continue;
}

Controls FakeForm::controls()
{
    return Controls{
        Picture1,
        Combo1,
        {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7], fields[8], fields[9]},
        lblinfo,
        messages,
        events};
}

int FakeForm::textReads() const
{
    int total = Combo1.reads;
    for (const auto& f : fields)
        total += f.reads;
    return total;
}

} // namespace kurvix::testing
