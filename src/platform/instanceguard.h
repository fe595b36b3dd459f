#pragma once
// Single-instance guard: a lock file "telvo742.exe.lock" in the temporary directory,
// held for the whole run. A lock left behind by a run that was killed (its process is
// gone, or it died before writing its line and nobody holds the file) is taken over.

#include <QLockFile>
#include <QString>

class TInstanceGuard
{
public:
    // dir: folder of the lock file; QDir::tempPath() when empty.
    explicit TInstanceGuard(const QString &dir = QString());
    ~TInstanceGuard();
    TInstanceGuard(const TInstanceGuard &) = delete;
    TInstanceGuard &operator=(const TInstanceGuard &) = delete;

    // False only when another running instance holds the lock. True when this process
    // now holds it, and also when no lock file can be made at all (isHeld() false).
    bool acquire();
    // Gives the lock up (also done by the destructor).
    void release();
    bool isHeld() const { return m_held; }
    QString fileName() const { return m_fileName; }

    static QString lockFileName() { return QStringLiteral("telvo742.exe.lock"); }

private:
    // acquire()'s answer for a lock file whose owner cannot be read.
    bool takeOverUnreadableLock();

    QString m_fileName;
    QLockFile m_lock;
    bool m_held = false;
};
