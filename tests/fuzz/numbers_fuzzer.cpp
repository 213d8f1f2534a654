// Numbers to text and back, and powers. Input: a double, a byte choosing the
// locale, a text.
#include "numbers/arithmetic.h"
#include "numbers/number_text.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace kurvix;

namespace {

// A violation aborts; the fuzzer reports the input and the property's line.
#define FUZZ_CHECK(property) ((property) ? void() : std::abort())

// A finite number reads back to the digits it was written with.
void checkWritten(double value, const std::string& text, const NumberLocale& locale, double precision)
{
    const auto back = textToDouble(text, locale);
    FUZZ_CHECK(back.ok() == std::isfinite(value));
    FUZZ_CHECK(!back || std::fabs(*back - value) <= std::fabs(value) * precision || std::fabs(value) < 1e-300);
    FUZZ_CHECK(text.find(locale.decimalSeparator == "," ? '.' : ',') == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    double d = 0;
    if (size < sizeof d + 1)
        return 0;
    std::memcpy(&d, data, sizeof d);
    const NumberLocale locale = (data[sizeof d] & 1) ? NumberLocale::german() : NumberLocale::english();
    const std::string_view text(reinterpret_cast<const char*>(data) + sizeof d + 1, size - sizeof d - 1);
    checkWritten(d, numberToText(d, locale), locale, 1e-14);

    // A fixed decimal is the number to four places; it fails only beyond its range.
    const auto read = textToDouble(text, locale);
    const auto fixed = textToFixedDecimal(text, locale);
    if (read)
        checkWritten(*read, numberToText(*read, locale), locale, 1e-14);
    if (fixed)
        FUZZ_CHECK(read && std::fabs(fixed->toDouble() - *read) <= 0.00005 + std::fabs(*read) * 1e-15);
    FUZZ_CHECK(fixed || !read || std::fabs(*read) >= 922337203685477.5808 * (1 - 1e-15));

    // x ^ y fails for a fraction with a negative base; it is always finite.
    if (read) {
        const auto p = power(d, *read);
        if (d < 0 && std::trunc(*read) != *read)
            FUZZ_CHECK(!p.ok());
        FUZZ_CHECK(!p || std::isfinite(*p));
    }
    return 0;
}
