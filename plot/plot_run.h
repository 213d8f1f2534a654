#pragma once

// One press of "Berechnen": the whole plot run.

#include "numbers/number_locale.h"
#include "numbers/result.h"
#include "plot/window_parts.h"

#include <string_view>

namespace kurvix {

inline constexpr std::string_view kNoFunctionMessage = "Sie müssen noch eine Funktionsgleichung eingeben.";
inline constexpr std::string_view kDoneStatus = "Fertig...";

// How a run ended: all samples done; term 1 gave no function, so the run
// showed the message and stopped; or a yield ended it (the window closed, or
// a nested run stopped for want of a function).
enum class RunEnd { Finished, NoFunction, Stopped };

// Clears the area, chooses the unit, draws the cross, then sets a point for
// each of 10,000 samples from -5 to 5, yielding to the window after each.
// All run state is local, so a run started from inside a yield is complete
// in itself and the interrupted one carries on afterwards. A yield may ask
// the run to start over (a press merged into it) or to end at once.
RunEnd runPlot(const WindowParts& window, const NumberLocale& locale);

// Where the function's point (x, y) lies on the area: the function's origin is
// the area's centre, and y grows downward as on the area. Fails beyond the floats.
Result<PointF> centredOnArea(const PlottingArea& area, double x, double y);

} // namespace kurvix
