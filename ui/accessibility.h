#pragma once

// What a screen reader hears of the window: names, descriptions, roles and actions.

#include "plot/field_check.h"
#include "plot/plotting_area.h"

#include <QString>

namespace kurvix::ui {

// Lets a screen reader see the plotting area as an image and hear the unit
// box by its own name, whatever text it holds. Safe to call more than once.
void installAccessibleInterfaces();

// Term field 1 .. 10 as a screen reader names and describes it.
QString termFieldName(int field);
QString termFieldDescription(int field);
// Why the plot cannot read a field, in a word or two; empty where it can.
QString fieldProblemText(FieldProblem problem);

// What the plotting area shows: nothing yet, a run drawing, or what a run
// drew with the curve's discussion; and what its context menu offers.
enum class AreaState { BeforeAnyRun, Drawing, NoFunction, Drawn };
QString areaDescription(AreaState state, Unit unit = Unit::Centimetre, int points = 0, const QString& discussion = {});

} // namespace kurvix::ui
