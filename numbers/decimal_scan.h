#pragma once

// The syntax of a decimal number, split into its digits.

#include "numbers/number_locale.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kurvix::detail {

// The parts of a syntactically valid decimal number; the fraction is a view
// into the text.
struct DecimalParts {
    bool negative = false;
    std::string integerDigits; // without group separators
    std::string_view fractionDigits;
    std::int64_t exponent = 0; // clamped far beyond any representable magnitude

    [[nodiscard]] std::size_t digitCount() const { return integerDigits.size() + fractionDigits.size(); }
    [[nodiscard]] char digit(std::size_t i) const
    {
        return i < integerDigits.size() ? integerDigits[i] : fractionDigits[i - integerDigits.size()];
    }
};

std::optional<DecimalParts> scanDecimal(std::string_view text, const NumberLocale& locale);

} // namespace kurvix::detail
