#include "field_check.h"

#include "terms.h"
#include "number_text.h"

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

bool isDenominator(int field)
{
    return std::any_of(kTermFields.begin(), kTermFields.end(),
                       [&](const TermFields& t) { return t.denominator == field; });
}

} // namespace

FieldProblem checkField(int field, std::string_view text, const NumberLocale& locale)
{
    if (field == kConstantField) {
        const auto constant = textToCurrency(text, locale);
        return constant ? FieldProblem::None : fromFault(constant.fault(), text);
    }
    const auto number = textToDouble(text, locale);
    if (!number)
        return fromFault(number.fault(), text);
    return isDenominator(field) && *number == 0 ? FieldProblem::ZeroDenominator : FieldProblem::None;
}

} // namespace kurvix
