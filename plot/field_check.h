#pragma once

// Why a term field's text cannot be used by the plot run.

#include "numbers/number_locale.h"
#include "plot/window_parts.h"

#include <array>
#include <string>
#include <string_view>

namespace kurvix {

// Why the plot cannot use a field's text as what it feeds: a number (the
// constant: one of four decimal places), for a denominator not 0, and for a numerator
// one whose coefficient stays finite. The plot then keeps the value it last
// read in the run, or 0; the window tells the user.
enum class FieldProblem { None, Empty, NotANumber, TooLarge, ZeroDenominator };

// The texts of the ten fields, field 1 first.
using FieldTexts = std::array<std::string_view, kTermFieldCount>;

// The ten fields as a run reads them, each text read once: its number (the
// constant's to four decimals) and why the run cannot use it.
struct ReadFields {
    std::array<double, kTermFieldCount> numbers{};
    std::array<FieldProblem, kTermFieldCount> problems{};
    [[nodiscard]] double number(int field) const { return numbers.at(static_cast<std::size_t>(field - 1)); }
    [[nodiscard]] FieldProblem problem(int field) const { return problems.at(static_cast<std::size_t>(field - 1)); }
};

ReadFields readFields(const FieldTexts& texts, const NumberLocale& locale);

// Field 1 .. 10 as the user hears it named: "Term 1, Zähler" .. "Konstante".
std::string fieldName(int field);

} // namespace kurvix
