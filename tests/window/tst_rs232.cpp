// The COM port dialog: the probe at creation, the status panel, the transfer commands
// that follow whether a port exists, and taking a port (also a typed path) with OK.

#include "comsettings.h"
#include "globals.h"
#include "krtsim.h"
#include "mainwindow.h"
#include "messagerecorder.h"
#include "panel.h"
#include "rs232.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {
// Runs `answer` on the modal dialog once it is shown (the test itself is blocked in exec).
void whenModal(std::function<void(QWidget *)> answer)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (QWidget *m = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            answer(m);
        }
    });
    poll->start();
}

template <class T> T *mainChild(const char *name)
{
    return frmMain->findChild<T *>(QLatin1String(name));
}
template <class T> T *dialogChild(const char *name)
{
    return frm_RS232->findChild<T *>(QLatin1String(name));
}
QComboBox *portBox()
{
    return dialogChild<QComboBox>("cb_Port");
}
void clickOk()
{
    QTest::mouseClick(dialogChild<QPushButton>("cmd_Ok"), Qt::LeftButton);
}
QAction *rs232Item()
{
    return mainChild<QAction>("mut_RS232");
}
// The toolbar read and write buttons, the Data menu and the RS232 item: all on (1), all off (0), mixed (-1).
int transferCommandsState()
{
    const bool on[] = {mainChild<QToolButton>("BitBtn_rd_LCtoPC")->isEnabled(),
                       mainChild<QToolButton>("BitBtn_wr_LCtoPC")->isEnabled(),
                       mainChild<QMenu>("SLC_daten")->menuAction()->isEnabled(), rs232Item()->isEnabled()};
    if (on[0] && on[1] && on[2] && on[3])
        return 1;
    return (on[0] || on[1] || on[2] || on[3]) ? -1 : 0;
}
} // namespace

class TestRs232 : public QObject
{
    Q_OBJECT

    MessageRecorder *rec = nullptr;
    KrtSimulator sim1, sim2;

    QString panelText() const { return mainChild<TPanel>("Panel12")->text(); }
    void createDialog(QStringList ports)
    {
        setPortProbe([ports] { return ports; });
        frm_RS232 = new Tfrm_RS232(frmMain);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(sim1.start());
        QVERIFY(sim2.start());
    }
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
        QCOMPARE(transferCommandsState(), 1);
        const QComboBox *box = portBox();
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->itemText(0), sim1.devicePath());
        QCOMPARE(box->itemText(1), sim2.devicePath());

        // The RS232 item shows the settings; 57600 chosen and OK still leaves 9600.
        whenModal([](QWidget *dlg) {
            QCOMPARE(dlg, static_cast<QWidget *>(frm_RS232));
            QCOMPARE(dialogChild<QLineEdit>("edt_Databits")->text(), "8");
            QCOMPARE(dialogChild<QLineEdit>("edt_Stopbits")->text(), "1");
            QCOMPARE(dialogChild<QLineEdit>("edt_Parity")->text(), "0");
            QCOMPARE(dialogChild<QComboBox>("cb_Baudrate")->currentText(), "9600");
            dialogChild<QComboBox>("cb_Baudrate")->setCurrentIndex(1);
            portBox()->setCurrentIndex(1);
            clickOk();
        });
        rs232Item()->trigger();
        QVERIFY(!frm_RS232->isVisible());
        QCOMPARE(ComSettings.Port, sim2.devicePath());
        QCOMPARE(ComSettings.Baudrate, quint16(9600));
        QCOMPARE(panelText(), "Port: " + sim2.devicePath());

        whenModal([](QWidget *) {
            QCOMPARE(dialogChild<QComboBox>("cb_Baudrate")->currentText(), "9600");
            QCOMPARE(portBox()->currentText(), ComSettings.Port);
            QTest::keyClick(frm_RS232, Qt::Key_Escape); // no way out but OK
            QVERIFY(frm_RS232->isVisible());
            clickOk();
        });
        rs232Item()->trigger();
        QCOMPARE(panelText(), "Port: " + sim2.devicePath());
        QVERIFY(rec->texts().isEmpty());
    }

    void noPortAtStartThenATypedPath()
    {
        createDialog({});
        QCOMPARE(rec->requests().size(), 1);
        QCOMPARE(rec->requests()[0].text, "No Serial RS232/COM Port\n\rCan not read from/write to KRT-6");
        QCOMPARE(rec->requests()[0].kind, MsgKind::Error);
        QCOMPARE(rec->requests()[0].helpContext, 0);
        QCOMPARE(panelText(), "No RS232 Interface found");
        QCOMPARE(transferCommandsState(), 0);
        QVERIFY(ComSettings.Port.isEmpty());

        // The status panel still opens the dialog, with an empty list; the pseudo-terminal
        // of the simulated unit is typed in.
        frmMain->show();
        whenModal([this](QWidget *) {
            QCOMPARE(portBox()->count(), 0);
            QLineEdit *edit = portBox()->lineEdit();
            edit->selectAll();
            QTest::keyClicks(edit, sim1.devicePath());
            clickOk();
        });
        QTest::mouseClick(mainChild<TPanel>("Panel12"), Qt::LeftButton);
        QCOMPARE(ComSettings.Port, sim1.devicePath());
        QCOMPARE(panelText(), "Port: " + sim1.devicePath());
        QCOMPARE(transferCommandsState(), 1);
        QCOMPARE(rec->requests().size(), 1);
    }

    void portThatDoesNotOpenKeepsTheOldOne()
    {
        createDialog({sim1.devicePath()});
        const QString missing = QStringLiteral("/dev/krt6-none");
        whenModal([missing](QWidget *) {
            QLineEdit *edit = portBox()->lineEdit();
            edit->selectAll();
            QTest::keyClicks(edit, missing);
            clickOk();
        });
        rs232Item()->trigger();
        QVERIFY(!frm_RS232->isVisible());
        QCOMPARE(rec->requests().size(), 1);
        const QString text = rec->requests()[0].text;
        const QString prefix = "Cannot open Port:" + missing + "\n\r";
        QVERIFY2(text.startsWith(prefix) && text.size() > prefix.size(), qPrintable(text));
        QCOMPARE(rec->requests()[0].kind, MsgKind::Error);
        QCOMPARE(panelText(), "No RS232 Interface found");
        QCOMPARE(ComSettings.Port, sim1.devicePath());
        QCOMPARE(transferCommandsState(), 1);
    }
};

QTEST_MAIN(TestRs232)
#include "tst_rs232.moc"
