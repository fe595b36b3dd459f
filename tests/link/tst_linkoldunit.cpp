#include "linktest.h"

// A unit that answers only "PC:": three silent windows for "PCCOM:", then the old
// greeting, WriteAccepted 0, and the transfer goes on.
class TestLinkOldUnit : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetGlobals(); }

    void oldUnitFallsBackToPC()
    {
        MessageRecorder rec;
        KrtSimulator sim(simOptions(KrtSimulator::Fault::OldUnit));
        sim.setImage(patternImage(4));
        QVERIFY(sim.start());
        ComSettings.Port = sim.devicePath();
        G.TransferDirection = 1;
        G.WriteAccepted = true;
        KrtProtocol link;
        bool acceptedWhenConnected = true;
        QElapsedTimer t;
        t.start();
        qint64 connectedAt = -1;
        const TransferOutcome out = RunTransfer(link, [&] {
            connectedAt = t.elapsed();
            acceptedWhenConnected = G.WriteAccepted;
        });
        QVERIFY(out.connected);
        QVERIFY(!acceptedWhenConnected);
        QVERIFY(!G.WriteAccepted);
        QVERIFY2(connectedAt >= 3000 && connectedAt < 3600, qPrintable(QString::number(connectedAt)));
        QCOMPARE(sim.stats().pccomGreetings, 3);
        QCOMPARE(sim.stats().pcGreetings, 1);
        QVERIFY(out.imageRead);
        QVERIFY(G.ParamImage == patternImage(4));
        QVERIFY(rec.texts().isEmpty());
    }

    void currentUnitNeedsOneGreeting()
    {
        MessageRecorder rec;
        SimLink s;
        G.WriteAccepted = false;
        QElapsedTimer t;
        t.start();
        QVERIFY(s.connect());
        QVERIFY(t.elapsed() < 500);
        QVERIFY(G.WriteAccepted);
        QCOMPARE(s.sim->stats().pccomGreetings, 1);
        QCOMPARE(s.sim->stats().pcGreetings, 0);
    }
};

QTEST_GUILESS_MAIN(TestLinkOldUnit)
#include "tst_linkoldunit.moc"
