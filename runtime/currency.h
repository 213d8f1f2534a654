#pragma once

#include "result.h"

#include <cstdint>
#include <limits>

namespace kurvix {

// A fixed-point amount with four exact decimal places: a signed 64-bit count
// of ten-thousandths, -922337203685477.5808 to 922337203685477.5807.
class Currency {
public:
    static constexpr std::int64_t kScale = 10'000;

    constexpr Currency() = default;

    static constexpr Currency fromTicks(std::int64_t ticks) { return Currency(ticks); }
    static constexpr Currency min() { return Currency(std::numeric_limits<std::int64_t>::min()); }
    static constexpr Currency max() { return Currency(std::numeric_limits<std::int64_t>::max()); }

    // Rounds half to even at the fourth decimal; fails outside the range.
    static Result<Currency> fromDouble(double value);

    [[nodiscard]] constexpr std::int64_t ticks() const { return ticks_; }
    [[nodiscard]] double toDouble() const { return static_cast<double>(ticks_) / kScale; }
    [[nodiscard]] constexpr bool isZero() const { return ticks_ == 0; }

    friend constexpr bool operator==(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t ticks) : ticks_(ticks) {}

    std::int64_t ticks_ = 0;
};

Result<Currency> addCurrency(Currency a, Currency b);

} // namespace kurvix
