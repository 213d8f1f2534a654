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

Status convertTerm(const WindowParts& window, const TermFields& fields, Term& term, const NumberLocale& locale)
{
    const auto numerator = readNumber(window.field(fields.numerator), term.numerator, locale);
    if (!numerator)
        return numerator.fault();
    const auto denominator = readNumber(window.field(fields.denominator), term.denominator, locale);
    if (!denominator)
        return denominator.fault();
    const auto coefficient = divide(*numerator, *denominator);
    if (!coefficient)
        return coefficient.fault();
    const auto exponent = readNumber(window.field(fields.exponent), term.exponent, locale);
    if (!exponent)
        return exponent.fault();
    term.inputs = TermInputs{*coefficient, *exponent};
    return {};
}

Status convertConstant(const WindowParts& window, Constant& constant, const NumberLocale& locale)
{
    const auto value = constant.memo(window.field(kConstantField).sharedText(),
                                     [&](std::string_view t) { return textToFixedDecimal(t, locale); });
    if (!value)
        return value.fault();
    constant.value = *value;
    return {};
}

} // namespace kurvix
