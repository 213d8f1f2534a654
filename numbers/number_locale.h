#pragma once

// How the user's locale writes numbers.

#include <string>

namespace kurvix {

// How numbers are written for the user. The window fills this from the
// user's locale; everything below the window only reads it.
struct NumberLocale {
    std::string decimalSeparator = ".";

    static NumberLocale english() { return NumberLocale{"."}; }
    static NumberLocale german() { return NumberLocale{","}; }
};

} // namespace kurvix
