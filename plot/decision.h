#pragma once

// Whether a sample gets a point, and where.

#include "plot/terms.h"

namespace kurvix {

struct Sample {
    enum class Verdict { Point, NoPoint, NoFunction };
    Verdict verdict = Verdict::NoPoint;
    double y = 0; // the negated function value, for Verdict::Point
};

// No function while term 1 has no coefficient yet or a zero one. Otherwise
// y = -(t1 + t2 + t3 + d) at x, or no point where a term or the sum cannot
// be evaluated there. Terms that never converted count as 0.
Sample decide(double x, const std::array<Term, 3>& terms, FixedDecimal constant);

} // namespace kurvix
