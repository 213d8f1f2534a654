#pragma once

// Why a term field's text cannot be used by the plot run.

#include "number_locale.h"

#include <string_view>

namespace kurvix {

// Why the plot cannot use a field's text as what it feeds: a number (the
// constant: a currency amount) and, for a denominator, not 0. The plot then
// keeps the value it last read in the run, or 0; the window tells the user.
enum class FieldProblem { None, Empty, NotANumber, TooLarge, ZeroDenominator };

FieldProblem checkField(int field, std::string_view text, const NumberLocale& locale);

} // namespace kurvix
