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

// The constant is read to its four decimals, every other field as a double.
Result<double> readNumber(std::string_view text, bool constant, const NumberLocale& locale)
{
    if (!constant)
        return textToDouble(text, locale);
    const auto fixed = textToFixedDecimal(text, locale);
    if (!fixed)
        return fixed.fault();
    return fixed->toDouble();
}

} // namespace

ReadFields readFields(const FieldTexts& texts, const NumberLocale& locale)
{
    ReadFields read;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (const auto number = readNumber(texts[i], static_cast<int>(i) + 1 == kConstantField, locale))
            read.numbers[i] = *number;
        else
            read.problems[i] = fromFault(number.fault(), texts[i]);
    }
    for (const TermFields& t : kTermFields) {
        if (read.problem(t.denominator) != FieldProblem::None)
            continue;
        if (read.number(t.denominator) == 0)
            read.problems.at(static_cast<std::size_t>(t.denominator - 1)) = FieldProblem::ZeroDenominator;
        // The run divides the two; an overflow leaves the term out as if the numerator were unreadable.
        else if (read.problem(t.numerator) == FieldProblem::None &&
                 !divide(read.number(t.numerator), read.number(t.denominator)))
            read.problems.at(static_cast<std::size_t>(t.numerator - 1)) = FieldProblem::TooLarge;
    }
    return read;
}

std::string fieldName(int field)
{
    if (field == kConstantField)
        return "Konstante";
    const char* parts[] = {"Zähler", "Nenner", "Exponent"};
    return "Term " + std::to_string((field - 1) / 3 + 1) + ", " + parts[(field - 1) % 3];
}

} // namespace kurvix
