#include "linktest.h"

#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

using Fault = KrtSimulator::Fault;

// Reading the image from the unit and writing the committed image to it: the good
// transfers and their wire format, every way they fail, and cancelling. A transfer that
// does not complete changes nothing, neither in the program nor in the unit.
class TestLinkTransfer : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        resetGlobals();
        fillGlobalImages();
    }

    void fullReadHandsBackTheUnitsImage()
    {
        MessageRecorder rec;
        SimLink s(simOptions(Fault::None, true)); // at the line's pace, as a unit sends
        s.sim->setImage(patternImage(7));
        QVERIFY(s.connect());
        QList<QPair<int, int>> progress;
        QList<qint64> reportedAt;
        QElapsedTimer clock;
        clock.start();
        s.link.setProgressHook([&](int bar, int words) {
            progress.append({bar, words}), reportedAt.append(clock.elapsed());
        });
        TParamImage image{};
        rusage before{}, after{};
        getrusage(RUSAGE_THREAD, &before);
        QVERIFY(s.link.ReadImageFromUnit(image));
        getrusage(RUSAGE_THREAD, &after);
        // The bytes come one a millisecond; the thread wakes for batches of them.
        QVERIFY2(after.ru_nvcsw - before.ru_nvcsw < 400, qPrintable(QString::number(after.ru_nvcsw)));
        QCOMPARE(s.link.lastStatus(), LinkStatus::Ok);
        QVERIFY(image == patternImage(7));
        QVERIFY(rec.texts().isEmpty());
        verifyGlobalImagesUntouched(); // the step itself stores nothing

        // The unit got its CRC back, low byte first, as it sent it; word 5 = 0x1234 came
        // as 0x34, 0x12.
        QVERIFY(waitUntil([&] { return s.sim->stats().lastReadEcho.size() == 2; }));
        const QByteArray sent = s.sim->stats().lastReadSent;
        QCOMPARE(sent.size(), 2050);
        const quint16 crc = KrtSimulator::crc(sent.left(2048));
        QCOMPARE(quint8(sent[2048]), quint8(crc & 0xFF));
        QCOMPARE(quint8(sent[2049]), quint8(crc >> 8));
        QCOMPARE(s.sim->stats().lastReadEcho, sent.mid(2048, 2));
        QCOMPARE(sent.mid(10, 2), QByteArray("\x34\x12"));

        // Progress: rising, at most every 100 ms, ending at the bar's maximum.
        QVERIFY(progress.size() >= 10);
        QCOMPARE(progress.last(), qMakePair(1025, 1024));
        for (int i = 1; i < progress.size() - 1; ++i) {
            QVERIFY(progress[i].second > progress[i - 1].second);
            QVERIFY(reportedAt[i] - reportedAt[i - 1] >= 100);
        }
    }

    void runTransferStoresAGoodReadEverywhere()
    {
        MessageRecorder rec;
        KrtSimulator sim;
        sim.setImage(patternImage(8));
        QVERIFY(startUnit(sim));
        KrtProtocol link;
        SteppedLineErrors noCounters; // a port that keeps no counters is not checked
        noCounters.counted = false;
        noCounters.step = {1, 1, 1, 1};
        noCounters.stepAtCall = 2;
        link.setLineErrorSource(&noCounters);
        G.TransferDirection = 1;
        G.SignalMatrixConverted = true; // a new data set must be converted again
        int connected = 0;
        QElapsedTimer t;
        t.start();
        const TransferOutcome out = RunTransfer(link, [&] { connected += t.elapsed() < 500 ? 1 : 100; });
        QVERIFY(out.portOpened && out.connected && out.imageRead);
        QCOMPARE(out.status, LinkStatus::Ok);
        QCOMPARE(connected, 1); // a current unit answers the first "PCCOM:" at once
        QCOMPARE(sim.stats().pccomGreetings + sim.stats().pcGreetings, 1);
        QVERIFY(G.ParamImage == patternImage(8) && G.CommittedImage == patternImage(8) &&
                G.ReferenceImage == patternImage(8));
        QVERIFY(G.ImageModified && G.WriteAccepted && !G.SignalMatrixConverted);
        QVERIFY(!link.isOpen());
        QVERIFY(rec.texts().isEmpty());
    }

    void fullWriteLeavesTheImageInTheUnit()
    {
        MessageRecorder rec;
        KrtSimulator sim;
        QVERIFY(startUnit(sim));
        KrtProtocol link;
        G.TransferDirection = 2;
        G.ImageModified = true;
        QList<QPair<int, int>> progress;
        link.setProgressHook([&](int bar, int words) { progress.append({bar, words}); });
        const TransferOutcome out = RunTransfer(link);
        QVERIFY(out.connected && out.writeConfirmed);
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
        QCOMPARE(st.lastWriteData.mid(10, 2), QByteArray("\x34\x12"));
        const quint16 crc = KrtSimulator::crc(st.lastWriteData);
        QCOMPARE(st.lastWriteCrc, QByteArray(1, char(crc & 0xFF)) + char(crc >> 8));

        // Reports come before acknowledgements, the first and the last always.
        QCOMPARE(progress.first(), qMakePair(15, 16));
        QCOMPARE(progress.last(), qMakePair(1023, 1024));
        for (const auto &[bar, words] : progress)
            QVERIFY(bar % 16 == 15 && words == bar + 1);
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

    void failedTransferChangesNothing_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("fault"); // -1: a unit at the line's pace, and the PC's reads fail half way
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("acks");  // write: acknowledgements the unit gave (-1: not checked)
        QTest::addColumn<int>("minMs"); // from the greeting to the end
        QTest::addColumn<int>("maxMs");
        QTest::addColumn<int>("lineErrors"); // counted by the driver: 1 framing, 2 parity, 4 overrun, 8 break
        QTest::addColumn<bool>("inGreeting"); // counted during the greeting, else right after it
        const auto row = [](const char *name, int direction, Fault fault, const char *message, int acks = 0,
                            int minMs = 0, int maxMs = 1500, int lineErrors = 0, bool inGreeting = false) {
            QTest::newRow(name) << direction << int(fault) << QString(message) << acks << minMs << maxMs
                                << lineErrors << inGreeting;
        };
        const Fault readsFail = Fault(-1);
        row("read: wrong CRC", 1, Fault::WrongReadCrc, "Transmission Error\r\nChecksum error");
        row("read: 2051 bytes", 1, Fault::Burst2051, "Transmission Error Nr.1");
        row("read: 2049 bytes, then silence", 1, Fault::Short2049, "Transmission Error\r\nTimeout", 0, 2000,
            3500);
        row("read: hang-up half way", 1, Fault::HangUp, "Com Error:\r\nInput/output error");
        row("write: acknowledgement 0", 2, Fault::ZeroAck, "Communication Error", 10);
        row("write: wrong CRC echo", 2, Fault::WrongCrcEcho, "Transmission Error\n\rChecksum Error", 64);
        row("write: hang-up half way", 2, Fault::HangUp, "Com Error:\r\nInput/output error", 31);
        row("read: reads fail half way", 1, readsFail, "Read ComError:\r\nIs a directory");
        row("write: reads fail half way", 2, readsFail, "Read ComError:\r\nIs a directory", -1);
        row("write: wrong echo of the command", 2, Fault::WrongWriteEcho,
            "Transmission Error\n\rNo answer from KRT-6");
        row("greeting: framing error", 1, Fault::None, "Error retrieving CommError : \r\nframing error", 0, 0,
            1500, 1, true);
        row("read: parity error, overrun", 1, Fault::None,
            "Error retreiving CommError : \r\nparity error, overrun error", 0, 0, 1500, 6);
        row("write: every line error", 2, Fault::None,
            "Error retreiving CommError : \r\nframing error, parity error, overrun error, break", 0, 0, 1500,
            15);
    }
    void failedTransferChangesNothing()
    {
        QFETCH(int, direction);
        QFETCH(int, fault);
        QFETCH(QString, message);
        QFETCH(int, acks);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        QFETCH(int, lineErrors);
        QFETCH(bool, inGreeting);
        MessageRecorder rec;
        KrtSimulator sim(fault < 0 ? simOptions(Fault::None, true) : simOptions(Fault(fault)));
        QVERIFY(startUnit(sim));
        const auto unitBefore = sim.image();
        KrtProtocol link;
        if (fault < 0)
            link.setProgressHook([&](int, int) { failReadsFromNowOn(link.port()); });
        SteppedLineErrors counters;
        counters.step = {quint32(lineErrors & 1), quint32(lineErrors >> 1 & 1), quint32(lineErrors >> 2 & 1),
                         quint32(lineErrors >> 3 & 1)};
        counters.stepAtCall = inGreeting ? 2 : 0;
        link.setLineErrorSource(&counters);
        G.TransferDirection = quint8(direction);
        G.ImageModified = direction == 2;
        G.WriteAccepted = false; // old data; the current unit's greeting must not change that
        bool acceptedWhenConnected = false;
        QElapsedTimer t;
        t.start();
        const TransferOutcome out = RunTransfer(link, [&] {
            acceptedWhenConnected = G.WriteAccepted;
            t.restart();
            counters.stepNow();
        });
        const qint64 ms = t.elapsed();
        QVERIFY(out.connected != inGreeting && !out.imageRead && !out.writeConfirmed);
        QCOMPARE(sim.stats().pcGreetings, 0); // a line error does not make the unit an old one
        QCOMPARE(out.status, LinkStatus::Failed);
        QVERIFY2(ms >= minMs && ms <= maxMs, qPrintable(QString::number(ms)));
        QCOMPARE(describeMessages(rec), QStringList{describeMessage(message, MsgKind::Error, MbOk, 0)});
        QCOMPARE(acceptedWhenConnected, !inGreeting);
        QVERIFY(!G.WriteAccepted);
        verifyGlobalImagesUntouched();
        QCOMPARE(G.ImageModified, direction == 2);
        QVERIFY(!link.isOpen());
        QCOMPARE(sim.stats().imagesAccepted, 0);
        QVERIFY(sim.image() == unitBefore);
        if (direction == 2 && acks >= 0)
            QCOMPARE(sim.stats().acksSent, acks);
        if (Fault(fault) == Fault::WrongReadCrc) { // the unit is told with 00 00
            QVERIFY(waitUntil([&] { return sim.stats().lastReadEcho.size() == 2; }));
            QCOMPARE(sim.stats().lastReadEcho, QByteArray(2, '\0'));
        }
    }

    void silentAfterTheCommand()
    {
        // A wait with nothing coming from the unit ends after its 2000 ms.
        MessageRecorder rec;
        SimLink s;
        QVERIFY(s.connect());
        quint8 answer = 0xEE;
        QElapsedTimer t;
        t.start();
        QVERIFY(!s.link.WaitForAnswer(&answer, 1));
        QVERIFY(t.elapsed() >= 2000 && t.elapsed() < 2600);
        QCOMPARE(answer, quint8(0xEE));
        QCOMPARE(rec.texts(), QStringList{"Transmission Writeerror\r\nNo answer from KRT-6"});
        QVERIFY(!s.link.WaitForAnswer(&answer, 0)); // nothing to wait for
        QCOMPARE(rec.texts().size(), 1);
    }

    void cancelDuringATransfer_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("kind");
        QTest::newRow("read") << 1 << "Transmission abort" << int(MsgKind::Information);
        QTest::newRow("write") << 2 << "Transmission abort\n\rWrite again!" << int(MsgKind::Warning);
    }
    void cancelDuringATransfer()
    {
        QFETCH(int, direction);
        QFETCH(QString, message);
        QFETCH(int, kind);
        MessageRecorder rec;
        KrtSimulator sim(simOptions(Fault::None, true)); // a transfer takes over 2 s
        QVERIFY(startUnit(sim));
        const auto unitBefore = sim.image();
        KrtProtocol link;
        G.TransferDirection = quint8(direction);
        G.ImageModified = true;
        int lastWords = 0;
        link.setProgressHook([&](int, int words) { lastWords = words; });
        // The Cancel button is clicked while the transfer runs: the timer is delivered by
        // the events the transfer loop processes.
        QTimer::singleShot(400, [&] { link.requestCancel(); });
        QElapsedTimer t;
        t.start();
        const TransferOutcome out = RunTransfer(link);
        QVERIFY(t.elapsed() < 1500);
        QVERIFY(out.connected && !out.imageRead && !out.writeConfirmed);
        QCOMPARE(out.status, LinkStatus::Aborted);
        QVERIFY(lastWords > 0 && lastWords < 1024);
        QCOMPARE(describeMessages(rec),
                 QStringList{describeMessage(message, MsgKind(kind), MbOk | MbHelp, 34)});
        QVERIFY(sim.image() == unitBefore);
        verifyGlobalImagesUntouched();
        QVERIFY(G.ImageModified);
    }

    // The PC stops part way and closes its port. The unit gives up after a pause longer
    // than the PC's receive time-out, keeps nothing, and answers the next greeting at once:
    // a read and a write then go as usual.
    void unitRecoversFromAnAbandonedTransfer_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("read stopped before the CRC echo") << 0x80;
        QTest::newRow("write stopped after 100 image bytes") << 0x81;
    }
    void unitRecoversFromAnAbandonedTransfer()
    {
        QFETCH(int, command);
        MessageRecorder rec;
        SimLink s;
        s.sim->setImage(patternImage(9));
        QVERIFY(s.connect());
        QSerialPort &port = s.link.port();
        QElapsedTimer t;
        t.start();
        port.write(QByteArray(1, char(command)) + QByteArray(command == 0x81 ? 100 : 0, '\x55'));
        QVERIFY(waitUntil([&] {
            port.waitForBytesWritten(5);
            return s.sim->stats().lastReadSent.size() == 2050 || s.sim->stats().acksSent == 3;
        }));
        s.link.ClosePort();
        QVERIFY(waitUntil([&] { return s.sim->stats().recoveries == 1; }, 6000));
        QVERIFY2(t.elapsed() > std::max(KrtProtocol::ReadSilenceMs, KrtProtocol::AnswerWaitMs),
                 qPrintable(QString::number(t.elapsed())));
        QCOMPARE(s.sim->stats().imagesAccepted, 0);
        QVERIFY(s.sim->image() == patternImage(9));

        G.TransferDirection = 1;
        QVERIFY(RunTransfer(s.link).imageRead);
        QVERIFY(G.ReferenceImage == patternImage(9));
        G.TransferDirection = 2;
        G.CommittedImage = patternImage(10);
        QVERIFY(RunTransfer(s.link).writeConfirmed);
        QVERIFY(s.sim->image() == patternImage(10));
        QCOMPARE(s.sim->stats().pccomGreetings, 3); // each greeting answered the first time
        QCOMPARE(s.sim->stats().recoveries, 1);
        QVERIFY(rec.texts().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLinkTransfer)
#include "tst_linktransfer.moc"
