#pragma once

// Where the window opens on the screen.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kurvix::ui {

// Where the window's frame goes: centred in the screen's available area, and
// where it does not fit, at the area's top-left corner, so that the title bar
// can always be reached to move it.
QPoint windowPosition(const QRect& available, const QSize& frame);

} // namespace kurvix::ui
