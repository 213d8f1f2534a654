#pragma once

// The decimal separator of the user's locale.

#include "numbers/number_locale.h"

namespace kurvix::ui {

// The user's decimal separator, as the toolkit reads it from LC_ALL,
// LC_NUMERIC or LANG.
NumberLocale systemNumberLocale();

} // namespace kurvix::ui
