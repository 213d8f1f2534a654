#pragma once

#include "controls.h"
#include "runtime/number_locale.h"

#include <string_view>

namespace kurvix {

inline constexpr std::string_view kNoFunctionPrompt = "Sie müssen noch eine Funktionsgleichung eingeben.";
inline constexpr std::string_view kDoneCaption = "Fertig...";

// One press of "Berechnen": clear, choose the unit, draw the cross, then set
// a point for each of 10,000 samples from -5 to 5, yielding after each.
// All run state is local, so a run started from inside DoEvents is complete
// in itself and the interrupted one carries on afterwards. A yield may ask
// the run to start over (a press merged into it) or to end at once.
void Command1_Click(const Controls& form, const NumberLocale& locale);

} // namespace kurvix
