#pragma once

// Clipping a line to the plotting area before it is drawn.

#include <QLineF>
#include <QRectF>

#include <optional>

namespace kurvix::drawing {

// The part of a line inside a rectangle, computed in doubles so endpoints
// however far away (or not numbers at all) never reach the rasteriser.
std::optional<QLineF> clipLine(const QLineF& line, const QRectF& bounds);

} // namespace kurvix::drawing
