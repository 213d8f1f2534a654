#include "numbers/number_text.h"

#include "numbers/decimal_scan.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kurvix {
namespace {

using detail::DecimalParts;

// Decimal magnitudes far outside the double range: skip the exact parse.
constexpr std::int64_t kBeyondDoubleMax = 310;
constexpr std::int64_t kBelowDoubleMin = -330;
// Numbers are written to this many significant digits.
constexpr int kSignificantDigits = 15;
// The largest number of 15 significant digits within the double range.
constexpr double kLargestFifteenDigits = 1.79769313486231e308;

std::size_t leadingZeros(const DecimalParts& p)
{
    std::size_t n = 0;
    while (n < p.digitCount() && p.digit(n) == '0')
        ++n;
    return n;
}

std::size_t significantEnd(const DecimalParts& p)
{
    std::size_t end = p.digitCount();
    while (end > 0 && p.digit(end - 1) == '0')
        --end;
    return end;
}

double signedZero(bool negative) { return negative ? -0.0 : 0.0; }

// Writes the digits as "0.<digits>e<magnitude>" for from_chars, which is
// locale-independent and correctly rounded.
std::string canonicalText(const DecimalParts& p, std::size_t first, std::size_t end, std::int64_t magnitude)
{
    std::string text;
    text.reserve(end - first + 32);
    if (p.negative)
        text += '-';
    text += "0.";
    for (std::size_t i = first; i < end; ++i)
        text += p.digit(i);
    text += 'e';
    text += std::to_string(magnitude);
    return text;
}

struct Scientific {
    bool negative = false;
    std::string digits; // significant digits, trailing zeros dropped, at least one
    int exponent = 0;   // of the first digit
};

Scientific toScientific(double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    Scientific out;
    std::size_t i = 0;
    if (s[i] == '-') {
        out.negative = true;
        ++i;
    }
    const auto e = s.find('e');
    for (; i < e; ++i)
        if (s[i] != '.')
            out.digits += s[i];
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+'), s.data() + s.size(), out.exponent);
    while (out.digits.size() > 1 && out.digits.back() == '0')
        out.digits.pop_back();
    return out;
}

std::string exponentSuffix(int exponent)
{
    std::string text = exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        text += '0';
    return text + std::to_string(magnitude);
}

std::string layOut(const Scientific& s, const NumberLocale& locale)
{
    std::string text = s.negative ? "-" : "";
    const auto& d = s.digits;
    if (s.exponent >= kSignificantDigits || s.exponent < -5) {
        text += d.front();
        if (d.size() > 1)
            text += locale.decimalSeparator + d.substr(1);
        return text + exponentSuffix(s.exponent);
    }
    if (s.exponent < 0) {
        text += "0" + locale.decimalSeparator;
        text.append(static_cast<std::size_t>(-s.exponent - 1), '0');
        return text + d;
    }
    const auto integerLength = static_cast<std::size_t>(s.exponent) + 1;
    if (d.size() <= integerLength)
        return text + d + std::string(integerLength - d.size(), '0');
    return text + d.substr(0, integerLength) + locale.decimalSeparator + d.substr(integerLength);
}

std::string floatToText(double value, const NumberLocale& locale)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    if (value == 0)
        return "0";
    return layOut(toScientific(value), locale);
}

bool roundsUp(const DecimalParts& p, std::int64_t roundPos, std::uint64_t ticks)
{
    const auto digitAt = [&](std::int64_t i) {
        return i >= 0 && i < static_cast<std::int64_t>(p.digitCount()) ? p.digit(static_cast<std::size_t>(i)) - '0' : 0;
    };
    const int first = digitAt(roundPos);
    if (first != 5)
        return first > 5;
    for (auto i = std::max<std::int64_t>(roundPos + 1, 0); i < static_cast<std::int64_t>(p.digitCount()); ++i)
        if (p.digit(static_cast<std::size_t>(i)) != '0')
            return true;
    return (ticks & 1U) != 0; // a tie goes to the even neighbour
}

} // namespace

Result<double> textToDouble(std::string_view text, const NumberLocale& locale)
{
    const auto parts = detail::scanDecimal(text, locale);
    if (!parts)
        return Fault::NotANumber;
    const std::size_t first = leadingZeros(*parts);
    if (first == parts->digitCount())
        return signedZero(parts->negative);
    const std::int64_t magnitude =
        static_cast<std::int64_t>(parts->integerDigits.size()) - static_cast<std::int64_t>(first) + parts->exponent;
    if (magnitude > kBeyondDoubleMax)
        return Fault::Overflow;
    if (magnitude < kBelowDoubleMin)
        return signedZero(parts->negative);

    const std::string canonical = canonicalText(*parts, first, significantEnd(*parts), magnitude);
    double value = 0;
    const auto res = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (res.ec == std::errc::result_out_of_range)
        return magnitude > 0 ? Result<double>(Fault::Overflow) : Result<double>(signedZero(parts->negative));
    if (res.ec != std::errc() || !std::isfinite(value))
        return Fault::Overflow;
    return value;
}

Result<FixedDecimal> textToFixedDecimal(std::string_view text, const NumberLocale& locale)
{
    const auto parts = detail::scanDecimal(text, locale);
    if (!parts)
        return Fault::NotANumber;
    constexpr int kDecimals = 4;
    constexpr std::int64_t kMaxIntegerDigits = 19;
    const std::size_t first = leadingZeros(*parts);
    if (first == parts->digitCount())
        return FixedDecimal{};
    // Position, counted in the digit sequence, of the point of the value in ten-thousandths.
    const std::int64_t point = static_cast<std::int64_t>(parts->integerDigits.size()) + parts->exponent + kDecimals;
    if (point - static_cast<std::int64_t>(first) > kMaxIntegerDigits)
        return Fault::Overflow;

    std::uint64_t ticks = 0;
    for (auto i = static_cast<std::int64_t>(first); i < point; ++i) {
        const auto digit =
            i < static_cast<std::int64_t>(parts->digitCount()) ? parts->digit(static_cast<std::size_t>(i)) - '0' : 0;
        if (__builtin_mul_overflow(ticks, 10U, &ticks) ||
            __builtin_add_overflow(ticks, static_cast<unsigned>(digit), &ticks))
            return Fault::Overflow;
    }
    if (roundsUp(*parts, point, ticks) && __builtin_add_overflow(ticks, 1U, &ticks))
        return Fault::Overflow;

    constexpr auto kMaxPositive = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (ticks > kMaxPositive + (parts->negative ? 1U : 0U))
        return Fault::Overflow;
    if (parts->negative)
        return FixedDecimal::fromTicks(static_cast<std::int64_t>(0U - ticks));
    return FixedDecimal::fromTicks(static_cast<std::int64_t>(ticks));
}

std::string numberToText(double value, const NumberLocale& locale)
{
    if (!std::isfinite(value) || std::fabs(value) < kLargestFifteenDigits)
        return floatToText(value, locale);
    // Rounded up, the largest doubles would be written as a number beyond
    // the double range that no longer reads back; round those toward zero.
    Scientific s = toScientific(kLargestFifteenDigits);
    s.negative = value < 0;
    return layOut(s, locale);
}

std::string roundedToText(double value, int decimals, const NumberLocale& locale)
{
    if (!(std::fabs(value) < 1e15)) // beyond what decimals can show: as numberToText writes it
        return numberToText(value, locale);
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals).ptr;
    std::string text(buf, end);
    if (decimals > 0) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    if (const auto point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, locale.decimalSeparator);
    return text;
}

} // namespace kurvix
