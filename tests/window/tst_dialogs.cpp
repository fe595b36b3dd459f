#include "controls.h"
#include "globals.h"
#include "helplayer.h"
#include "helprecorder.h"
#include "splash.h"
#include "vermess.h"
#include "voltage.h"
#include "windowhelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetGlobals(); }

    void voltageDialogAnswers()
    {
        TfmVoltage dialog;
        auto *group = dialog.RadioGroup1();
        auto *ok = child<QPushButton>(&dialog, "Button2");

        // OK at once: L.
        G.VoltageRange = 7;
        int shownIndex = -2;
        whenModalShows([&](QWidget *) {
            shownIndex = group->itemIndex();
            clickBox(ok);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(shownIndex, 0);
        QCOMPARE(G.VoltageRange, quint16(0));
        QCOMPARE(group->itemIndex(), -1); // the choice is cleared on OK

        // The next showing starts with L again; Esc does not close it.
        shownIndex = -2;
        bool openAfterEscape = false;
        HelpRecorder help;
        whenModalShows([&](QWidget *w) {
            shownIndex = group->itemIndex();
            QTest::keyClick(w, Qt::Key_Escape);
            openAfterEscape = w->isVisible();
            QTest::keyClick(w, Qt::Key_F1);
            clickBox(ok);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(shownIndex, 0);
        QVERIFY(openAfterEscape);
        QCOMPARE(G.VoltageRange, quint16(0));
        QCOMPARE(help.contexts, QList<int>({7}));
    }

    void attentionMessageSuppressedAndShownAgain()
    {
        TVerMess mess;
        QStringList shown;
        auto okWhenShown = [&](bool tick) {
            whenModalShows([&, tick](QWidget *w) {
                shown << child<QLabel>(w, "lbl_msg")->text();
                if (tick)
                    clickBox(child<QCheckBox>(w, "cb_Noshow"));
                clickBox(child<QPushButton>(w, "cmd_OK"));
            });
        };

        // Help asks for its context and leaves the message open.
        HelpRecorder help;
        bool openAfterHelp = false;
        whenModalShows([&](QWidget *w) {
            shown << child<QLabel>(w, "lbl_msg")->text();
            clickBox(child<QPushButton>(w, "cmd_Help"));
            openAfterHelp = w->isVisible();
            clickBox(child<QPushButton>(w, "cmd_OK"));
        });
        QVERIFY(mess.Show("first"));
        QCOMPARE(help.contexts, QList<int>({36}));
        QVERIFY(openAfterHelp);
        okWhenShown(true);
        QVERIFY(mess.Show("second"));
        QCOMPARE(shown, QStringList({"first", "second"}));
        QVERIFY(mess.FShow);

        // Suppressed: nothing shows (a form that did show would be closed and counted).
        int unexpected = 0;
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                ++unexpected;
                w->close();
            }
        });
        guard.start(5);
        QVERIFY(!mess.Show("third"));
        QTest::qWait(50);
        guard.stop();
        QCOMPARE(unexpected, 0);
        QCOMPARE(mess.Msg, QString("second"));

        // disableShow: shown again, without the tick.
        mess.disableShow();
        QVERIFY(!mess.FShow);
        bool tickedWhenShown = true;
        whenModalShows([&](QWidget *w) {
            shown << child<QLabel>(w, "lbl_msg")->text();
            tickedWhenShown = child<QCheckBox>(w, "cb_Noshow")->isChecked();
            clickBox(child<QPushButton>(w, "cmd_OK"));
        });
        QVERIFY(mess.Show("fourth"));
        QCOMPARE(shown.last(), QString("fourth"));
        QVERIFY(!tickedWhenShown);

        // Unticking again lets messages through.
        okWhenShown(true);
        QVERIFY(mess.Show("fifth"));
        QVERIFY(mess.FShow);
        mess.frm_version->cb_Noshow()->setChecked(false);
        QVERIFY(!mess.FShow);
    }

    void splashStaysTwoSecondsWithHourglass()
    {
        TfmSplash splash;
        bool hourglass = false;
        bool openAfterEscape = false;
        QTimer::singleShot(300, [&] {
            QTest::keyClick(&splash, Qt::Key_Escape);
            splash.close();
            openAfterEscape = splash.isVisible();
            hourglass =
                QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        });
        QElapsedTimer clock;
        clock.start();
        splash.exec();
        const qint64 shownMs = clock.elapsed();
        QVERIFY(hourglass);
        QVERIFY(openAfterEscape);
        QVERIFY2(shownMs >= 1950 && shownMs < 4000, qPrintable(QString::number(shownMs)));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(!splash.isVisible());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
