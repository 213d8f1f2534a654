#include "numbers/arithmetic.h"

#include <cfloat>
#include <cmath>

namespace kurvix {
namespace {

Result<double> finite(double v)
{
    if (!std::isfinite(v))
        return Fault::Overflow;
    return v;
}

} // namespace

Result<double> add(double a, double b) { return finite(a + b); }
Result<double> multiply(double a, double b) { return finite(a * b); }

Result<double> divide(double a, double b)
{
    if (b == 0)
        return Fault::DivisionByZero;
    return finite(a / b);
}

Result<double> power(double base, double exponent)
{
    if (base < 0 && std::trunc(exponent) != exponent)
        return Fault::InvalidArgument;
    return finite(std::pow(base, exponent));
}

Result<float> toFloat(double v)
{
    if (std::isnan(v) || std::fabs(v) > FLT_MAX)
        return Fault::Overflow;
    return static_cast<float>(v);
}

} // namespace kurvix
