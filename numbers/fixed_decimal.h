#pragma once

// The constant term's number: an amount with four exact decimal places.

#include <cstdint>

namespace kurvix {

// A signed 64-bit count of ten-thousandths, -922337203685477.5808 to
// 922337203685477.5807.
class FixedDecimal {
public:
    static constexpr std::int64_t kScale = 10'000;

    constexpr FixedDecimal() = default;
    static constexpr FixedDecimal fromTicks(std::int64_t ticks) { return FixedDecimal(ticks); }

    [[nodiscard]] constexpr std::int64_t ticks() const { return ticks_; }
    [[nodiscard]] double toDouble() const { return static_cast<double>(ticks_) / kScale; }

    friend constexpr bool operator==(FixedDecimal, FixedDecimal) = default;

private:
    constexpr explicit FixedDecimal(std::int64_t ticks) : ticks_(ticks) {}

    std::int64_t ticks_ = 0;
};

} // namespace kurvix
