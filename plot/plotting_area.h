#pragma once

// The plotting area as the plot run draws on it: in a physical unit, with
// tick labels, lines and single points.

#include "result.h"

#include <cstdint>

namespace kurvix {

enum class Unit { Centimetre, Millimetre, Inch };

// Red in the lowest byte, then green, then blue.
struct Colour {
    std::uint32_t value = 0;
    [[nodiscard]] constexpr int red() const { return static_cast<int>(value & 0xFFU); }
    [[nodiscard]] constexpr int green() const { return static_cast<int>((value >> 8) & 0xFFU); }
    [[nodiscard]] constexpr int blue() const { return static_cast<int>((value >> 16) & 0xFFU); }
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

    virtual Status clear() = 0;
    virtual Status setUnit(Unit unit) = 0;
    virtual Result<float> widthInUnits() = 0;
    virtual Result<float> heightInUnits() = 0;
    // Where the next number is written: its top-left corner.
    virtual Status setTextX(float x) = 0;
    virtual Status setTextY(float y) = 0;
    virtual Status writeNumber(std::int32_t number) = 0;
    virtual Status drawLine(PointF from, PointF to, Colour colour) = 0;
    virtual Status setPoint(PointF point) = 0;
};

} // namespace kurvix
