#include "linktest.h"

// A unit that never answers: three "PCCOM:", three "PC:", about six seconds, then the
// no-answer box with its Help button; nothing of the program changes.
class TestLinkSilent : public QObject
{
    Q_OBJECT
private slots:
    void silentUnit()
    {
        resetGlobals();
        fillGlobalImages();
        G.TransferDirection = 1;
        G.WriteAccepted = true;
        G.ImageModified = false;
        MessageRecorder rec;
        KrtSimulator sim(simOptions(KrtSimulator::Fault::Silent));
        QVERIFY(sim.start());
        ComSettings.Port = sim.devicePath();
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
        QCOMPARE(rec.requests().size(), 1);
        const MessageRequest &m = rec.requests()[0];
        QCOMPARE(m.text, QString("Transmission Error\r\nNo answer from KRT-6"));
        QCOMPARE(m.kind, MsgKind::Error);
        QCOMPARE(m.buttons, int(MbOk | MbHelp));
        QCOMPARE(m.helpContext, 34);
        QVERIFY(G.WriteAccepted); // the data in the program did not become old data
        QVERIFY(!G.ImageModified);
        verifyGlobalImagesUntouched();
        QVERIFY(!link.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestLinkSilent)
#include "tst_linksilent.moc"
