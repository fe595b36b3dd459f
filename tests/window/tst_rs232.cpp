// The COM port dialog: the probe at creation, the status panel, the transfer commands
// that follow whether a port exists, and taking a port (also a typed path) with OK.

#include "comsettings.h"
#include "globals.h"
#include "krtsim.h"
#include "mainwindow.h"
#include "messagerecorder.h"
#include "panel.h"
#include "rs232.h"
#include "windowhelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
QString panelText()
{
    return child<TPanel>(frmMain, "Panel12")->text();
}
// Toolbar read and write, the Data menu and the RS232 item.
QList<bool> transferCommands()
{
    return {child<QToolButton>(frmMain, "BitBtn_rd_LCtoPC")->isEnabled(),
            child<QToolButton>(frmMain, "BitBtn_wr_LCtoPC")->isEnabled(),
            child<QMenu>(frmMain, "SLC_daten")->menuAction()->isEnabled(),
            frmMain->findChild<QAction *>("mut_RS232")->isEnabled()};
}
// Opens the dialog with `open`, then, while it is modal, runs `inside` and clicks OK.
void inDialog(const std::function<void()> &open, const std::function<void()> &inside)
{
    QTimer::singleShot(50, [inside] {
        QVERIFY(QApplication::activeModalWidget() == frm_RS232);
        inside();
    });
    // A separate tick, so that a failed check above still lets the dialog close.
    QTimer::singleShot(60,
                       [] { QTest::mouseClick(child<QPushButton>(frm_RS232, "cmd_Ok"), Qt::LeftButton); });
    open();
    QVERIFY(!frm_RS232->isVisible());
}
void typePort(const QString &name)
{
    QLineEdit *edit = child<QComboBox>(frm_RS232, "cb_Port")->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, name);
}
} // namespace

class TestRs232 : public QObject
{
    Q_OBJECT

    MessageRecorder *rec = nullptr;
    KrtSimulator sim1, sim2;

    void createDialog(QStringList ports)
    {
        setPortProbe([ports] { return ports; });
        frm_RS232 = new Tfrm_RS232(frmMain);
    }

private slots:
    void initTestCase() { QVERIFY(sim1.start() && sim2.start()); }
    void init()
    {
        resetGlobals();
        ComSettings = TCOM();
        rec = new MessageRecorder;
        new TfrmMain;
    }
    void cleanup()
    {
        delete frm_RS232;
        delete frmMain;
        delete rec;
        setPortProbe(nullptr);
    }

    void portsFoundAtStart()
    {
        ComSettings.Baudrate = 1200;
        createDialog({sim1.devicePath(), sim2.devicePath()});
        QVERIFY(rec->texts().isEmpty());
        QCOMPARE(ComSettings.Port, sim1.devicePath());
        QCOMPARE(ComSettings.Baudrate, quint16(9600));
        QCOMPARE(panelText(), "Interface: " + sim1.devicePath());
        QCOMPARE(transferCommands(), QList<bool>(4, true));
        auto *ports = child<QComboBox>(frm_RS232, "cb_Port");
        auto *baud = child<QComboBox>(frm_RS232, "cb_Baudrate");
        QCOMPARE(ports->count(), 2);
        QCOMPARE(ports->itemText(1), sim2.devicePath());

        // The second port and 57600 chosen: the port is taken, the baud rate stays 9600.
        QAction *item = frmMain->findChild<QAction *>("mut_RS232");
        inDialog([item] { item->trigger(); },
                 [&] {
                     QCOMPARE(child<QLineEdit>(frm_RS232, "edt_Stopbits")->text(), "1");
                     QCOMPARE(child<QLineEdit>(frm_RS232, "edt_Parity")->text(), "0");
                     QCOMPARE(child<QLineEdit>(frm_RS232, "edt_Databits")->text(), "8");
                     baud->setCurrentIndex(1);
                     ports->setCurrentIndex(1);
                     QTest::keyClick(frm_RS232, Qt::Key_Escape); // OK is the only way out
                     QVERIFY(frm_RS232->isVisible());
                 });
        QCOMPARE(ComSettings.Port, sim2.devicePath());
        QCOMPARE(ComSettings.Baudrate, quint16(9600));
        QCOMPARE(panelText(), "Port: " + sim2.devicePath());
        inDialog([item] { item->trigger(); }, [&] { QCOMPARE(baud->currentText(), "9600"); });
        QVERIFY(rec->texts().isEmpty());
    }

    void noPortAtStartThenTypedNames()
    {
        createDialog({});
        QCOMPARE(rec->texts(), QStringList{"No Serial RS232/COM Port\n\rCan not read from/write to KRT-6"});
        QCOMPARE(rec->requests()[0].kind, MsgKind::Error);
        QCOMPARE(panelText(), "No RS232 Interface found");
        QCOMPARE(transferCommands(), QList<bool>(4, false));

        // The status panel still opens the dialog; a name that does not open keeps the state.
        frmMain->show();
        auto clickPanel = [] { QTest::mouseClick(child<TPanel>(frmMain, "Panel12"), Qt::LeftButton); };
        inDialog(clickPanel, [] {
            QCOMPARE(child<QComboBox>(frm_RS232, "cb_Port")->count(), 0);
            typePort("/dev/krt6-none");
        });
        QCOMPARE(rec->texts().size(), 2);
        const QString prefix = "Cannot open Port:/dev/krt6-none\n\r";
        QVERIFY(rec->texts()[1].startsWith(prefix) && rec->texts()[1].size() > prefix.size());
        QCOMPARE(panelText(), "No RS232 Interface found");
        QVERIFY(ComSettings.Port.isEmpty());
        QCOMPARE(transferCommands(), QList<bool>(4, false));

        // The simulated unit's pseudo-terminal opens: taken, and the commands work again.
        inDialog(clickPanel, [this] { typePort(sim1.devicePath()); });
        QCOMPARE(ComSettings.Port, sim1.devicePath());
        QCOMPARE(panelText(), "Port: " + sim1.devicePath());
        QCOMPARE(transferCommands(), QList<bool>(4, true));
        QCOMPARE(rec->texts().size(), 2);
    }
};

QTEST_MAIN(TestRs232)
#include "tst_rs232.moc"
