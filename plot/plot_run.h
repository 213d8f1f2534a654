#pragma once

// One press of "Berechnen": the whole plot run.

#include "number_locale.h"
#include "window_parts.h"

#include <string_view>

namespace kurvix {

inline constexpr std::string_view kNoFunctionMessage = "Sie müssen noch eine Funktionsgleichung eingeben.";
inline constexpr std::string_view kDoneStatus = "Fertig...";

// Clears the area, chooses the unit, draws the cross, then sets a point for
// each of 10,000 samples from -5 to 5, yielding to the window after each.
// All run state is local, so a run started from inside a yield is complete
// in itself and the interrupted one carries on afterwards. A yield may ask
// the run to start over (a press merged into it) or to end at once.
void runPlot(const WindowParts& window, const NumberLocale& locale);

} // namespace kurvix
