#include "check.h"

#include "runtime/number_text.h"

#include <cstdint>
#include <string_view>

using namespace kurvix;

namespace {

constexpr double kCurrencyLimit = 922337203685477.5808;

void checkUnder(std::string_view text, const NumberLocale& locale)
{
    const auto d = textToDouble(text, locale);
    if (d) {
        FUZZ_CHECK(std::isfinite(*d));
        const auto back = textToDouble(numberToText(*d, locale), locale);
        FUZZ_CHECK(back.ok());
        FUZZ_CHECK(fuzz::sameTo15Digits(*back, *d));
    }
    const auto c = textToCurrency(text, locale);
    if (c) {
        // Written out and read back, a currency is exactly itself.
        const auto back = textToCurrency(currencyToText(*c, locale), locale);
        FUZZ_CHECK(back.ok() && *back == *c);
        // Both readings see the same number: the currency is the double to four places.
        FUZZ_CHECK(d.ok());
        FUZZ_CHECK(std::fabs(c->toDouble() - *d) <= 0.00005 + std::fabs(*d) * 1e-15);
    } else if (d) {
        // Only text beyond the currency range fails as a currency when it is a number.
        FUZZ_CHECK(std::fabs(*d) >= kCurrencyLimit * (1 - 1e-15));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkUnder(text, NumberLocale::german());
    checkUnder(text, NumberLocale::english());
    return 0;
}
