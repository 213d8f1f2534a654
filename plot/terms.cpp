#include "plot/terms.h"

#include "numbers/arithmetic.h"
#include "numbers/number_text.h"

namespace kurvix {
namespace {

Result<double> readNumber(const TextSource& field, ConversionMemo<double>& memo, const NumberLocale& locale)
{
    return memo(field.sharedText(), [&](std::string_view t) { return textToDouble(t, locale); });
}

} // namespace

void readTerm(const WindowParts& window, const TermFields& fields, Term& term, const NumberLocale& locale)
{
    const auto numerator = readNumber(window.field(fields.numerator), term.numerator, locale);
    const auto denominator = readNumber(window.field(fields.denominator), term.denominator, locale);
    if (!numerator || !denominator)
        return;
    const auto coefficient = divide(*numerator, *denominator);
    const auto exponent = readNumber(window.field(fields.exponent), term.exponent, locale);
    if (coefficient && exponent)
        term.inputs = TermInputs{*coefficient, *exponent};
}

void readConstant(const WindowParts& window, Constant& constant, const NumberLocale& locale)
{
    const auto value = constant.memo(window.field(kConstantField).sharedText(),
                                     [&](std::string_view t) { return textToFixedDecimal(t, locale); });
    if (value)
        constant.value = *value;
}

} // namespace kurvix
