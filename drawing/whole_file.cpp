#include "drawing/whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kurvix::drawing {
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

// The file's own error first (Qt calls a full disk a resource error), then
// errno as the failing call left it.
QString reason(const QSaveFile& file, int error, const QString& path)
{
    if (file.error() == QFileDevice::ResourceError && error != EMFILE)
        return reason(ENOSPC, path);
    return reason(error, path, file.errorString());
}

// Returns errno as the call left it, 0 where it succeeded.
template <class Call>
int failureOf(Call call)
{
    errno = 0;
    return call() ? 0 : (errno ? errno : -1);
}

// The replaced file's mode, and its owner and group where the user may give them (root may).
// Qt copies the mode as the user may use the file, which for root is more than it was.
void keepOwnerAndMode(const QSaveFile& file, const QString& path)
{
    struct stat earlier = {};
    if (::stat(QFile::encodeName(path).constData(), &earlier) != 0)
        return;
    if (::fchown(file.handle(), earlier.st_uid, earlier.st_gid) != 0) {
        [[maybe_unused]] const int group = ::fchown(file.handle(), static_cast<uid_t>(-1), earlier.st_gid);
    }
    [[maybe_unused]] const int mode = ::fchmod(file.handle(), earlier.st_mode & 0777);
}

} // namespace

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo earlier(path); // a link counts as what it points to
    if (earlier.isDir())
        return reason(EISDIR, path);
    if (earlier.exists() && !earlier.isFile()) // a device or a pipe is never replaced by a file
        return QStringLiteral("Unter diesem Namen gibt es schon etwas anderes als eine Datei.");
    QSaveFile file(path);
    // Unbuffered, so that a write cut short (a full disk, a size limit) shows here and is never committed.
    if (const int error = failureOf([&] { return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered); }))
        return reason(file, error, path);
    if (earlier.exists())
        keepOwnerAndMode(file, path);
    if (const int error = failureOf([&] { return file.write(bytes) == bytes.size(); })) {
        file.cancelWriting();
        return reason(file, error, path);
    }
    if (const int error = failureOf([&] { return file.commit(); }))
        return reason(file, error, path);
    return std::nullopt;
}

QString notSaved(const QString& path, const QString& reason)
{
    return QStringLiteral("„%1“ wurde nicht gespeichert. %2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace kurvix::drawing
