#pragma once

// The coordinate cross: the unit the run draws in, the centimetre tick labels
// and the two axes.

#include "plot/window_parts.h"

namespace kurvix {

inline constexpr Colour kAxisColour{12, 0, 0};

// Sets the unit from the unit box's text ("cm" and "Maßstab" centimetres,
// "mm", "Zoll"; anything else keeps the unit); for centimetres it also
// writes the tick labels.
void chooseUnit(const WindowParts& window);

// The axes through the centre of the area.
void drawAxes(PlottingArea& area);

} // namespace kurvix
