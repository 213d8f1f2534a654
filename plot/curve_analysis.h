#pragma once

// The Kurvendiskussion: where the curve meets the x-axis, its high, low and
// turning points, where it is not defined, and its symmetry.

#include "numbers/number_locale.h"
#include "plot/field_check.h"

#include <string>
#include <vector>

namespace kurvix {

// A point the analysis names; y is 0 for a zero.
struct CurvePoint {
    enum class Kind { Zero, High, Low, Turning, Saddle };
    Kind kind;
    double x;
    double y;
};

enum class Domain { All, NonNegative, Positive }; // the x where f is defined: all, x ≥ 0, x > 0
enum class Symmetry { None, AboutYAxis, AboutOrigin };

struct CurveAnalysis {
    std::string whyNone; // where there is no analysis: why, in German
    bool zeroEverywhere = false;
    std::vector<CurvePoint> points; // by kind in the order of Kind, each kind from left to right
    bool poleAtZero = false;
    Domain domain = Domain::All;
    Symmetry symmetry = Symmetry::None;
};

// f(x) = a1·x^e1 + a2·x^e2 + a3·x^e3 + d on -5 ≤ x ≤ 5, from its fields as a
// run reads them. High, low and turning points lie inside the range, never
// where f is not defined. Derivatives are exact; sign changes of f, f′ and f″
// are bracketed on a grid, between the roots of the next derivative, and
// refined by TOMS 748. A zero where the curve only touches the axis is a root
// of f′ where f is 0 within rounding.
CurveAnalysis analyseCurve(const ReadFields& fields);

// The analysis in German, parts separated by ". ", numbers to two decimals:
// "Nullstellen bei -2,61; 2,61. Hochpunkt (0 | 2). achsensymmetrisch zur y-Achse"
std::string describeCurve(const CurveAnalysis& analysis, const NumberLocale& locale);

} // namespace kurvix
