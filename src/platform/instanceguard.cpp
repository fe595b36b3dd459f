#include "instanceguard.h"

#include <QDir>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <sys/types.h>
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
        return false;
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

void TInstanceGuard::release()
{
    if (m_held) {
        m_lock.unlock();
        m_held = false;
    }
}
