#pragma once

// The three power terms and the constant, as the plot run reads them from the term fields.

#include "plot/conversion_memo.h"
#include "numbers/fixed_decimal.h"
#include "numbers/number_locale.h"
#include "plot/window_parts.h"

#include <array>
#include <optional>

namespace kurvix {

// The field numbers of one power term: (numerator / denominator) * x ^ exponent.
struct TermFields {
    int numerator;
    int denominator;
    int exponent;
};

inline constexpr std::array<TermFields, 3> kTermFields{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
inline constexpr int kConstantField = 10;

struct TermInputs {
    double coefficient = 0;
    double exponent = 0;
};

// One term's state within a run: the coefficient and exponent its texts last
// formed. Texts that do not convert leave them as they were.
struct Term {
    std::optional<TermInputs> inputs;
    ConversionMemo<double> numerator;
    ConversionMemo<double> denominator;
    ConversionMemo<double> exponent;
};

struct Constant {
    FixedDecimal value;
    ConversionMemo<FixedDecimal> memo;
};

// Each reads its fields as they are now; where they do not make a number, the
// term or constant keeps what it last read.
void readTerm(const WindowParts& window, const TermFields& fields, Term& term, const NumberLocale& locale);
void readConstant(const WindowParts& window, Constant& constant, const NumberLocale& locale);

} // namespace kurvix
