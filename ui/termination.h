#pragma once

// Ending Kurvix cleanly on SIGTERM.

class QWidget;

namespace kurvix::ui {

// A session sends SIGTERM at logout. The first request closes
// the windows as the close box would, so a run in progress ends at its next
// yield and the program with status 0; a second SIGTERM ends even a program
// that no longer answers, at once.

// First thing at start: from then on a SIGTERM is kept until the window can take it.
void catchTermination();
// Once the window exists: a kept or later request closes it.
void closeOnTermination(QWidget& window);

} // namespace kurvix::ui
