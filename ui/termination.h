#pragma once

class QWidget;

namespace kurvix::ui {

// Closes the windows when the program is asked to end (SIGTERM, as a session
// sends at logout), as the window's close box would: a run in progress ends
// at its next yield, and the program with status 0.
void closeOnTermination(QWidget& window);

} // namespace kurvix::ui
