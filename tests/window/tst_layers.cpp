#include "dispatch.h"
#include "filedialogs.h"
#include "helplayer.h"
#include "helprecorder.h"
#include "messagebox.h"
#include "messagerecorder.h"
#include "windowhelpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

// A window with two edits, as a page with two fields.
struct TwoEdits
{
    QWidget window;
    QLineEdit *first = new QLineEdit(&window);
    QLineEdit *second = new QLineEdit(&window);
    TwoEdits()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
    }
};

class TestLayers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName("KRT-6 Configurator"); }

    void boxIconAndButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("qtButtons");
        using B = QMessageBox;
        const auto row = [](const char *name, MsgKind kind, int buttons, B::Icon icon, int qtButtons,
                            const QString &caption = {}) {
            QTest::newRow(name) << int(kind) << buttons << caption << int(icon) << qtButtons;
        };
        row("error ok", MsgKind::Error, MbOk, B::Critical, B::Ok);
        row("info ok", MsgKind::Information, MbOk, B::Information, B::Ok);
        row("warning yes no", MsgKind::Warning, MbYes | MbNo, B::Warning, B::Yes | B::No);
        row("confirmation yes no cancel", MsgKind::Confirmation, MbYes | MbNo | MbCancel, B::Question,
            B::Yes | B::No | B::Cancel);
        row("none abort retry ignore", MsgKind::None, MbAbort | MbRetry | MbIgnore, B::NoIcon,
            B::Abort | B::Retry | B::Ignore);
        row("ok help", MsgKind::Error, MbOk | MbHelp, B::Critical, B::Ok | B::Help);
        row("help alone gets ok", MsgKind::Error, MbHelp, B::Critical, B::Ok | B::Help);
        row("no buttons gets ok", MsgKind::Information, MbNone, B::Information, B::Ok);
        row("own caption", MsgKind::Error, MbOk, B::Critical, B::Ok, "Own caption");
    }

    void boxIconAndButtons()
    {
        QFETCH(int, kind);
        QFETCH(int, buttons);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        QFETCH(int, qtButtons);
        std::unique_ptr<QMessageBox> box(
            createMessageBox(MessageRequest{"te\n\rx\r\n\rt", MsgKind(kind), buttons, 0, caption}));
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(int(box->standardButtons()), qtButtons);
        QCOMPARE(box->text(), QString("te\nx\n\nt")); // CR LF and LF CR: one line break
        QCOMPARE(box->windowTitle(), caption.isEmpty() ? QString("KRT-6 Configurator") : caption);
    }

    void realBoxReturnsTheClickedButton_data()
    {
        QTest::addColumn<int>("click");
        QTest::addColumn<int>("expected");
        QTest::newRow("yes") << int(QMessageBox::Yes) << int(MbYes);
        QTest::newRow("no") << int(QMessageBox::No) << int(MbNo);
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << int(MbCancel);
    }

    void realBoxReturnsTheClickedButton()
    {
        QFETCH(int, click);
        QFETCH(int, expected);
        MessagePresenter previous = installMessageBoxPresenter();
        QString seenText;
        whenModalShows([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            seenText = box->text();
            QTest::mouseClick(box->button(QMessageBox::StandardButton(click)), Qt::LeftButton);
        });
        const int answer =
            showMessage("Send changes to KRT-6?", MsgKind::Confirmation, MbYes | MbNo | MbCancel);
        setMessagePresenter(previous);
        QCOMPARE(seenText, QString("Send changes to KRT-6?"));
        QCOMPARE(answer, expected);
    }

    // The Help button and F1 request the box's context (none without one); the box stays open.
    void helpInABox_data()
    {
        QTest::addColumn<bool>("byF1");
        QTest::addColumn<int>("context");
        QTest::newRow("help button") << false << 34;
        QTest::newRow("F1, context 34") << true << 34;
        QTest::newRow("F1, no context") << true << 0;
    }

    void helpInABox()
    {
        QFETCH(bool, byF1);
        QFETCH(int, context);
        HelpRecorder help;
        MessagePresenter previous = installMessageBoxPresenter();
        bool stillOpenAfterHelp = false;
        whenModalShows([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (byF1) {
                if (!QTest::qWaitForWindowActive(box))
                    qWarning("the box did not become active");
                QTest::keyClick(box, Qt::Key_F1);
            } else {
                QTest::mouseClick(box->button(QMessageBox::Help), Qt::LeftButton);
            }
            QTimer::singleShot(50, [&, box] {
                stillOpenAfterHelp = box->isVisible();
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            });
        });
        const int answer = showMessage("No answer", MsgKind::Error, byF1 ? MbOk : MbOk | MbHelp, context);
        setMessagePresenter(previous);
        QCOMPARE(help.contexts, context ? QList<int>({context}) : QList<int>());
        QVERIFY(stillOpenAfterHelp);
        QCOMPARE(answer, int(MbOk));
    }

    void defaultHelpNamesTheContextInAnInformationBox()
    {
        MessageRecorder rec;
        requestHelp(36);
        QCOMPARE(rec.requests().size(), 1);
        QCOMPARE(rec.requests().at(0).kind, MsgKind::Information);
        QVERIFY(rec.requests().at(0).text.contains("36"));
        QCOMPARE(lastHelpContext(), 36);
        requestHelp(0);
        QCOMPARE(rec.requests().size(), 1);
    }

    void f1RequestsTheContextOfTheFocusedWidget()
    {
        HelpRecorder help;
        TwoEdits t; // the first has a context of its own, the second inherits the window's
        setHelpContext(&t.window, 7);
        setHelpContext(t.first, 11);
        installHelpKey(&t.window);
        QVERIFY(showActive(&t.window));
        t.first->setFocus();
        QTest::keyClick(t.first, Qt::Key_F1);
        t.second->setFocus();
        QTest::keyClick(t.second, Qt::Key_F1);
        QCOMPARE(help.contexts, QList<int>({11, 7}));
    }

    void runGuardedShowsConversionErrorOnce()
    {
        MessageRecorder rec;
        QVERIFY(runGuarded([] {}));
        QVERIFY(rec.requests().isEmpty());
        bool after = false;
        QVERIFY(!runGuarded([&] {
            throw invalidIntegerError("12a");
            after = true;
        }));
        QVERIFY(!after);
        QCOMPARE(rec.texts(), QStringList({"'12a' is not a valid integer value."}));
        QCOMPARE(rec.requests().at(0).kind, MsgKind::Error);
        // Other failures are shown too.
        QVERIFY(!runGuarded([] { throw std::runtime_error("disk full"); }));
        QVERIFY(!runGuarded([] { throw 5; }));
        QCOMPARE(rec.requests().size(), 3);
        QCOMPARE(rec.requests().at(1).text, QString("disk full"));
    }

    void failureWhileTheBoxIsOpenIsNotShownAgain()
    {
        // The box taking the focus fires another handler that fails the same way.
        int boxes = 0;
        MessagePresenter previous = setMessagePresenter([&](const MessageRequest &) {
            ++boxes;
            runGuarded([] { throw invalidFloatError("x"); });
            return int(MbOk);
        });
        QVERIFY(!runGuarded([] { throw invalidFloatError("x"); }));
        QVERIFY(!runGuarded([] { throw invalidFloatError("y"); }));
        setMessagePresenter(previous);
        QCOMPARE(boxes, 2);
    }

    void connectGuardedPassesArgumentsAndCatches()
    {
        MessageRecorder rec;
        QLineEdit edit;
        QStringList seen;
        connectGuarded(&edit, &QLineEdit::textChanged, &edit, [&](const QString &t) {
            seen << t;
            if (t == "bad")
                throw invalidIntegerError(t);
        });
        edit.setText("ok");
        edit.setText("bad");
        QCOMPARE(seen, QStringList({"ok", "bad"}));
        QCOMPARE(rec.texts(), QStringList({"'bad' is not a valid integer value."}));
    }

    void exitHandlerRunsOnFocusOutOnly()
    {
        MessageRecorder rec;
        TwoEdits t;
        int exits = 0;
        connectExit(t.first, [&] {
            ++exits;
            throw invalidIntegerError(t.first->text());
        });
        QVERIFY(showActive(&t.window));
        t.first->setFocus();
        QTRY_VERIFY(t.first->hasFocus());
        t.first->setText("abc"); // code setting the text is no exit
        QCOMPARE(exits, 0);
        QTest::keyClick(t.first, Qt::Key_Tab);
        QVERIFY(t.second->hasFocus());
        QCOMPARE(exits, 1);
        QCOMPARE(rec.texts(), QStringList({"'abc' is not a valid integer value."}));

        // Another window becoming active is no exit.
        t.first->setFocus();
        QTRY_VERIFY(t.first->hasFocus());
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(!t.window.isActiveWindow());
        QCOMPARE(exits, 1);
    }

    void filterTranslation_data()
    {
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("qt");
        const char *rows[][3] = {
            {"open",
             "KRT-6-files since V2.40 (*.zf1)|*.zf1|ZA7700F-files to V2.11 (*.zf1)|*.zaf|all files(*.*)|*.*",
             "KRT-6-files since V2.40 (*.zf1);;ZA7700F-files to V2.11 (*.zaf);;all files(*.*)"},
            {"save", "KRT-6-files since V2.40 |*.zf1|all files|*.*",
             "KRT-6-files since V2.40 (*.zf1);;all files (*.*)"},
            {"several patterns", "Projects|*.zf1;*.zaf", "Projects (*.zf1 *.zaf)"},
            {"no description", "|*.txt", "(*.txt)"},
            {"dangling description", "Text|*.txt|Half", "Text (*.txt)"},
            {"empty", "", ""}};
        for (auto &r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }

    void filterTranslation()
    {
        QFETCH(QString, original);
        QFETCH(QString, qt);
        QCOMPARE(FileDialogs::toQtFilter(original), qt);
    }

    // A scripted save dialog adds the default suffix as the real one does, to a bare name only.
    void scriptedSaveAddsTheDefaultSuffix()
    {
        FileDialogs::setScript({"/tmp/new", "/tmp/old.zaf", ""});
        QCOMPARE(FileDialogs::getSaveFileName(nullptr, "Save", "X|*.zf1", "*.zf1", "zf1"),
                 QString("/tmp/new.zf1"));
        QCOMPARE(FileDialogs::getSaveFileName(nullptr, "Save", "X|*.zf1", "", "zf1"),
                 QString("/tmp/old.zaf"));
        QCOMPARE(FileDialogs::getSaveFileName(nullptr, "Save", "X|*.zf1", "", "zf1"), QString());
        FileDialogs::endScript();
    }
};

QTEST_MAIN(TestLayers)
#include "tst_layers.moc"
