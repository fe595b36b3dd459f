#include "dispatch.h"
#include "filedialogs.h"
#include "helplayer.h"
#include "helprecorder.h"
#include "messagebox.h"
#include "messagerecorder.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

namespace {
// Runs `act` on the first modal message box that appears (polling, so it also works
// for boxes opened by exec() after this call).
void whenBoxShows(std::function<void(QMessageBox *)> act, int triesLeft = 200)
{
    QTimer::singleShot(10, [act = std::move(act), triesLeft] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box && box->isVisible())
            act(box);
        else if (triesLeft > 0)
            whenBoxShows(act, triesLeft - 1);
    });
}

QAbstractButton *buttonOf(QMessageBox *box, QMessageBox::StandardButton which)
{
    return box->button(which);
}

} // namespace

class TestLayers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName("KRT-6 Configurator"); }

    void boxIconAndButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("qtButtons");
        QTest::newRow("error ok") << int(MsgKind::Error) << int(MbOk) << int(QMessageBox::Critical)
                                  << int(QMessageBox::Ok);
        QTest::newRow("info ok") << int(MsgKind::Information) << int(MbOk) << int(QMessageBox::Information)
                                 << int(QMessageBox::Ok);
        QTest::newRow("warning yes no")
            << int(MsgKind::Warning) << int(MbYes | MbNo) << int(QMessageBox::Warning)
            << int(QMessageBox::Yes | QMessageBox::No);
        QTest::newRow("confirmation yes no cancel")
            << int(MsgKind::Confirmation) << int(MbYes | MbNo | MbCancel) << int(QMessageBox::Question)
            << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QTest::newRow("none abort retry ignore")
            << int(MsgKind::None) << int(MbAbort | MbRetry | MbIgnore) << int(QMessageBox::NoIcon)
            << int(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
        QTest::newRow("ok help") << int(MsgKind::Error) << int(MbOk | MbHelp) << int(QMessageBox::Critical)
                                 << int(QMessageBox::Ok | QMessageBox::Help);
        QTest::newRow("help alone gets ok")
            << int(MsgKind::Error) << int(MbHelp) << int(QMessageBox::Critical)
            << int(QMessageBox::Ok | QMessageBox::Help);
        QTest::newRow("no buttons gets ok") << int(MsgKind::Information) << int(MbNone)
                                            << int(QMessageBox::Information) << int(QMessageBox::Ok);
    }

    void boxIconAndButtons()
    {
        QFETCH(int, kind);
        QFETCH(int, buttons);
        QFETCH(int, icon);
        QFETCH(int, qtButtons);
        std::unique_ptr<QMessageBox> box(
            createMessageBox(MessageRequest{"text", MsgKind(kind), buttons, 0, QString()}));
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(int(box->standardButtons()), qtButtons);
        QCOMPARE(box->text(), QString("text"));
        QCOMPARE(box->windowTitle(), QString("KRT-6 Configurator"));
    }

    void captionGivenIsUsed()
    {
        std::unique_ptr<QMessageBox> box(
            createMessageBox(MessageRequest{"t", MsgKind::Error, MbOk, 0, "Own caption"}));
        QCOMPARE(box->windowTitle(), QString("Own caption"));
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
        whenBoxShows([&](QMessageBox *box) {
            seenText = box->text();
            QTest::mouseClick(buttonOf(box, QMessageBox::StandardButton(click)), Qt::LeftButton);
        });
        const int answer =
            showMessage("Send changes to KRT-6?", MsgKind::Confirmation, MbYes | MbNo | MbCancel);
        setMessagePresenter(previous);
        QCOMPARE(seenText, QString("Send changes to KRT-6?"));
        QCOMPARE(answer, expected);
    }

    void helpButtonRequestsContextAndKeepsBoxOpen()
    {
        HelpRecorder help;
        MessagePresenter previous = installMessageBoxPresenter();
        bool stillOpenAfterHelp = false;
        whenBoxShows([&](QMessageBox *box) {
            QTest::mouseClick(buttonOf(box, QMessageBox::Help), Qt::LeftButton);
            QTimer::singleShot(50, [&, box] {
                stillOpenAfterHelp = box->isVisible();
                QTest::mouseClick(buttonOf(box, QMessageBox::Ok), Qt::LeftButton);
            });
        });
        const int answer = showMessage("No answer", MsgKind::Error, MbOk | MbHelp, 34);
        setMessagePresenter(previous);
        QCOMPARE(help.contexts, QList<int>({34}));
        QVERIFY(stillOpenAfterHelp);
        QCOMPARE(answer, int(MbOk));
    }

    void f1InABoxRequestsItsContext_data()
    {
        QTest::addColumn<int>("context");
        QTest::newRow("context 34") << 34;
        QTest::newRow("no context") << 0;
    }

    void f1InABoxRequestsItsContext()
    {
        QFETCH(int, context);
        HelpRecorder help;
        MessagePresenter previous = installMessageBoxPresenter();
        bool stillOpenAfterF1 = false;
        whenBoxShows([&](QMessageBox *box) {
            if (!QTest::qWaitForWindowActive(box))
                qWarning("the box did not become active");
            QTest::keyClick(box, Qt::Key_F1);
            stillOpenAfterF1 = box->isVisible();
            QTest::mouseClick(buttonOf(box, QMessageBox::Ok), Qt::LeftButton);
        });
        const int answer = showMessage("No answer", MsgKind::Error, MbOk, context);
        setMessagePresenter(previous);
        QCOMPARE(help.contexts, context ? QList<int>({context}) : QList<int>());
        QVERIFY(stillOpenAfterF1);
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
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *own = new QLineEdit(&window);
        auto *inherits = new QLineEdit(&window);
        layout->addWidget(own);
        layout->addWidget(inherits);
        setHelpContext(&window, 7);
        setHelpContext(own, 11);
        installHelpKey(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        own->setFocus();
        QTest::keyClick(own, Qt::Key_F1);
        inherits->setFocus();
        QTest::keyClick(inherits, Qt::Key_F1);
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

    void otherFailuresAreShownToo()
    {
        MessageRecorder rec;
        QVERIFY(!runGuarded([] { throw std::runtime_error("disk full"); }));
        QVERIFY(!runGuarded([] { throw 5; }));
        QCOMPARE(rec.requests().size(), 2);
        QCOMPARE(rec.requests().at(0).text, QString("disk full"));
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
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *first = new QLineEdit(&window);
        auto *second = new QLineEdit(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        int exits = 0;
        connectExit(first, [&] {
            ++exits;
            throw invalidIntegerError(first->text());
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        first->setText("abc"); // code setting the text is no exit
        QCOMPARE(exits, 0);
        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(second->hasFocus());
        QCOMPARE(exits, 1);
        QCOMPARE(rec.texts(), QStringList({"'abc' is not a valid integer value."}));

        // Another window becoming active is no exit.
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(!window.isActiveWindow());
        QCOMPARE(exits, 1);
    }

    void filterTranslation_data()
    {
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("qt");
        QTest::newRow("open") << "KRT-6-files since V2.40 (*.zf1)|*.zf1|ZA7700F-files to V2.11 (*.zf1)|*.zaf|"
                                 "all files(*.*)|*.*"
                              << "KRT-6-files since V2.40 (*.zf1);;ZA7700F-files to V2.11 (*.zf1) (*.zaf);;"
                                 "all files(*.*)";
        QTest::newRow("save") << "KRT-6-files since V2.40 |*.zf1|all files|*.*"
                              << "KRT-6-files since V2.40 (*.zf1);;all files (*.*)";
        QTest::newRow("several patterns") << "Projects|*.zf1;*.zaf"
                                          << "Projects (*.zf1 *.zaf)";
        QTest::newRow("no description") << "|*.txt"
                                        << "(*.txt)";
        QTest::newRow("dangling description") << "Text|*.txt|Half"
                                              << "Text (*.txt)";
        QTest::newRow("empty") << ""
                               << "";
    }

    void filterTranslation()
    {
        QFETCH(QString, original);
        QFETCH(QString, qt);
        QCOMPARE(FileDialogs::toQtFilter(original), qt);
    }

    void scriptedDialogsAnswerInOrderAndRecord()
    {
        FileDialogs::clearRequests();
        FileDialogs::setScript({"/tmp/a.zf1", "", "/tmp/new"});
        QCOMPARE(FileDialogs::getOpenFileName(nullptr, "Open", "X|*.zf1", "*.zf1"), QString("/tmp/a.zf1"));
        QCOMPARE(FileDialogs::getOpenFileName(nullptr, "Open", "X|*.zf1"), QString());
        QCOMPARE(FileDialogs::getSaveFileName(nullptr, "Save", "X|*.zf1", "*.zf1", "zf1"),
                 QString("/tmp/new.zf1"));
        QCOMPARE(FileDialogs::getSaveFileName(nullptr, "Save", "X|*.zf1", "", "zf1"), QString()); // ran out
        FileDialogs::endScript();
        QVERIFY(!FileDialogs::scripted());
        const auto &r = FileDialogs::requests();
        QCOMPARE(r.size(), 4);
        QCOMPARE(r.at(0).kind, FileDialogs::Open);
        QCOMPARE(r.at(0).initialName, QString("*.zf1"));
        QCOMPARE(r.at(2).kind, FileDialogs::Save);
        QCOMPARE(r.at(2).defaultSuffix, QString("zf1"));
        QCOMPARE(r.at(2).filter, QString("X|*.zf1"));
    }

    void scriptedSaveKeepsAGivenSuffix()
    {
        FileDialogs::setScript({"/tmp/old.zaf"});
        QCOMPARE(FileDialogs::getSaveFileName(nullptr, "Save", "X|*.zf1", QString(), "zf1"),
                 QString("/tmp/old.zaf"));
        FileDialogs::endScript();
    }
};

QTEST_MAIN(TestLayers)
#include "tst_layers.moc"
