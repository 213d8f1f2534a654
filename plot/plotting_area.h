#pragma once

// The plotting area as the plot run draws on it: in a physical unit, with
// tick labels, lines and single points.

#include <cstdint>

namespace kurvix {

enum class Unit { Centimetre, Millimetre, Inch };

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend constexpr bool operator==(Colour, Colour) = default;
};

struct PointF {
    float x = 0;
    float y = 0;
    friend constexpr bool operator==(PointF, PointF) = default;
};

// Measured in the chosen unit, origin at the inner top-left corner, y growing
// downward. What lies outside draws nothing.
class PlottingArea {
public:
    virtual ~PlottingArea() = default;

    virtual void clear() = 0;
    virtual void setUnit(Unit unit) = 0;
    [[nodiscard]] virtual float widthInUnits() const = 0;
    [[nodiscard]] virtual float heightInUnits() const = 0;
    // Where the next number is written: its top-left corner.
    virtual void setTextX(float x) = 0;
    virtual void setTextY(float y) = 0;
    virtual void writeNumber(std::int32_t number) = 0;
    virtual void drawLine(PointF from, PointF to, Colour colour) = 0;
    virtual void setPoint(PointF point) = 0;
};

} // namespace kurvix
