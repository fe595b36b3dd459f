#include "linktest.h"

// The greeting: a current unit answers the first "PCCOM:"; an old one only "PC:", after
// three silent windows, with WriteAccepted 0 and the transfer going on; a silent unit
// gets three of each, about six seconds, then the no-answer box, and nothing changes.
class TestLinkGreeting : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        resetGlobals();
        fillGlobalImages();
        G.TransferDirection = 1;
    }

    void currentUnitNeedsOneGreeting()
    {
        MessageRecorder rec;
        SimLink s;
        QElapsedTimer t;
        t.start();
        QVERIFY(s.connect());
        QVERIFY(t.elapsed() < 500);
        QVERIFY(G.WriteAccepted);
        QCOMPARE(s.sim->stats().pccomGreetings, 1);
        QCOMPARE(s.sim->stats().pcGreetings, 0);
    }

    void oldUnitFallsBackToPC()
    {
        MessageRecorder rec;
        KrtSimulator sim(simOptions(KrtSimulator::Fault::OldUnit));
        sim.setImage(patternImage(4));
        QVERIFY(startUnit(sim));
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
        QVERIFY(out.connected && out.imageRead);
        QVERIFY(!acceptedWhenConnected);
        QVERIFY(!G.WriteAccepted);
        QVERIFY2(connectedAt >= 3000 && connectedAt < 3600, qPrintable(QString::number(connectedAt)));
        QCOMPARE(sim.stats().pccomGreetings, 3);
        QCOMPARE(sim.stats().pcGreetings, 1);
        QVERIFY(G.ParamImage == patternImage(4));
        QVERIFY(rec.texts().isEmpty());
    }

    void silentUnit()
    {
        G.WriteAccepted = true;
        MessageRecorder rec;
        KrtSimulator sim(simOptions(KrtSimulator::Fault::Silent));
        QVERIFY(startUnit(sim));
        KrtProtocol link;
        int connected = 0;
        QElapsedTimer t;
        t.start();
        const TransferOutcome out = RunTransfer(link, [&] { ++connected; });
        const qint64 ms = t.elapsed();
        QVERIFY(out.portOpened && !out.connected);
        QCOMPARE(out.status, LinkStatus::Failed);
        QCOMPARE(connected, 0);
        QVERIFY2(ms >= 6000 && ms < 7000, qPrintable(QString::number(ms)));
        QCOMPARE(sim.stats().pccomGreetings, 3);
        QCOMPARE(sim.stats().pcGreetings, 3);
        QCOMPARE(sim.stats().readCommands, 0);
        QCOMPARE(describeMessages(rec),
                 QStringList{describeMessage("Transmission Error\r\nNo answer from KRT-6", MsgKind::Error,
                                             MbOk | MbHelp, 34)});
        QVERIFY(G.WriteAccepted); // the data in the program did not become old data
        QVERIFY(!G.ImageModified);
        verifyGlobalImagesUntouched();
        QVERIFY(!link.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestLinkGreeting)
#include "tst_linkgreeting.moc"
