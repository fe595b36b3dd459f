#include "instanceguard.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {
QString lockPath(const QString &dir)
{
    // Qt names no temporary folder when the one set does not exist; then no lock is made
    // (rather than one in the working folder).
    const QString folder = dir.isEmpty() ? QDir::tempPath() : dir;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(TInstanceGuard::lockFileName());
}

// True when no process with this id exists any more.
bool processGone(qint64 pid)
{
    if (pid <= 0)
        return true;
#ifdef Q_OS_UNIX
    return ::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH;
#else
    return false; // QLockFile's own check covers the other platforms
#endif
}
} // namespace

TInstanceGuard::TInstanceGuard(const QString &dir) : m_fileName(lockPath(dir)), m_lock(m_fileName)
{
    // Never treat a lock as stale because of its age: a run may last for days.
    // Only a lock whose process is gone is taken over.
    m_lock.setStaleLockTime(0);
}

TInstanceGuard::~TInstanceGuard()
{
    release();
}

bool TInstanceGuard::acquire()
{
    if (m_held)
        return true;
    if (m_lock.tryLock(0)) {
        m_held = true;
        return true;
    }
    // No lock can be made (no permission, no temporary folder): no other copy is known
    // to run, so the start goes on without the guard.
    if (m_lock.error() != QLockFile::LockFailedError)
        return true;
    qint64 pid = 0;
    QString host;
    QString app;
    if (!m_lock.getLockInfo(&pid, &host, &app))
        return takeOverUnreadableLock();
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return false;
    if (!processGone(pid))
        return false;
    // The copy that made the lock is gone: its lock is taken over, and when it cannot
    // be removed the start goes on unguarded.
    if (!m_lock.removeStaleLockFile())
        return true;
    m_held = m_lock.tryLock(0);
    // A copy that started meanwhile may have taken it.
    return m_held || m_lock.error() != QLockFile::LockFailedError;
}

bool TInstanceGuard::takeOverUnreadableLock()
{
#ifdef Q_OS_UNIX
    // A running copy holds an flock() on its lock file. A file without its owner's line
    // (a run killed between making and writing it) that nobody holds is taken over.
    const int fd = ::open(QFile::encodeName(m_fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool held = !free && errno == EWOULDBLOCK;
    const bool removed = free && ::unlink(QFile::encodeName(m_fileName).constData()) == 0;
    ::close(fd);
    if (held)
        return false;
    if (!removed)
        return true; // no other copy is known to run: the start goes on unguarded
    m_held = m_lock.tryLock(0);
    return m_held || m_lock.error() != QLockFile::LockFailedError;
#else
    return false;
#endif
}

void TInstanceGuard::release()
{
    if (m_held) {
        m_lock.unlock();
        m_held = false;
    }
}
