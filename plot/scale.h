#pragma once

#include "controls.h"
#include "runtime/continuation.h"

namespace kurvix {

inline constexpr Colour kAxisColour{12};

// Sets the unit from the combo text ("cm" and "Maßstab" centimetres, "mm",
// "Zoll"; anything else keeps the unit) and prints the centimetre ticks.
void selectScale(Continuation& on, const Controls& form);

// The coordinate cross through the centre of the surface.
void drawAxes(Continuation& on, const Controls& form);

} // namespace kurvix
