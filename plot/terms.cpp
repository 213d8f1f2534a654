#include "terms.h"

#include "runtime/number_text.h"
#include "runtime/value.h"

namespace kurvix {
namespace {

Result<double> readNumber(TextBox& box, ConversionMemo<double>& memo, const NumberLocale& locale)
{
    const auto text = box.Text();
    if (!text)
        return text.fault();
    return memo(*text, [&](std::string_view t) { return textToDouble(t, locale); });
}

} // namespace

Status convertTerm(const Controls& form, const TermFields& fields, Term& term, const NumberLocale& locale)
{
    const auto numerator = readNumber(form.Text(fields.numerator), term.numerator, locale);
    if (!numerator)
        return numerator.fault();
    const auto denominator = readNumber(form.Text(fields.denominator), term.denominator, locale);
    if (!denominator)
        return denominator.fault();
    const auto coefficient = divide(*numerator, *denominator);
    if (!coefficient)
        return coefficient.fault();
    const auto exponent = readNumber(form.Text(fields.exponent), term.exponent, locale);
    if (!exponent)
        return exponent.fault();
    term.inputs = TermInputs{*coefficient, *exponent};
    return {};
}

Status convertConstant(const Controls& form, Constant& constant, const NumberLocale& locale)
{
    const auto text = form.Text(kConstantField).Text();
    if (!text)
        return text.fault();
    const auto value = constant.memo(*text, [&](std::string_view t) { return textToCurrency(t, locale); });
    if (!value)
        return value.fault();
    constant.value = *value;
    return {};
}

} // namespace kurvix
