#include "whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace kurvix::ui {
namespace {

QString reason(int error, const QString& path, const QString& detail = {})
{
    if (error == ENOENT && QFileInfo(path).absoluteDir().exists())
        return QStringLiteral("Dort kann keine Datei angelegt werden."); // such as /proc
    switch (error) {
    case EACCES:
    case EPERM: return QStringLiteral("Dort darf nicht geschrieben werden.");
    case EROFS: return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENOSPC:
    case EDQUOT: return QStringLiteral("Auf dem Datenträger ist kein Platz mehr.");
    case EFBIG: return QStringLiteral("Die Datei wäre größer, als hier erlaubt ist.");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("Diesen Ordner gibt es nicht.");
    case EISDIR: return QStringLiteral("Unter diesem Namen gibt es schon einen Ordner.");
    case ENAMETOOLONG: return QStringLiteral("Der Name ist zu lang.");
    default: return QStringLiteral("Fehler beim Schreiben (%1).").arg(detail);
    }
}

} // namespace

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes)
{
    if (QFileInfo(path).isDir())
        return reason(EISDIR, path);
    QSaveFile file(path);
    errno = 0;
    // Unbuffered, so that a write cut short (a full disk, a size limit) shows here and is never committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return reason(errno, path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancelWriting();
        return reason(error, path, file.errorString());
    }
    errno = 0;
    if (!file.commit())
        return reason(errno, path, file.errorString());
    return std::nullopt;
}

} // namespace kurvix::ui
