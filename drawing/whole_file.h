#pragma once

// Writing a file whole or not at all.

#include <QByteArray>
#include <QString>

#include <optional>

namespace kurvix::drawing {

// Writes a file whole or not at all: the bytes go to a temporary file that
// replaces the named one only once complete, so a failed write leaves no
// partial file and an earlier file of that name as it was. The replaced
// file's mode, owner and group carry over; anything but a file (a folder, a
// device, a pipe) is never replaced. Returns why it failed, in German, or
// nothing when it succeeded.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes);

// What the user is told of a file not saved: its name and why.
QString notSaved(const QString& path, const QString& reason);

} // namespace kurvix::drawing
