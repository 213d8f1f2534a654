#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>

// A property that must hold for every input; a violation is a crash the
// fuzzer reports with the input that caused it.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace kurvix::fuzz {

// Equal to 15 significant digits (with room for the subnormal range).
inline bool sameTo15Digits(double a, double b)
{
    return std::fabs(a - b) <= std::fabs(b) * 1e-14 || std::fabs(a - b) < 1e-300;
}

} // namespace kurvix::fuzz
