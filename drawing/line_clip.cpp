#include "drawing/line_clip.h"

#include <cmath>

namespace kurvix::drawing {

// Liang-Barsky: narrow the parameter range [t0, t1] edge by edge.
std::optional<QLineF> clipLine(const QLineF& line, const QRectF& bounds)
{
    const double x0 = line.x1();
    const double y0 = line.y1();
    const double dx = line.x2() - x0;
    const double dy = line.y2() - y0;
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(dx) || !std::isfinite(dy))
        return std::nullopt;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - bounds.left(), bounds.right() - x0, y0 - bounds.top(), bounds.bottom() - y0};
    double t0 = 0;
    double t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return QLineF(x0 + t0 * dx, y0 + t0 * dy, x0 + t1 * dx, y0 + t1 * dy);
}

} // namespace kurvix::drawing
