#include "crc16.h"
#include "linktest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

// CRC, serial settings, opening and configuring the port, and the simulator run as a
// program of its own with project files.
class TestLinkCore : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetGlobals(); }

    void crcCheckValue()
    {
        const QByteArray check("123456789");
        const auto *bytes = reinterpret_cast<const quint8 *>(check.constData());
        QCOMPARE(CrcOverBytes(bytes, check.size()), quint16(0x458B));
        quint16 crc = CrcStartValue;
        for (char c : check)
            crc = CrcUpdate(crc, quint8(c));
        QCOMPARE(crc, quint16(0x458B));
        QCOMPARE(CrcOverBytes(bytes, 0), quint16(0x1D0F));
        // The simulator's CRC is written on its own; both agree on other data too.
        const QByteArray data = QByteArray::fromHex("00ff80017f3412a55a");
        QCOMPARE(CrcOverBytes(reinterpret_cast<const quint8 *>(data.constData()), data.size()),
                 KrtSimulator::crc(data));
        QCOMPARE(KrtSimulator::crc(check), quint16(0x458B));
    }

    void settingsOfTheRun()
    {
        TCOM s;
        s.Port = "ttyS3";
        s.Baudrate = 57600;
        s.Databits = 7;
        s.Paritybits = 2;
        s.Stopbits = 2;
        InitComSettings(s);
        QCOMPARE(s.Port, QString("ttyS3"));
        QCOMPARE(s.Baudrate, quint16(9600));
        QCOMPARE(s.Databits, quint8(8));
        QCOMPARE(s.Paritybits, quint8(0));
        QCOMPARE(s.Stopbits, quint8(0));
        // The probe lists no pseudo-terminal, only the serial device families.
        for (const QString &name : ProbeComPorts())
            QVERIFY(name.startsWith("ttyS") || name.startsWith("ttyUSB") || name.startsWith("ttyACM"));
    }

    void portsThatDoNotOpen()
    {
        // A missing port, and one that exists but is held by another transfer: the
        // message carries the system's text after the port name.
        MessageRecorder rec;
        KrtSimulator sim;
        QVERIFY(sim.start());
        KrtProtocol first, link;
        QVERIFY(first.OpenPort(TCOM{sim.devicePath()}));
        for (const QString &port : {QString("/dev/krt6-no-such-port"), sim.devicePath()}) {
            rec.clear();
            QVERIFY(!link.OpenPort(TCOM{port}));
            QCOMPARE(link.lastStatus(), LinkStatus::Failed);
            QCOMPARE(rec.requests().size(), 1);
            const QString prefix = "Error opening port " + port + " : \r\n";
            QVERIFY2(rec.texts()[0].startsWith(prefix) && rec.texts()[0].size() > prefix.size(),
                     qPrintable(rec.texts()[0]));
            QCOMPARE(rec.requests()[0].helpContext, 0);
        }
        QString text;
        QVERIFY(!TryOpenPort("/dev/krt6-no-such-port", &text));
        QVERIFY(!text.isEmpty());
        first.ClosePort();
        rec.clear();
        QVERIFY(link.OpenPort(TCOM{sim.devicePath()}));
        QVERIFY(rec.texts().isEmpty());
    }

    void configureOnAPseudoTerminal()
    {
        // No modem lines there: DTR and RTS are skipped, nothing is reported.
        MessageRecorder rec;
        SimLink s;
        QVERIFY(s.connect());
        const QSerialPort &port = s.link.port();
        QCOMPARE(port.baudRate(), 9600);
        QCOMPARE(port.dataBits(), QSerialPort::Data8);
        QCOMPARE(port.parity(), QSerialPort::NoParity);
        QCOMPARE(port.stopBits(), QSerialPort::OneStop);
        QCOMPARE(port.flowControl(), QSerialPort::NoFlowControl);
        QVERIFY(rec.texts().isEmpty());
        LineErrorCounts counts;
        QVERIFY(!DriverLineErrors().read(s.link.port(), &counts)); // no line-error counters either

        // A parity code outside the table is refused.
        TCOM bad = ComSettings;
        bad.Paritybits = 9;
        QVERIFY(s.link.OpenPort(bad));
        QCOMPARE(s.link.ConfigurePort(), 0);
        QCOMPARE(rec.requests().size(), 1);
        QVERIFY(rec.texts()[0].startsWith("Set Com Error\n\r"));
    }

    // Each stored code at the last value of its table is set on the port; one more is
    // refused before anything is set.
    void settingCodesAtTheEndOfTheirTables_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("data");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stop");
        QTest::addColumn<bool>("taken");
        QTest::newRow("baud 57600") << 57600 << 8 << 0 << 0 << true;
        QTest::newRow("baud 57601") << 57601 << 8 << 0 << 0 << false;
        QTest::newRow("data bits 8") << 9600 << 8 << 0 << 0 << true;
        QTest::newRow("data bits 9") << 9600 << 9 << 0 << 0 << false;
        QTest::newRow("data bits 4") << 9600 << 4 << 0 << 0 << false;
        QTest::newRow("parity 4, space") << 9600 << 8 << 4 << 0 << true;
        QTest::newRow("parity 5") << 9600 << 8 << 5 << 0 << false;
        QTest::newRow("stop bits 2, two") << 9600 << 8 << 0 << 2 << true;
        QTest::newRow("stop bits 3") << 9600 << 8 << 0 << 3 << false;
    }
    void settingCodesAtTheEndOfTheirTables()
    {
        QFETCH(int, baud);
        QFETCH(int, data);
        QFETCH(int, parity);
        QFETCH(int, stop);
        QFETCH(bool, taken);
        MessageRecorder rec;
        KrtSimulator sim;
        QVERIFY(sim.start());
        KrtProtocol link;
        QVERIFY(
            link.OpenPort(TCOM{sim.devicePath(), quint16(baud), quint8(data), quint8(parity), quint8(stop)}));
        QCOMPARE(link.ConfigurePort(), taken ? 1 : 0);
        QCOMPARE(link.lastStatus(), taken ? LinkStatus::Ok : LinkStatus::Failed);
        const QSerialPort &port = link.port();
        if (taken) {
            QVERIFY(rec.texts().isEmpty());
            QCOMPARE(port.baudRate(), baud);
            QCOMPARE(int(port.dataBits()), data);
            QCOMPARE(port.parity(), parity == 4 ? QSerialPort::SpaceParity : QSerialPort::NoParity);
            QCOMPARE(port.stopBits(), stop == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
        } else {
            QCOMPARE(describeMessages(rec),
                     QStringList{describeMessage("Set Com Error\n\rThe parameter is incorrect.",
                                                 MsgKind::Error, MbOk, 0)});
            QCOMPARE(port.baudRate(), 9600); // nothing was set
        }
    }

    void simulatorProgramWithProjectFiles()
    {
        const QString program = QStringLiteral(KRT_BINARY_DIR "/tools/krt6sim/krt6sim");
        if (!QFile::exists(program))
            QSKIP("krt6sim not built");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString saved = dir.filePath("unit.zf1");
        // Starts the program and takes the port it names on its first line.
        const auto startProgram = [&](QProcess &unit, const QStringList &args) {
            unit.start(program, args + QStringList{"--until-eof"});
            if (!waitUntil([&] { return unit.canReadLine(); }, 5000))
                return false;
            ComSettings.Port = QString::fromLocal8Bit(unit.readLine()).trimmed();
            return ComSettings.Port.startsWith("/dev/");
        };

        MessageRecorder rec;
        {
            QProcess unit;
            QVERIFY(startProgram(unit, {"--save", saved}));
            G.CommittedImage = patternImage(5);
            G.TransferDirection = 2;
            KrtProtocol link;
            QVERIFY(RunTransfer(link).writeConfirmed);
            QVERIFY(waitUntil([&] { return QFile(saved).size() == 7048; }));
            unit.closeWriteChannel();
            QVERIFY(unit.waitForFinished(5000));
            QCOMPARE(unit.exitCode(), 0);
        }
        QFile f(saved);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray file = f.readAll();
        QCOMPARE(file.size(), 7048);
        QVERIFY(file.startsWith("Config file KRT-6 from V2.5"));
        QCOMPARE(file.mid(5010, 2), QByteArray("\x12\x34")); // word 5, high byte first in the file

        // A new unit started from that file hands back the same image.
        QProcess unit;
        QVERIFY(startProgram(unit, {"--load", saved}));
        G.TransferDirection = 1;
        KrtProtocol link;
        QVERIFY(RunTransfer(link).imageRead);
        QVERIFY(G.ReferenceImage == patternImage(5));
        QVERIFY(rec.texts().isEmpty());
        unit.closeWriteChannel();
        QVERIFY(unit.waitForFinished(5000));
    }

    // --link PATH: only an old symbolic link at PATH is replaced. A file or a folder in the
    // way, or a link that cannot be made, is refused with one line naming the path, and
    // nothing is touched. On exit the link goes only while it still leads to the program's
    // own device.
    void simulatorLinkPath_data()
    {
        QTest::addColumn<QString>("before"); // what stands at PATH when the program starts
        QTest::addColumn<bool>("serves");
        QTest::addColumn<bool>("repointed"); // the user points the link elsewhere meanwhile
        QTest::newRow("nothing") << "" << true << false;
        QTest::newRow("old link to a gone device") << "old link" << true << false;
        QTest::newRow("old link to a user's file") << "link to file" << true << false;
        QTest::newRow("link pointed elsewhere while serving") << "" << true << true;
        QTest::newRow("user's file") << "file" << false << false;
        QTest::newRow("folder") << "folder" << false << false;
        QTest::newRow("no such folder") << "no folder" << false << false;
    }
    void simulatorLinkPath()
    {
        QFETCH(QString, before);
        QFETCH(bool, serves);
        QFETCH(bool, repointed);
        const QString program = QStringLiteral(KRT_BINARY_DIR "/tools/krt6sim/krt6sim");
        if (!QFile::exists(program))
            QSKIP("krt6sim not built");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString link = dir.filePath(before == "no folder" ? "gone/krt6" : "krt6");
        const QString other = dir.filePath("plant.zf1");
        const QByteArray kept("a user's file\r\n\x00\xff", 18);
        const auto writeKept = [&](const QString &path) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(kept) == kept.size();
        };
        const auto contents = [](const QString &path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
        };
        QVERIFY(writeKept(other));
        if (before == "file")
            QVERIFY(writeKept(link));
        if (before == "folder")
            QVERIFY(QDir().mkdir(link) && writeKept(link + "/inside"));
        if (before == "old link")
            QVERIFY(QFile::link("/dev/pts/99999", link));
        if (before == "link to file")
            QVERIFY(QFile::link(other, link));

        QProcess unit;
        unit.start(program, {"--link", link, "--until-eof"});
        if (!serves) {
            QVERIFY(unit.waitForFinished(5000));
            QCOMPARE(unit.exitStatus(), QProcess::NormalExit);
            QVERIFY(unit.exitCode() != 0);
            QVERIFY(unit.readAllStandardOutput().isEmpty()); // no device offered
            const QStringList said =
                QString::fromLocal8Bit(unit.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
            QCOMPARE(said.size(), 1);
            QVERIFY2(said[0].contains(link), qPrintable(said[0]));
            QCOMPARE(QFileInfo(link).isSymLink(), false);
            if (before == "file")
                QCOMPARE(contents(link), kept);
            if (before == "folder")
                QVERIFY(QFileInfo(link).isDir() && contents(link + "/inside") == kept);
            if (before == "no folder")
                QVERIFY(!QFileInfo::exists(dir.filePath("gone")));
            QCOMPARE(contents(other), kept);
            return;
        }
        QVERIFY(waitUntil([&] { return unit.canReadLine(); }, 5000));
        const QString device = QString::fromLocal8Bit(unit.readLine()).trimmed();
        QVERIFY(device.startsWith("/dev/pts/"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFileInfo(link).symLinkTarget(), device);
        if (repointed)
            QVERIFY(QFile::remove(link) && QFile::link(other, link));
        unit.closeWriteChannel();
        QVERIFY(unit.waitForFinished(5000));
        QCOMPARE(unit.exitCode(), 0);
        QCOMPARE(QFileInfo(link).isSymLink(), repointed);
        if (repointed)
            QCOMPARE(QFileInfo(link).symLinkTarget(), other);
        QCOMPARE(contents(other), kept);
    }
};

QTEST_GUILESS_MAIN(TestLinkCore)
#include "tst_linkcore.moc"
