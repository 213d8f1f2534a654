#include "numbers/decimal_scan.h"

#include <algorithm>

namespace kurvix::detail {
namespace {

constexpr std::int64_t kExponentClamp = 1'000'000'000;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// How many digits the text starts with.
std::size_t leadingDigits(std::string_view s)
{
    std::size_t n = 0;
    while (n < s.size() && isDigit(s[n]))
        ++n;
    return n;
}

std::string_view takeDigits(std::string_view& s)
{
    const std::size_t n = leadingDigits(s);
    const auto digits = s.substr(0, n);
    s.remove_prefix(n);
    return digits;
}

// The locale's separator; and a point or a comma that does not group thousands
// is a decimal separator too, under either locale.
bool takeSeparator(std::string_view& s, const NumberLocale& locale)
{
    const std::string_view sep = locale.decimalSeparator;
    if (!sep.empty() && s.starts_with(sep)) {
        s.remove_prefix(sep.size());
        return true;
    }
    if (s.starts_with('.') || s.starts_with(',')) {
        s.remove_prefix(1);
        return true;
    }
    return false;
}

bool takeSign(std::string_view& s)
{
    if (s.starts_with('-') || s.starts_with('+')) {
        const bool negative = s.front() == '-';
        s.remove_prefix(1);
        return negative;
    }
    return false;
}

// Digits grouped as the locale writes them, "1.234.567" under German and
// "1,234,567" under English: a first group of one to three digits not starting
// with 0, then groups of three, then the end, the decimal separator or an
// exponent. Anything else is left for the plain reading.
std::optional<std::string> takeGroupedDigits(std::string_view& s, const NumberLocale& locale)
{
    const char group = locale.decimalSeparator == "," ? '.' : ',';
    const std::size_t first = leadingDigits(s);
    if (first == 0 || first > 3 || s[0] == '0' || first == s.size() || s[first] != group)
        return std::nullopt;
    std::string digits(s.substr(0, first));
    std::size_t at = first;
    while (at < s.size() && s[at] == group) {
        const auto next = s.substr(at + 1, 4); // a group is exactly three digits
        if (leadingDigits(next) != 3)
            return std::nullopt;
        digits.append(next.substr(0, 3));
        at += 4;
    }
    const auto rest = s.substr(at);
    if (!rest.empty() && !rest.starts_with(locale.decimalSeparator) && rest[0] != 'e' && rest[0] != 'E')
        return std::nullopt;
    s = rest;
    return digits;
}

std::optional<std::int64_t> takeExponent(std::string_view& s)
{
    if (!s.starts_with('e') && !s.starts_with('E'))
        return 0;
    s.remove_prefix(1);
    const bool negative = takeSign(s);
    const auto digits = takeDigits(s);
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits)
        value = std::min(kExponentClamp, value * 10 + (c - '0'));
    return negative ? -value : value;
}

} // namespace

std::optional<DecimalParts> scanDecimal(std::string_view text, const NumberLocale& locale)
{
    std::string_view s = trimBlanks(text);
    DecimalParts parts;
    parts.negative = takeSign(s);
    if (auto grouped = takeGroupedDigits(s, locale))
        parts.integerDigits = std::move(*grouped);
    else
        parts.integerDigits = takeDigits(s);
    if (takeSeparator(s, locale))
        parts.fractionDigits = takeDigits(s);
    if (parts.digitCount() == 0)
        return std::nullopt;
    const auto exponent = takeExponent(s);
    if (!exponent || !s.empty())
        return std::nullopt;
    parts.exponent = *exponent;
    return parts;
}

} // namespace kurvix::detail
