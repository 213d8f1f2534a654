#pragma once

// The command line: --help, --version, and Qt's own options.

#include <QString>
#include <QStringList>

#include <cstdio>

namespace kurvix::ui {

// What the command line asks of Kurvix: the window, the usage, the version,
// or nothing because an argument is not understood. Qt's own options
// (-platform, -style, ...) pass through to Qt.
struct CommandLine {
    enum class Action { OpenWindow, PrintUsage, PrintVersion, Refuse };
    Action action = Action::OpenWindow;
    QString text; // the usage, the version line, or why the command line is refused; each ends in a newline
};

CommandLine readCommandLine(const QStringList& arguments, const QString& version, bool german);

// Writes the usage or version to `out`, a refusal to `err`. Returns the exit
// status: 1 for a refusal, and where the answer could not be written.
int answer(const CommandLine& line, std::FILE* out, std::FILE* err, bool german);

// The line that says why the window cannot open: no such Qt platform, or no display.
QString cannotStart(bool platformMissing, bool german);

} // namespace kurvix::ui
