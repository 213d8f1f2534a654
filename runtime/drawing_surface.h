#pragma once

#include "result.h"

#include <cstdint>

namespace kurvix {

enum class Unit : std::int16_t { Inch = 5, Millimetre = 6, Centimetre = 7 };

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

// The empty picture; assigning it clears the surface.
struct PictureData {};
inline PictureData LoadPicture() { return {}; }

// A drawing area measured in a physical unit, origin at the inner top-left
// corner, y growing downward. Points outside it draw nothing.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual Status Picture(PictureData picture) = 0;
    virtual Status ScaleMode(Unit unit) = 0;
    virtual Result<float> ScaleWidth() = 0;
    virtual Result<float> ScaleHeight() = 0;
    virtual Status CurrentX(float x) = 0;
    virtual Status CurrentY(float y) = 0;
    virtual Status Print(std::int32_t number) = 0;
    virtual Status Line(PointF from, PointF to, Colour colour) = 0;
    virtual Status PSet(PointF point) = 0;
};

} // namespace kurvix
