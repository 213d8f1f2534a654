#include "check.h"

#include "runtime/number_text.h"

#include <cstdint>
#include <cstring>
#include <string>

using namespace kurvix;

namespace {

void checkShape(const std::string& text, const NumberLocale& locale)
{
    FUZZ_CHECK(!text.empty());
    FUZZ_CHECK(text.front() != ' ');
    FUZZ_CHECK(text.find(locale.decimalSeparator == "," ? '.' : ',') == std::string::npos);
    // A zero before the separator, never a bare separator.
    FUZZ_CHECK(text.find(locale.decimalSeparator) != 0 && text.find("-" + locale.decimalSeparator) != 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double) + sizeof(float))
        return 0;
    double d = 0;
    float f = 0;
    std::memcpy(&d, data, sizeof d);
    std::memcpy(&f, data + sizeof d, sizeof f);
    for (const auto& locale : {NumberLocale::german(), NumberLocale::english()}) {
        const std::string text = numberToText(d, locale);
        if (std::isfinite(d)) {
            checkShape(text, locale);
            const auto back = textToDouble(text, locale);
            FUZZ_CHECK(back.ok());
            FUZZ_CHECK(fuzz::sameTo15Digits(*back, d));
        } else {
            FUZZ_CHECK(!textToDouble(text, locale).ok());
        }
        if (std::isfinite(f)) {
            const std::string single = singleToText(f, locale);
            checkShape(single, locale);
            const auto back = textToDouble(single, locale);
            FUZZ_CHECK(back.ok());
            FUZZ_CHECK(std::fabs(*back - f) <= std::fabs(f) * 1e-6 || std::fabs(f) < 1e-37);
        }
    }
    return 0;
}
