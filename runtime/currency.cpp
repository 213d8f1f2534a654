#include "currency.h"

#include <cmath>

namespace kurvix {

Result<Currency> Currency::fromDouble(double value)
{
    if (!std::isfinite(value))
        return Fault::Overflow;
    const double scaled = std::nearbyint(value * kScale); // default rounding: half to even
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (scaled >= kLimit || scaled < -kLimit)
        return Fault::Overflow;
    return fromTicks(static_cast<std::int64_t>(scaled));
}

Result<Currency> addCurrency(Currency a, Currency b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a.ticks(), b.ticks(), &sum))
        return Fault::Overflow;
    return Currency::fromTicks(sum);
}

} // namespace kurvix
