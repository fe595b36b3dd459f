#include "linktest.h"

#include <QTimer>

// Reading the image from the unit: the good read, its wire format, every way it fails,
// and cancelling it. Failures must leave the program's images as they were.
class TestLinkRead : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        resetGlobals();
        fillGlobalImages();
        G.TransferDirection = 1;
    }

    void fullReadHandsBackTheUnitsImage()
    {
        MessageRecorder rec;
        SimLink s;
        s.sim->setImage(patternImage(7));
        QVERIFY(s.connect());
        QVERIFY(G.WriteAccepted);
        QList<QPair<int, int>> progress;
        s.link.setProgressHook([&](int bar, int words) { progress.append({bar, words}); });
        TParamImage image{};
        QVERIFY(s.link.ReadImageFromUnit(image));
        QCOMPARE(s.link.lastStatus(), LinkStatus::Ok);
        QVERIFY(image == patternImage(7));
        QVERIFY(rec.texts().isEmpty());
        verifyGlobalImagesUntouched(); // the step itself stores nothing

        // The unit got its CRC back, low byte first, as it sent it.
        QVERIFY(waitUntil([&] { return s.sim->stats().lastReadEcho.size() == 2; }));
        const QByteArray sent = s.sim->stats().lastReadSent;
        QCOMPARE(sent.size(), 2050);
        const quint16 crc = KrtSimulator::crc(sent.left(2048));
        QCOMPARE(quint8(sent[2048]), quint8(crc & 0xFF));
        QCOMPARE(quint8(sent[2049]), quint8(crc >> 8));
        QCOMPARE(s.sim->stats().lastReadEcho, sent.mid(2048, 2));
        // Word 5 = 0x1234 comes as 0x34, 0x12.
        QCOMPARE(quint8(sent[10]), quint8(0x34));
        QCOMPARE(quint8(sent[11]), quint8(0x12));
        QCOMPARE(image[5], quint16(0x1234));

        // Progress: rising, in steps of at least 10 words, ending at the bar's maximum.
        QVERIFY(progress.size() >= 2);
        QCOMPARE(progress.last(), qMakePair(1025, 1024));
        for (int i = 1; i < progress.size() - 1; ++i)
            QVERIFY(progress[i].second > progress[i - 1].second);
    }

    void runTransferStoresAGoodReadEverywhere()
    {
        MessageRecorder rec;
        KrtSimulator sim;
        sim.setImage(patternImage(8));
        QVERIFY(sim.start());
        ComSettings.Port = sim.devicePath();
        InitComSettings();
        KrtProtocol link;
        G.SignalMatrixConverted = true; // a new data set must be converted again
        int connected = 0;
        const TransferOutcome out = RunTransfer(link, [&] { ++connected; });
        QVERIFY(out.portOpened && out.connected && out.imageRead);
        QCOMPARE(out.status, LinkStatus::Ok);
        QCOMPARE(connected, 1);
        QVERIFY(G.ParamImage == patternImage(8));
        QVERIFY(G.CommittedImage == patternImage(8));
        QVERIFY(G.ReferenceImage == patternImage(8));
        QVERIFY(G.ImageModified);
        QVERIFY(!G.SignalMatrixConverted);
        QVERIFY(G.WriteAccepted);
        QVERIFY(!link.isOpen());
        QVERIFY(rec.texts().isEmpty());
    }

    void failedReadKeepsTheImages_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        QTest::newRow("wrong CRC") << int(KrtSimulator::Fault::WrongReadCrc)
                                   << "Transmission Error\r\nChecksum error" << 0 << 1500;
        QTest::newRow("2051 bytes") << int(KrtSimulator::Fault::Burst2051) << "Transmission Error Nr.1" << 0
                                    << 1500;
        QTest::newRow("2049 bytes, then silence")
            << int(KrtSimulator::Fault::Short2049) << "Transmission Error\r\nTimeout" << 2000 << 3500;
        QTest::newRow("hang-up half way")
            << int(KrtSimulator::Fault::HangUp) << "Com Error:\r\nInput/output error" << 0 << 1500;
    }
    void failedReadKeepsTheImages()
    {
        QFETCH(int, fault);
        QFETCH(QString, message);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        MessageRecorder rec;
        SimLink s(simOptions(KrtSimulator::Fault(fault)));
        QVERIFY(s.connect());
        TParamImage image = patternImage(99);
        QElapsedTimer t;
        t.start();
        QVERIFY(!s.link.ReadImageFromUnit(image));
        const qint64 ms = t.elapsed();
        QCOMPARE(s.link.lastStatus(), LinkStatus::Failed);
        QVERIFY(image == patternImage(99));
        QCOMPARE(rec.requests().size(), 1);
        QCOMPARE(rec.requests()[0].text, message);
        QCOMPARE(rec.requests()[0].kind, MsgKind::Error);
        QCOMPARE(rec.requests()[0].buttons, int(MbOk));
        QCOMPARE(rec.requests()[0].helpContext, 0);
        QVERIFY2(ms >= minMs && ms <= maxMs, qPrintable(QString::number(ms)));
        if (KrtSimulator::Fault(fault) == KrtSimulator::Fault::WrongReadCrc) {
            // The unit is told with 00 00.
            QVERIFY(waitUntil([&] { return s.sim->stats().lastReadEcho.size() == 2; }));
            QCOMPARE(s.sim->stats().lastReadEcho, QByteArray(2, '\0'));
        }
    }

    void failedTransferKeepsTheGlobalImages()
    {
        MessageRecorder rec;
        KrtSimulator sim(simOptions(KrtSimulator::Fault::WrongReadCrc));
        QVERIFY(sim.start());
        ComSettings.Port = sim.devicePath();
        KrtProtocol link;
        G.ImageModified = false;
        G.WriteAccepted = false; // old data; the current unit's greeting must not change that
        bool acceptedWhenConnected = false;
        const TransferOutcome out = RunTransfer(link, [&] { acceptedWhenConnected = G.WriteAccepted; });
        QVERIFY(out.connected && !out.imageRead);
        QCOMPARE(out.status, LinkStatus::Failed);
        QVERIFY(acceptedWhenConnected);
        verifyGlobalImagesUntouched();
        QVERIFY(!G.ImageModified);
        QVERIFY(!G.WriteAccepted);
        QCOMPARE(rec.texts(), QStringList{"Transmission Error\r\nChecksum error"});
    }

    void cancelDuringARead()
    {
        MessageRecorder rec;
        KrtSimulator sim(simOptions(KrtSimulator::Fault::None, true)); // a read takes over 2 s
        QVERIFY(sim.start());
        ComSettings.Port = sim.devicePath();
        KrtProtocol link;
        int lastWords = 0;
        link.setProgressHook([&](int, int words) { lastWords = words; });
        // The Cancel button is clicked while the read runs: the timer is delivered by the
        // events the read loop processes.
        QTimer::singleShot(400, [&] { link.requestCancel(); });
        QElapsedTimer t;
        t.start();
        const TransferOutcome out = RunTransfer(link);
        QVERIFY(t.elapsed() < 1500);
        QVERIFY(out.connected && !out.imageRead);
        QCOMPARE(out.status, LinkStatus::Aborted);
        QVERIFY(lastWords > 0 && lastWords < 1024);
        verifyGlobalImagesUntouched();
        QCOMPARE(rec.requests().size(), 1);
        const MessageRequest &m = rec.requests()[0];
        QCOMPARE(m.text, QString("Transmission abort"));
        QCOMPARE(m.kind, MsgKind::Information);
        QCOMPARE(m.buttons, int(MbOk | MbHelp));
        QCOMPARE(m.helpContext, 34);
    }
};

QTEST_GUILESS_MAIN(TestLinkRead)
#include "tst_linkread.moc"
