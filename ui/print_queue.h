#pragma once

// What the print system says about a job or a queue, for the user.

#include <QString>

#include <optional>

namespace kurvix::ui {

// Why the print system refused the last job this thread handed to it, in its
// own words; nothing where it took the job.
std::optional<QString> jobRefusal();

// Why the printer holds jobs instead of printing them (stopped, with the
// reason its administrator gave); nothing where it prints.
std::optional<QString> queueHeld(const QString& printer);

} // namespace kurvix::ui
