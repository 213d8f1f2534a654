#pragma once

// What a screen reader hears of the window: names, descriptions, roles and actions.

#include <QString>

namespace kurvix::ui {

// Lets a screen reader see the plotting area as an image and hear the unit
// box by its own name, whatever text it holds. Safe to call more than once.
void installAccessibleInterfaces();

// Term field 1 .. 10 as a screen reader names and describes it.
QString termFieldName(int field);
QString termFieldDescription(int field);

} // namespace kurvix::ui
