#include "linktest.h"

#include <QTimer>

// Writing the committed image to the unit: the good write and its wire format, the
// unit's refusals, a hang-up, and cancelling. The program's images never change.
class TestLinkWrite : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        resetGlobals();
        fillGlobalImages();
        G.TransferDirection = 2;
        G.ImageModified = true;
    }

    void fullWriteLeavesTheImageInTheUnit()
    {
        MessageRecorder rec;
        KrtSimulator sim;
        QVERIFY(sim.start());
        ComSettings.Port = sim.devicePath();
        InitComSettings();
        KrtProtocol link;
        QList<QPair<int, int>> progress;
        link.setProgressHook([&](int bar, int words) { progress.append({bar, words}); });
        const TransferOutcome out = RunTransfer(link);
        QVERIFY(out.connected);
        QVERIFY(out.writeConfirmed);
        QCOMPARE(out.status, LinkStatus::Ok);
        QVERIFY(rec.texts().isEmpty());

        const auto st = sim.stats();
        QCOMPARE(st.imagesAccepted, 1);
        QCOMPARE(st.acksSent, 64);
        QCOMPARE(st.bytesAheadOfAnswer, 0);       // each block waited for its acknowledgement
        QVERIFY(sim.image() == patternImage(22)); // the committed image went out
        verifyGlobalImagesUntouched();
        QVERIFY(!G.ImageModified); // the unit now holds what was committed

        // Wire: word 5 = 0x1234 as 0x34, 0x12; the CRC low byte first.
        QCOMPARE(st.lastWriteData.size(), 2048);
        QCOMPARE(quint8(st.lastWriteData[10]), quint8(0x34));
        QCOMPARE(quint8(st.lastWriteData[11]), quint8(0x12));
        const quint16 crc = KrtSimulator::crc(st.lastWriteData);
        QCOMPARE(st.lastWriteCrc.size(), 2);
        QCOMPARE(quint8(st.lastWriteCrc[0]), quint8(crc & 0xFF));
        QCOMPARE(quint8(st.lastWriteCrc[1]), quint8(crc >> 8));

        // One report before each of the 64 acknowledgements.
        QCOMPARE(progress.size(), 64);
        QCOMPARE(progress.first(), qMakePair(15, 16));
        QCOMPARE(progress.last(), qMakePair(1023, 1024));
    }

    void unitSeesAWriterThatDoesNotWait()
    {
        // The acknowledgement check above can fail: a writer that sends the command and the
        // whole image at once is caught by the unit.
        KrtSimulator sim;
        QVERIFY(sim.start());
        QSerialPort port;
        port.setPortName(sim.devicePath());
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.write("PCCOM:");
        QVERIFY(waitUntil([&] { return port.waitForReadyRead(10) || port.bytesAvailable() > 0; }));
        QCOMPARE(port.readAll(), QByteArray(">"));
        port.write(QByteArray(1, char(0x81)) + QByteArray(2048, '\x11'));
        QVERIFY(waitUntil([&] {
            port.waitForBytesWritten(10);
            return sim.stats().acksSent == 64;
        }));
        QVERIFY(sim.stats().bytesAheadOfAnswer > 0);
    }

    void refusedWriteKeepsEverything_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("acks");
        QTest::newRow("acknowledgement 0")
            << int(KrtSimulator::Fault::ZeroAck) << "Communication Error" << 10;
        QTest::newRow("wrong CRC echo")
            << int(KrtSimulator::Fault::WrongCrcEcho) << "Transmission Error\n\rChecksum Error" << 64;
        QTest::newRow("hang-up half way")
            << int(KrtSimulator::Fault::HangUp) << "Com Error:\r\nInput/output error" << 31;
    }
    void refusedWriteKeepsEverything()
    {
        QFETCH(int, fault);
        QFETCH(QString, message);
        QFETCH(int, acks);
        MessageRecorder rec;
        KrtSimulator sim(simOptions(KrtSimulator::Fault(fault)));
        QVERIFY(sim.start());
        const auto unitBefore = sim.image();
        ComSettings.Port = sim.devicePath();
        KrtProtocol link;
        G.WriteAccepted = false;
        QElapsedTimer t;
        t.start();
        const TransferOutcome out = RunTransfer(link);
        QVERIFY(t.elapsed() < 1500);
        QVERIFY(out.connected && !out.writeConfirmed);
        QCOMPARE(out.status, LinkStatus::Failed);
        QVERIFY(!G.WriteAccepted); // set by the greeting, given back by the failure
        QCOMPARE(rec.requests().size(), 1);
        QCOMPARE(rec.requests()[0].text, message);
        QCOMPARE(rec.requests()[0].kind, MsgKind::Error);
        QCOMPARE(rec.requests()[0].buttons, int(MbOk));
        QCOMPARE(sim.stats().acksSent, acks);
        QCOMPARE(sim.stats().imagesAccepted, 0);
        QVERIFY(sim.image() == unitBefore);
        verifyGlobalImagesUntouched();
        QVERIFY(G.ImageModified);
    }

    void silentAfterTheCommand()
    {
        // A wait with nothing coming from the unit ends after its 2000 ms.
        MessageRecorder rec;
        KrtSimulator sim;
        QVERIFY(sim.start());
        ComSettings.Port = sim.devicePath();
        KrtProtocol link;
        QVERIFY(link.OpenPort());
        QCOMPARE(link.ConfigurePort(), 1);
        QVERIFY(link.ConnectToUnit());
        quint8 answer = 0xEE;
        QElapsedTimer t;
        t.start();
        QVERIFY(!link.WaitForAnswer(&answer, 1));
        QVERIFY(t.elapsed() >= 2000 && t.elapsed() < 2600);
        QCOMPARE(answer, quint8(0xEE));
        QCOMPARE(rec.texts(), QStringList{"Transmission Writeerror\r\nNo answer from KRT-6"});
        QVERIFY(!link.WaitForAnswer(&answer, 0)); // nothing to wait for
        QCOMPARE(rec.texts().size(), 1);
    }

    void cancelDuringAWrite()
    {
        MessageRecorder rec;
        KrtSimulator sim(simOptions(KrtSimulator::Fault::None, true)); // a write takes over 2 s
        QVERIFY(sim.start());
        const auto unitBefore = sim.image();
        ComSettings.Port = sim.devicePath();
        KrtProtocol link;
        int lastWords = 0;
        link.setProgressHook([&](int, int words) { lastWords = words; });
        QTimer::singleShot(400, [&] { link.requestCancel(); });
        QElapsedTimer t;
        t.start();
        const TransferOutcome out = RunTransfer(link);
        QVERIFY(t.elapsed() < 1500);
        QVERIFY(out.connected && !out.writeConfirmed);
        QCOMPARE(out.status, LinkStatus::Aborted);
        QVERIFY(lastWords > 0 && lastWords < 1024);
        QCOMPARE(rec.requests().size(), 1);
        const MessageRequest &m = rec.requests()[0];
        QCOMPARE(m.text, QString("Transmission abort\n\rWrite again!"));
        QCOMPARE(m.kind, MsgKind::Warning);
        QCOMPARE(m.buttons, int(MbOk | MbHelp));
        QCOMPARE(m.helpContext, 34);
        QVERIFY(sim.image() == unitBefore);
        verifyGlobalImagesUntouched();
        QVERIFY(G.ImageModified);
    }
};

QTEST_GUILESS_MAIN(TestLinkWrite)
#include "tst_linkwrite.moc"
