#include "terms.h"

#include "arithmetic.h"
#include "number_text.h"

namespace kurvix {
namespace {

Result<double> readNumber(TextSource& field, ConversionMemo<double>& memo, const NumberLocale& locale)
{
    const auto text = field.sharedText();
    if (!text)
        return text.fault();
    return memo(*text, [&](std::string_view t) { return textToDouble(t, locale); });
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
    const auto text = window.field(kConstantField).sharedText();
    if (!text)
        return text.fault();
    const auto value = constant.memo(*text, [&](std::string_view t) { return textToCurrency(t, locale); });
    if (!value)
        return value.fault();
    constant.value = *value;
    return {};
}

} // namespace kurvix
