// The single-instance guard: in-process, and with the real program started twice.

#include "instanceguard.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString Program = QStringLiteral(KRT_BINARY_DIR "/src/krt6config");

// The process id recorded in the lock file of dir, 0 when there is none.
qint64 lockHolder(const QString &dir)
{
    QLockFile probe(QDir(dir).filePath(TInstanceGuard::lockFileName()));
    qint64 pid = 0;
    QString host, app;
    if (!QFile::exists(QDir(dir).filePath(TInstanceGuard::lockFileName())) ||
        !probe.getLockInfo(&pid, &host, &app))
        return 0;
    return pid;
}

// Starts the program with its temporary directory in dir, offscreen.
void start(QProcess &p, const QString &dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", dir);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.setProgram(Program);
    p.start();
}

void stop(QProcess &p)
{
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
    }
}
} // namespace

class TestInstanceGuard : public QObject
{
    Q_OBJECT
private slots:
    // The first guard gets the lock whether no lock file exists yet or one without its
    // owner's line was left (a run killed before writing it); emptied while a running
    // copy holds it, it still keeps a second one out.
    void secondGuardRefusedUntilFirstReleases_data()
    {
        QTest::addColumn<bool>("leftBehind");
        QTest::newRow("no lock file") << false;
        QTest::newRow("empty lock file left behind") << true;
    }
    void secondGuardRefusedUntilFirstReleases()
    {
        QFETCH(bool, leftBehind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TInstanceGuard first(dir.path()), second(dir.path());
        if (leftBehind)
            QVERIFY(QFile(first.fileName()).open(QIODevice::WriteOnly));
        QCOMPARE(QFile::exists(first.fileName()), leftBehind);
        QVERIFY(first.acquire() && first.isHeld());
        QCOMPARE(lockHolder(dir.path()), QCoreApplication::applicationPid());
        QCOMPARE(QFileInfo(first.fileName()).fileName(), QStringLiteral("telvo742.exe.lock"));
        QVERIFY(!second.acquire() && !second.isHeld());
        QVERIFY(QFile::resize(first.fileName(), 0));
        QVERIFY(!second.acquire());
        first.release();
        QVERIFY(second.acquire() && second.isHeld());
        QVERIFY(!first.acquire());
    }

    // No lock can be made: no other copy is known to run, so the start goes on.
    void noLockFolderLetsTheStartGoOn()
    {
        const QString none = QStringLiteral("/nonexistent/folder/for/krt6");
        TInstanceGuard guard(none);
        QVERIFY(guard.acquire() && !guard.isHeld());
        QProcess program;
        start(program, none);
        QVERIFY(program.waitForStarted(5000));
        QTest::qWait(1000);
        QCOMPARE(program.state(), QProcess::Running);
        QVERIFY(!program.readAllStandardError().contains("Program already running !"));
        stop(program);
        QVERIFY(!QFile::exists(TInstanceGuard::lockFileName())); // none in the working folder
    }

    // The real program: a second start while the first runs is refused and opens no
    // window; after the first was killed, the next start takes over the lock.
    void programRunsOnce()
    {
        QVERIFY2(QFile::exists(Program), qPrintable(Program));
        QTemporaryDir dir;
        QProcess first, second, third;
        start(first, dir.path());
        QVERIFY(first.waitForStarted(5000));
        QTRY_COMPARE_WITH_TIMEOUT(lockHolder(dir.path()), first.processId(), 10000);

        start(second, dir.path());
        QVERIFY(second.waitForStarted(5000));
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += second.readAllStandardError()).contains("Program already running !"),
                                 10000);
        // It stopped at the box: the first one still holds the lock and is running.
        QCOMPARE(lockHolder(dir.path()), first.processId());
        QCOMPARE(first.state(), QProcess::Running);
        stop(second);

        first.kill(); // like kill -9: the lock file stays behind
        QVERIFY(first.waitForFinished(5000));
        QVERIFY(QFile::exists(QDir(dir.path()).filePath(TInstanceGuard::lockFileName())));

        start(third, dir.path());
        QVERIFY(third.waitForStarted(5000));
        QTRY_COMPARE_WITH_TIMEOUT(lockHolder(dir.path()), third.processId(), 10000);
        QTest::qWait(300);
        QCOMPARE(third.state(), QProcess::Running);
        QVERIFY(!third.readAllStandardError().contains("Program already running !"));
        stop(third);
    }
};

QTEST_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
