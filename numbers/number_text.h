#pragma once

// Numbers read from and written for the user, in the user's locale.

#include "numbers/fixed_decimal.h"
#include "numbers/number_locale.h"
#include "numbers/result.h"

#include <string>
#include <string_view>

namespace kurvix {

// Reads an optionally signed decimal number with an optional exponent
// ("1e3", "2,5E-3"). The separator is the locale's; the point is always
// accepted too, and the other one groups thousands ("1.234,5" under German).
// Blanks around the number are ignored; "NaN" and "Inf" are not numbers. A
// value beyond the double range fails, one too small for it reads as zero.
Result<double> textToDouble(std::string_view text, const NumberLocale& locale);

// Same syntax, held to four decimals (half to even); fails outside the
// range of FixedDecimal. Computed from the decimal digits, not through a double.
Result<FixedDecimal> textToFixedDecimal(std::string_view text, const NumberLocale& locale);

// Shortest text of the value rounded to 15 significant digits with the
// locale's separator: 0,01 / 100 / 1,5E+20.
std::string numberToText(double value, const NumberLocale& locale);

// The value rounded to the decimals, trailing zeros dropped, never "-0": -2,61 / 2 / 0;
// from 1E+15 on as numberToText writes it.
std::string roundedToText(double value, int decimals, const NumberLocale& locale);

} // namespace kurvix
