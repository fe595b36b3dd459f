// Reading the unit and writing to it from the main window, against the simulated KRT-6
// on a pseudo-terminal: the commands as the user runs them, what a good read puts on
// page 1, what the unit receives, and that every failure shows its one message and
// changes nothing.

#include "comsettings.h"
#include "connect.h"
#include "globals.h"
#include "imagetexts.h"
#include "krtsim.h"
#include "linktesthelpers.h"
#include "mainwindow.h"
#include "messagerecorder.h"
#include "vermess.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
using Fault = KrtSimulator::Fault;

template <class T> T *child(const char *name)
{
    return frmMain->findChild<T *>(QLatin1String(name));
}
QString text(const char *name)
{
    return child<QLineEdit>(name)->text();
}
void click(const char *button)
{
    QTest::mouseClick(child<QToolButton>(button), Qt::LeftButton);
}
// The commands a read enables, and the transfer commands.
QList<bool> commandStates()
{
    QList<bool> states;
    for (const char *a : {"datread", "datwrite", "mut_RS232", "speichern", "speich_unt", "drucken"})
        states << child<QAction>(a)->isEnabled();
    for (const char *b : {"BitBtn_drucken", "BitBtnDatSave", "BitBtn_rd_LCtoPC", "BitBtn_wr_LCtoPC"})
        states << child<QToolButton>(b)->isEnabled();
    return states;
}
quint16 word(char high, char low)
{
    return quint16(quint8(high) << 8 | quint8(low));
}
// The unit's image: serial number "SN-42" padded with 0xFF, range H, DIN rail, 18 cells.
KrtSimulator::Image unitImage(quint16 version = 0x023C)
{
    KrtSimulator::Image img = KrtSimulator::defaultImage();
    img[5] = 0x1234;
    img[70] = 18;
    img[960] = 1;
    img[962] = version;
    img[1012] = 1;
    std::fill(img.begin() + 965, img.begin() + 973, 0xFFFF);
    img[965] = word('S', 'N');
    img[966] = word('-', '4');
    img[967] = word('2', '\xFF');
    return img;
}
} // namespace

class TestTransfer : public QObject
{
    Q_OBJECT

    MessageRecorder *rec = nullptr;

    static void readFrom(const KrtSimulator &sim)
    {
        ComSettings.Port = sim.devicePath();
        child<QAction>("datread")->trigger();
    }

private slots:
    void init()
    {
        resetGlobals();
        ComSettings = TCOM();
        rec = new MessageRecorder;
        new TfrmMain;
        frmMain->VerMess()->FShow = true; // the version check's attention message stays away
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
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<bool>("invalid");
        QTest::addColumn<bool>("old");
        QTest::newRow("2.60") << 0x023C << "Version 2.60" << false << false;
        QTest::newRow("2.05, old") << 0x0205 << "Version 2.05" << false << true;
        QTest::newRow("minor of three digits") << 0x0364 << "Version 3.00" << true << false;
    }
    void readFillsImagesAndPageOne()
    {
        QFETCH(int, version);
        QFETCH(QString, firmware);
        QFETCH(bool, invalid);
        QFETCH(bool, old);
        KrtSimulator sim;
        sim.setImage(unitImage(quint16(version)));
        QVERIFY(sim.start());
        QVERIFY(!child<QAction>("speichern")->isEnabled());
        readFrom(sim);

        QCOMPARE(rec->texts(), invalid ? QStringList{"Invalid version!"} : QStringList{});
        QVERIFY(G.ParamImage == sim.image() && G.CommittedImage == sim.image() &&
                G.ReferenceImage == sim.image());
        QVERIFY(G.DeviceDataRead && G.DataLoaded && G.ImageModified);
        QCOMPARE(G.WriteAccepted, !old);
        QCOMPARE(G.VoltageRange, quint16(1));
        QCOMPARE(G.CellCount, quint16(18));
        QCOMPARE(G.CurrentPage, 1);
        QVERIFY(!G.SignalTextTable[4].isEmpty());
        QCOMPARE(text("ed_versnr"), firmware);
        QCOMPARE(text("ed_logo1"), "KRT-6 simulator ");
        QCOMPARE(text("ed_mFabrNr"), "SN-42");
        QVERIFY(child<QCheckBox>("cb_din")->isChecked());
        QCOMPARE(!child<QWidget>("Panel71")->isHidden(), old);
        QVERIFY(child<QWidget>("rg_language")->isEnabled());
        QCOMPARE(commandStates(), QList<bool>(10, true));
        QVERIFY(!fmConnect->isVisible());
        QCOMPARE(fmConnect->windowTitle(), "Data transmission  KRT-6 -> PC");
        QCOMPARE(fmConnect->findChild<QLabel *>("Label1")->text(), "1024 of 1024 Words");
    }

    void writeSendsTheCommittedImage()
    {
        KrtSimulator sim;
        QVERIFY(sim.start());
        readFrom(sim);
        child<QLineEdit>("ed_logo1")->setText("NEW LOGO");
        child<QLineEdit>("ed_mFabrNr")->setText("AB12C");
        rec->clear();
        child<QAction>("datwrite")->trigger();

        QVERIFY(rec->texts().isEmpty());
        QCOMPARE(sim.stats().imagesAccepted, 1);
        QVERIFY(sim.image() == G.CommittedImage && G.CommittedImage == G.ParamImage);
        const quint16 serial[8] = {word('A', 'B'), word('1', '2'), word('C', '\xFF'), 0xFFFF, 0xFFFF, 0xFFFF,
                                   0xFFFF,         0xFFFF};
        QVERIFY(std::equal(std::begin(serial), std::end(serial), sim.image().begin() + 965));
        QCOMPARE(sim.image()[259], word('G', 'O'));
        QCOMPARE(sim.image()[260], word(' ', ' '));
        QVERIFY(!G.ImageModified); // the unit confirmed what the program holds
        QCOMPARE(fmConnect->windowTitle(), "Data transmission  PC -> KRT-6");

        // Longer serial numbers are cut to 16; characters go as Windows-1252.
        PackSerialNumber(QString::fromUtf8("\u00e4BCDEFGHIJKLMNOPQRST"));
        QCOMPARE(G.ParamImage[965], quint16(0xE442));
        QCOMPARE(G.ParamImage[972], word('O', 'P'));
    }

    void writeRefusedWithNothingLoaded()
    {
        KrtSimulator sim;
        QVERIFY(sim.start());
        ComSettings.Port = sim.devicePath();
        child<QAction>("datwrite")->setEnabled(true);
        child<QAction>("datwrite")->trigger();
        QCOMPARE(describeMessages(*rec),
                 QStringList{describeMessage(
                     "Please open a file, start a new project\r\nor read configuration from KRT-6!",
                     MsgKind::Information, MbOk, 0)});
        QCOMPARE(G.TransferDirection, quint8(0));
        QVERIFY(G.ParamImage == TParamImage{} && G.CommittedImage == TParamImage{});
        QCOMPARE(sim.stats().bytesReceived, 0); // the port was not even greeted
    }

    void oldUnitAndTheToolbarQuestion()
    {
        KrtSimulator::Options o;
        o.fault = Fault::OldUnit;
        KrtSimulator oldUnit(o), unit;
        QVERIFY(oldUnit.start() && unit.start());
        readFrom(oldUnit); // three silent "PCCOM:" windows, then "PC:"
        QVERIFY(G.DeviceDataRead && !G.WriteAccepted);
        QVERIFY(rec->texts().isEmpty());

        ComSettings.Port = unit.devicePath(); // the faster unit from here on
        rec->script({MbNo});                  // toolbar write, No: nothing is sent
        click("BitBtn_wr_LCtoPC");
        QCOMPARE(rec->texts(),
                 QStringList{"Do you want you send data to an old KRT-6 version (!!! wrong data "
                             "!!!)\r\nor to an updated KRT-6 version ? (min. V2.00)"});
        QCOMPARE(rec->requests()[0].buttons, int(MbYes | MbNo));
        QCOMPARE(unit.stats().writeCommands, 0);

        child<QAction>("datwrite")->trigger(); // the menu item asks nothing
        QCOMPARE(rec->texts().size(), 1);
        QCOMPARE(unit.stats().imagesAccepted, 1);

        G.WriteAccepted = false; // old data again, with the notice
        child<QWidget>("Panel71")->show();
        rec->script({MbYes});
        click("BitBtn_wr_LCtoPC");
        QCOMPARE(rec->texts().size(), 2);
        QVERIFY(G.WriteAccepted && child<QWidget>("Panel71")->isHidden());
        QCOMPARE(unit.stats().imagesAccepted, 2);
    }

    void failureChangesNothing_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("fault"); // -1: no unit behind the port name
        QTest::addColumn<QString>("message");
        QTest::newRow("read: no such port") << false << -1 << "Error opening port /dev/krt6-none : \r\n";
        QTest::newRow("read: checksum")
            << false << int(Fault::WrongReadCrc) << "Transmission Error\r\nChecksum error";
        QTest::newRow("write: zero acknowledgement") << true << int(Fault::ZeroAck) << "Communication Error";
    }
    void failureChangesNothing()
    {
        QFETCH(bool, write);
        QFETCH(int, fault);
        QFETCH(QString, message);
        {
            KrtSimulator good;
            good.setImage(unitImage());
            QVERIFY(good.start());
            readFrom(good);
        }
        KrtSimulator::Options o;
        o.fault = fault < 0 ? Fault::None : Fault(fault);
        KrtSimulator sim(o);
        QVERIFY(sim.start());
        ComSettings.Port = fault < 0 ? QStringLiteral("/dev/krt6-none") : sim.devicePath();
        if (write)
            child<QLineEdit>("ed_logo1")->setText("CHANGED");
        else
            child<QLineEdit>("ed_mprjname")->setText("Plant 7");
        const QList<bool> commands = commandStates();
        rec->clear();
        rec->script({MbNo}); // a read asks to save first: the read set the logo lines

        QElapsedTimer t;
        t.start();
        click(write ? "BitBtn_wr_LCtoPC" : "BitBtn_rd_LCtoPC");
        QVERIFY(t.elapsed() < 2500);

        QCOMPARE(rec->texts().size(), write ? 1 : 2);
        if (!write) {
            QCOMPARE(rec->texts()[0], "Save changes \r\nto project\" PLANT 7 \" before read?");
            QCOMPARE(rec->requests()[0].kind, MsgKind::Information);
            QCOMPARE(rec->requests()[0].buttons, int(MbYes | MbNo));
        }
        const MessageRequest &m = rec->requests().last();
        QVERIFY2(fault < 0 ? m.text.startsWith(message) && m.text.size() > message.size() : m.text == message,
                 qPrintable(m.text));
        QCOMPARE(m.kind, MsgKind::Error);
        QCOMPARE(m.helpContext, 0);
        QVERIFY(!fmConnect->isVisible());
        QCOMPARE(commandStates(), commands);
        // Still current data: no old-version notice, the write button asks nothing.
        QVERIFY(G.WriteAccepted && child<QWidget>("Panel71")->isHidden());
        QVERIFY(G.ReferenceImage == unitImage());
        if (write) {
            QVERIFY(G.ImageModified); // not confirmed by the unit
            QCOMPARE(G.CommittedImage[256], word('C', 'H'));
            QCOMPARE(sim.stats().imagesAccepted, 0);
        } else {
            QVERIFY(G.ParamImage == unitImage() && G.CommittedImage == unitImage());
            QCOMPARE(text("ed_logo1"), "KRT-6 simulator ");
        }
        if (fault >= 0)
            QVERIFY(TryOpenPort(sim.devicePath())); // closed again
    }

    void cancelDuringARead()
    {
        KrtSimulator::Options o;
        o.paced = true; // a read takes over two seconds
        KrtSimulator sim(o);
        QVERIFY(sim.start());
        const QList<bool> commands = commandStates();
        QString progress, status;
        QTimer::singleShot(600, [&] {
            auto *cancel = fmConnect->findChild<QPushButton *>("CloseBtn");
            QVERIFY(cancel->isVisible());
            progress = fmConnect->findChild<QLabel *>("Label1")->text();
            status = fmConnect->findChild<QLabel *>("Label2")->text();
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        QElapsedTimer t;
        t.start();
        readFrom(sim);
        QVERIFY(t.elapsed() < 1800);
        QVERIFY2(QRegularExpression("^[1-9][0-9]* of 1024 Words$").match(progress).hasMatch(),
                 qPrintable(progress));
        QCOMPARE(status, "Transmission running !");
        QCOMPARE(describeMessages(*rec),
                 QStringList{describeMessage("Transmission abort", MsgKind::Information, MbOk | MbHelp, 34)});
        QVERIFY(!G.DeviceDataRead && G.ParamImage == TParamImage{} && G.ReferenceImage == TParamImage{});
        QCOMPARE(commandStates(), commands);
    }
};

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
