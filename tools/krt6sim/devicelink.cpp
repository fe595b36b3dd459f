#include "devicelink.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// The target of the symbolic link at `path`; empty when it is none.
QByteArray linkTarget(const QByteArray &path)
{
    QByteArray buffer(4096, '\0');
    const ssize_t n = ::readlink(path.constData(), buffer.data(), size_t(buffer.size()));
    if (n <= 0 || n >= buffer.size())
        return {};
    buffer.truncate(n);
    return buffer;
}
} // namespace

bool makeDeviceLink(const QString &link, const QString &target, QString *error)
{
    const QByteArray path = QFile::encodeName(link);
    const QByteArray to = QFile::encodeName(target);
    struct stat st = {};
    if (::lstat(path.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            *error = QStringLiteral("a folder is in the way (only an old link is replaced)");
            return false;
        }
        if (!S_ISLNK(st.st_mode)) {
            *error = QStringLiteral("a file is in the way (only an old link is replaced)");
            return false;
        }
        if (::unlink(path.constData()) != 0) {
            *error = QStringLiteral("the old link cannot be removed: ") + systemError(errno);
            return false;
        }
    } else if (errno != ENOENT) {
        *error = systemError(errno);
        return false;
    }
    if (::symlink(to.constData(), path.constData()) != 0) {
        *error = systemError(errno);
        return false;
    }
    return true;
}

bool removeDeviceLink(const QString &link, const QString &target)
{
    const QByteArray path = QFile::encodeName(link);
    if (linkTarget(path) != QFile::encodeName(target))
        return false;
    return ::unlink(path.constData()) == 0;
}
