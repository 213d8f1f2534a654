#pragma once

// Arithmetic on doubles that fails instead of giving an infinity or NaN.

#include "numbers/result.h"

namespace kurvix {

Result<double> add(double a, double b);
Result<double> multiply(double a, double b);
Result<double> divide(double a, double b); // fails for a divisor of 0

// Fails for a negative base with a fractional exponent, and where the result
// is not a finite number (0 to a negative power).
Result<double> power(double base, double exponent);

// To a float; fails beyond its range.
Result<float> toFloat(double v);

} // namespace kurvix
