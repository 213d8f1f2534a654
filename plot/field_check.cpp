#include "plot/field_check.h"

#include "numbers/arithmetic.h"
#include "numbers/number_text.h"
#include "plot/terms.h"

#include <algorithm>

namespace kurvix {
namespace {

FieldProblem fromFault(Fault fault, std::string_view text)
{
    if (fault == Fault::Overflow)
        return FieldProblem::TooLarge;
    const bool blank = std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
    return blank ? FieldProblem::Empty : FieldProblem::NotANumber;
}

const TermFields* termOf(int field)
{
    const auto* term = std::find_if(kTermFields.begin(), kTermFields.end(), [&](const TermFields& t) {
        return t.numerator == field || t.denominator == field || t.exponent == field;
    });
    return term == kTermFields.end() ? nullptr : term;
}

} // namespace

FieldProblem checkField(int field, const FieldTexts& texts, const NumberLocale& locale)
{
    const auto textOf = [&](int f) { return texts.at(static_cast<std::size_t>(f - 1)); };
    if (field == kConstantField) {
        const auto constant = textToFixedDecimal(textOf(field), locale);
        return constant ? FieldProblem::None : fromFault(constant.fault(), textOf(field));
    }
    const auto number = textToDouble(textOf(field), locale);
    if (!number)
        return fromFault(number.fault(), textOf(field));
    const TermFields* term = termOf(field);
    if (term && term->denominator == field && *number == 0)
        return FieldProblem::ZeroDenominator;
    if (term && term->numerator == field) {
        // The run divides the two; an overflow leaves the term out as if the numerator were unreadable.
        const auto denominator = textToDouble(textOf(term->denominator), locale);
        if (denominator && *denominator != 0 && !divide(*number, *denominator))
            return FieldProblem::TooLarge;
    }
    return FieldProblem::None;
}

std::string fieldName(int field)
{
    if (field == kConstantField)
        return "Konstante";
    const char* parts[] = {"Zähler", "Nenner", "Exponent"};
    return "Term " + std::to_string((field - 1) / 3 + 1) + ", " + parts[(field - 1) % 3];
}

} // namespace kurvix
