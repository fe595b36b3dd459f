// Reading the unit and writing to it from the main window, against the simulated KRT-6
// on a pseudo-terminal: the commands as the user runs them (menu items, toolbar buttons,
// the transfer window's Cancel button), what a good read puts on page 1, what the unit
// receives, and that every failure shows its one message and changes nothing.

#include "comsettings.h"
#include "connect.h"
#include "globals.h"
#include "krtsim.h"
#include "mainwindow.h"
#include "messagerecorder.h"
#include "signaltexts.h"
#include "transfercommands.h"
#include "vermess.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
using Fault = KrtSimulator::Fault;

template <class T> T *mainChild(const char *name)
{
    return frmMain->findChild<T *>(QLatin1String(name));
}
QString editText(const char *name)
{
    return mainChild<QLineEdit>(name)->text();
}
QAction *item(const char *name)
{
    return mainChild<QAction>(name);
}

// The commands that a read enables, and the transfer commands, as one comparable list.
QList<bool> commandStates()
{
    QList<bool> states;
    for (const char *a : {"datread", "datwrite", "mut_RS232", "speichern", "speich_unt", "drucken"})
        states << item(a)->isEnabled();
    for (const char *b : {"BitBtn_drucken", "BitBtnDatSave", "BitBtn_rd_LCtoPC", "BitBtn_wr_LCtoPC"})
        states << mainChild<QToolButton>(b)->isEnabled();
    return states;
}

quint16 word(char high, char low)
{
    return quint16(quint8(high) << 8 | quint8(low));
}

KrtSimulator::Options options(Fault fault, bool paced = false)
{
    KrtSimulator::Options o;
    o.fault = fault;
    o.paced = paced;
    return o;
}

// A unit image with words that show where they land.
KrtSimulator::Image unitImage(quint16 version = 0x023C)
{
    KrtSimulator::Image img = KrtSimulator::defaultImage();
    img[5] = 0x1234;
    img[70] = 18;
    img[500] = 0xBEEF;
    img[960] = 1;
    img[962] = version;
    img[1012] = 1;
    const quint16 serial[8] = {word('S', 'N'), word('-', '4'), word('2', '\xFF'), 0xFFFF, 0xFFFF, 0xFFFF,
                               0xFFFF,         0xFFFF};
    std::copy(std::begin(serial), std::end(serial), img.begin() + 965);
    return img;
}
} // namespace

class TestTransfer : public QObject
{
    Q_OBJECT

    MessageRecorder *rec = nullptr;

    void readFrom(const KrtSimulator &sim)
    {
        ComSettings.Port = sim.devicePath();
        item("datread")->trigger();
    }
    // A good read from a unit with unitImage(), as the start of the failure cases.
    void loadFromUnit()
    {
        KrtSimulator sim;
        sim.setImage(unitImage());
        QVERIFY(sim.start());
        readFrom(sim);
        QVERIFY(G.DeviceDataRead);
        QVERIFY(G.ParamImage == unitImage());
        rec->clear();
    }

private slots:
    void init()
    {
        resetGlobals();
        ComSettings = TCOM();
        InitComSettings();
        rec = new MessageRecorder;
        new TfrmMain;
        frmMain->VerMess()->FShow = true; // the attention message is the version check's own
        fmConnect = new TfmConnect;
    }
    void cleanup()
    {
        delete fmConnect;
        delete frmMain;
        delete rec;
    }

    void readFillsImagesAndPageOne_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("invalid");
        QTest::addColumn<bool>("old");
        QTest::newRow("2.60") << 0x023C << "Version 2.60" << false << false;
        QTest::newRow("2.05") << 0x0205 << "Version 2.05" << false << true;
        QTest::newRow("2.12") << 0x020C << "Version 2.12" << false << true;
        QTest::newRow("minor of three digits") << 0x0364 << "Version 3.00" << true << false;
    }
    void readFillsImagesAndPageOne()
    {
        QFETCH(int, version);
        QFETCH(QString, text);
        QFETCH(bool, invalid);
        QFETCH(bool, old);
        KrtSimulator sim;
        sim.setImage(unitImage(quint16(version)));
        QVERIFY(sim.start());
        QVERIFY(!item("speichern")->isEnabled());

        readFrom(sim);

        QCOMPARE(rec->texts(), invalid ? QStringList{"Invalid version!"} : QStringList{});
        if (invalid)
            QCOMPARE(rec->requests()[0].kind, MsgKind::None);
        QCOMPARE(sim.stats().readCommands, 1);
        QVERIFY(G.ParamImage == sim.image());
        QVERIFY(G.CommittedImage == sim.image());
        QVERIFY(G.ReferenceImage == sim.image());
        QVERIFY(G.DeviceDataRead && G.DataLoaded && G.ImageModified);
        QCOMPARE(G.WriteAccepted, !old);
        QCOMPARE(G.VoltageRange, quint16(1));
        QCOMPARE(G.CellCount, quint16(18));
        QCOMPARE(G.CurrentPage, 1);
        QCOMPARE(mainChild<QTabWidget>("PageControl1")->currentIndex(), 0);
        QVERIFY(std::any_of(G.SignalTextTable.begin(), G.SignalTextTable.end(),
                            [](const QByteArray &t) { return !t.isEmpty(); }));

        QCOMPARE(editText("ed_versnr"), text);
        QCOMPARE(editText("ed_logo1"), "KRT-6 simulator ");
        QCOMPARE(editText("ed_logo2"), "9600 8N1        ");
        QCOMPARE(editText("ed_mFabrNr"), "SN-42");
        QVERIFY(mainChild<QCheckBox>("cb_din")->isChecked());
        QCOMPARE(!mainChild<QWidget>("Panel71")->isHidden(), old);
        QVERIFY(mainChild<QWidget>("TabSheet1")->isEnabled());
        QVERIFY(mainChild<QWidget>("rg_language")->isEnabled());
        QCOMPARE(commandStates(), QList<bool>(10, true));

        QVERIFY(!fmConnect->isVisible());
        QCOMPARE(fmConnect->windowTitle(), "Data transmission  KRT-6 -> PC");
        QCOMPARE(fmConnect->findChild<QLabel *>("Label1")->text(), "1024 of 1024 Words");
        QCOMPARE(fmConnect->findChild<QProgressBar *>("ProgressBar1")->value(), 0);
    }

    void writeSendsTheCommittedImage()
    {
        KrtSimulator sim;
        sim.setImage(unitImage());
        QVERIFY(sim.start());
        readFrom(sim);
        mainChild<QLineEdit>("ed_logo1")->setText("NEW LOGO");
        mainChild<QLineEdit>("ed_mFabrNr")->setText("AB12C");
        rec->clear();

        item("datwrite")->trigger();

        QVERIFY(rec->texts().isEmpty());
        QCOMPARE(sim.stats().imagesAccepted, 1);
        QVERIFY(sim.image() == G.CommittedImage);
        QVERIFY(G.CommittedImage == G.ParamImage);
        const quint16 serial[8] = {word('A', 'B'), word('1', '2'), word('C', '\xFF'), 0xFFFF, 0xFFFF, 0xFFFF,
                                   0xFFFF,         0xFFFF};
        QVERIFY(std::equal(std::begin(serial), std::end(serial), sim.image().begin() + 965));
        QCOMPARE(sim.image()[256], word('N', 'E'));
        QCOMPARE(sim.image()[259], word('G', 'O'));
        QCOMPARE(sim.image()[263], word(' ', ' '));
        QCOMPARE(sim.image()[500], quint16(0xBEEF));
        QVERIFY(G.ReferenceImage == unitImage());
        QVERIFY(!G.ImageModified); // the unit confirmed what it holds
        QCOMPARE(fmConnect->windowTitle(), "Data transmission  PC -> KRT-6");
        QCOMPARE(fmConnect->findChild<QLabel *>("Label1")->text(), "1024 of 1024 Words");

        // Longer serial numbers are cut to 16; characters go as Windows-1252.
        PackSerialNumber(QString::fromUtf8("\u00e4BCDEFGHIJKLMNOPQRST"));
        QCOMPARE(G.ParamImage[965], quint16(0xE442));
        QCOMPARE(G.ParamImage[972], word('O', 'P'));
    }

    void oldUnitAndTheToolbarQuestion()
    {
        KrtSimulator sim(options(Fault::OldUnit));
        QVERIFY(sim.start());
        readFrom(sim);
        QVERIFY(G.DeviceDataRead);
        QVERIFY(!G.WriteAccepted);
        QVERIFY(rec->texts().isEmpty());

        // The toolbar write asks first; No sends nothing.
        rec->script({MbNo});
        QTest::mouseClick(mainChild<QToolButton>("BitBtn_wr_LCtoPC"), Qt::LeftButton);
        QCOMPARE(rec->texts(),
                 QStringList{"Do you want you send data to an old KRT-6 version (!!! wrong data "
                             "!!!)\r\nor to an updated KRT-6 version ? (min. V2.00)"});
        QCOMPARE(rec->requests()[0].kind, MsgKind::Confirmation);
        QCOMPARE(rec->requests()[0].buttons, int(MbYes | MbNo));
        QCOMPARE(sim.stats().writeCommands, 0);
        QVERIFY(!G.WriteAccepted);

        // The menu item sends at once and leaves the mark.
        rec->clear();
        item("datwrite")->trigger();
        QVERIFY(rec->texts().isEmpty());
        QCOMPARE(sim.stats().imagesAccepted, 1);
        QVERIFY(!G.WriteAccepted);

        // Yes: accepted from now on, the notice goes, the image is sent.
        mainChild<QWidget>("Panel71")->show();
        rec->script({MbYes});
        QTest::mouseClick(mainChild<QToolButton>("BitBtn_wr_LCtoPC"), Qt::LeftButton);
        QCOMPARE(rec->texts().size(), 1);
        QVERIFY(mainChild<QWidget>("Panel71")->isHidden());
        QVERIFY(!G.WriteAccepted); // the old unit's greeting marks the data again
        QCOMPARE(sim.stats().imagesAccepted, 2);
    }

    void failureChangesNothing_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("fault"); // -1: no unit behind the port name
        QTest::addColumn<QString>("message");
        QTest::newRow("read: no such port") << false << -1 << "Error opening port /dev/krt6-none : \r\n";
        QTest::newRow("read: checksum")
            << false << int(Fault::WrongReadCrc) << "Transmission Error\r\nChecksum error";
        QTest::newRow("read: silent unit")
            << false << int(Fault::Silent) << "Transmission Error\r\nNo answer from KRT-6";
        QTest::newRow("write: zero acknowledgement") << true << int(Fault::ZeroAck) << "Communication Error";
        QTest::newRow("write: wrong CRC echo")
            << true << int(Fault::WrongCrcEcho) << "Transmission Error\n\rChecksum Error";
    }
    void failureChangesNothing()
    {
        QFETCH(bool, write);
        QFETCH(int, fault);
        QFETCH(QString, message);
        loadFromUnit();
        KrtSimulator sim(options(fault < 0 ? Fault::None : Fault(fault)));
        KrtSimulator::Image other = KrtSimulator::defaultImage();
        other[5] = 0x5555;
        sim.setImage(other);
        QVERIFY(sim.start());
        ComSettings.Port = fault < 0 ? QStringLiteral("/dev/krt6-none") : sim.devicePath();
        if (write)
            mainChild<QLineEdit>("ed_logo1")->setText("CHANGED");
        // Page 1 is filled again after the command: a written logo line shows its padding.
        const QString logo = write ? QStringLiteral("CHANGED         ") : editText("ed_logo1");
        const QList<bool> commands = commandStates();

        QElapsedTimer t;
        t.start();
        rec->script({MbNo}); // the read's save question: the logo lines were set by the read
        QTest::mouseClick(mainChild<QToolButton>(write ? "BitBtn_wr_LCtoPC" : "BitBtn_rd_LCtoPC"),
                          Qt::LeftButton);
        const qint64 ms = t.elapsed();

        QStringList expected =
            write ? QStringList{} : QStringList{"Save changes \r\nto project\"  \" before read?"};
        QCOMPARE(rec->texts().size(), expected.size() + 1);
        const MessageRequest &m = rec->requests().last();
        QVERIFY2(m.text.startsWith(message), qPrintable(m.text));
        if (fault < 0)
            QVERIFY(m.text.size() > message.size()); // the system's text follows
        else
            QCOMPARE(m.text, message);
        QCOMPARE(rec->texts().mid(0, expected.size()), expected);
        QCOMPARE(m.kind, MsgKind::Error);
        const bool silent = fault == int(Fault::Silent);
        QCOMPARE(m.buttons, int(silent ? MbOk | MbHelp : MbOk));
        QCOMPARE(m.helpContext, silent ? 34 : 0);
        QVERIFY2(ms < (silent ? 8000 : 2500), qPrintable(QString::number(ms)));

        QVERIFY(!fmConnect->isVisible());
        QCOMPARE(commandStates(), commands);
        QVERIFY(G.DeviceDataRead);
        QCOMPARE(editText("ed_logo1"), logo);
        QVERIFY(G.ReferenceImage == unitImage());
        if (write) {
            QVERIFY(G.ImageModified); // not confirmed by the unit
            QVERIFY(G.CommittedImage == G.ParamImage);
            QCOMPARE(G.CommittedImage[256], word('C', 'H'));
            QCOMPARE(sim.stats().imagesAccepted, 0);
        } else {
            QVERIFY(G.ParamImage == unitImage());
            QVERIFY(G.CommittedImage == unitImage());
        }
        QVERIFY(sim.image() == other);
        if (fault >= 0)
            QVERIFY(TryOpenPort(sim.devicePath())); // closed again
    }

    void cancelDuringARead()
    {
        KrtSimulator sim(options(Fault::None, true)); // a read takes over two seconds
        QVERIFY(sim.start());
        const QList<bool> commands = commandStates();
        QString progress;
        bool cancelShown = false;
        QTimer::singleShot(600, [&] {
            auto *cancel = fmConnect->findChild<QPushButton *>("CloseBtn");
            cancelShown = cancel->isVisible() && cancel->text() == "&Cancel";
            progress = fmConnect->findChild<QLabel *>("Label1")->text();
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        QElapsedTimer t;
        t.start();
        readFrom(sim);
        QVERIFY(t.elapsed() < 1800);

        QVERIFY(cancelShown);
        QVERIFY2(QRegularExpression("^[1-9][0-9]* of 1024 Words$").match(progress).hasMatch(),
                 qPrintable(progress));
        QCOMPARE(rec->requests().size(), 1);
        const MessageRequest &m = rec->requests()[0];
        QCOMPARE(m.text, QString("Transmission abort"));
        QCOMPARE(m.kind, MsgKind::Information);
        QCOMPARE(m.buttons, int(MbOk | MbHelp));
        QCOMPARE(m.helpContext, 34);
        QVERIFY(!fmConnect->isVisible());
        QVERIFY(!G.DeviceDataRead);
        QVERIFY(G.ParamImage == TParamImage{} && G.ReferenceImage == TParamImage{});
        QCOMPARE(commandStates(), commands);
    }
};

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
