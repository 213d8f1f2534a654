#include "check.h"

#include "runtime/number_text.h"
#include "runtime/value.h"

#include <cstdint>
#include <cstring>
#include <string_view>

using namespace kurvix;

// x ^ text, as a term computes it: base from the first bytes, exponent text
// from the rest.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double) + 1)
        return 0;
    double base = 0;
    std::memcpy(&base, data, sizeof base);
    if (!std::isfinite(base))
        return 0;
    const NumberLocale locale = (data[sizeof base] & 1) ? NumberLocale::german() : NumberLocale::english();
    const std::string_view text(reinterpret_cast<const char*>(data) + sizeof base + 1, size - sizeof base - 1);

    const auto exponent = textToDouble(text, locale);
    const auto p = power(base, Value::text(text), locale);
    if (!exponent) {
        FUZZ_CHECK(!p.ok());
        return 0;
    }
    if (base < 0 && std::trunc(*exponent) != *exponent)
        FUZZ_CHECK(!p.ok());
    if (p) {
        FUZZ_CHECK(p->kind() == Value::Kind::Double);
        FUZZ_CHECK(std::isfinite(p->real()));
    }
    return 0;
}
