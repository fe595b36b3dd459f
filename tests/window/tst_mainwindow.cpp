// The main window frame: creation, menus, toolbar, shortcuts, clock, help and exit.

#include "about.h"
#include "globals.h"
#include "helplayer.h"
#include "helprecorder.h"
#include "mainwindow.h"
#include "messagerecorder.h"
#include "pagecontrol.h"
#include "panel.h"
#include "windowhelpers.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Counts the commands instead of running them.
class CountingMain : public TfrmMain
{
public:
    QMap<QString, int> calls;
    bool allowClose = true;

    void NeuesProjekt1Click() override { ++calls["new"]; }
    void oeffnenClick() override { ++calls["open"]; }
    void speichernClick() override { ++calls["save"]; }
    void speich_untClick() override { ++calls["saveas"]; }
    void druckenClick() override { ++calls["print"]; }
    void druck_instClick() override { ++calls["printsetup"]; }
    void datreadClick() override { ++calls["read"]; }
    void datwriteClick() override { ++calls["write"]; }
    void BitBtn_rd_LCtoPCClick() override { ++calls["readbtn"]; }
    void BitBtn_wr_LCtoPCClick() override { ++calls["writebtn"]; }
    void mut_RS232Click() override { ++calls["rs232"]; }

protected:
    bool FormCloseQuery() override
    {
        ++calls["closequery"];
        return allowClose;
    }
};
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    CountingMain *w = nullptr;
    MessageRecorder *rec = nullptr;
    QLineEdit *field = nullptr; // a field on page 1 that has the focus

    QAction *action(const char *name) const { return w->findChild<QAction *>(QLatin1String(name)); }

    void showActive() { QVERIFY(::showActive(w)); }

private slots:
    void init()
    {
        resetGlobals();
        rec = new MessageRecorder;
        w = new CountingMain;
        auto *sheet = w->findChild<QWidget *>("TabSheet1");
        field = new QLineEdit(sheet);
        field->setObjectName("ed_probe");
        // Into the page's own layout: a second one would not be taken and would leak.
        (sheet->layout() ? sheet->layout() : new QVBoxLayout(sheet))->addWidget(field);
    }
    void cleanup()
    {
        delete w;
        w = nullptr;
        delete rec;
        rec = nullptr;
    }

    void creation()
    {
        G.ProjectOpen = true;
        G.ImageModified = true;
        auto *fresh = new TfrmMain;
        QVERIFY(!fresh->createFailed());
        // Showing it must not grow it to fit a notebook that was not laid out yet.
        fresh->show();
        QVERIFY(QTest::qWaitForWindowExposed(fresh));
        QCOMPARE(fresh->size(), QSize(825, 690));
        QCOMPARE(G.ProgramVersion, QStringLiteral("2.60"));
        QCOMPARE(G.BrandText, QStringLiteral("KRT Power"));
        QCOMPARE(fresh->findChild<QLabel *>("lbl_registry")->text(), QStringLiteral("KRT Power"));
        QVERIFY(!G.ProjectOpen && !G.ImageModified && !G.DataLoaded && !G.DeviceDataRead &&
                !G.ProjectTextModified);
        QCOMPARE(fresh->shownPageNumber(), 1);
        QCOMPARE(frmMain, fresh);
        delete fresh;
        QVERIFY(frmMain == nullptr);
        QVERIFY(rec->texts().isEmpty());
    }

    void activationClosesFirstPageWhileNothingLoaded()
    {
        showActive();
        QVERIFY(!w->findChild<QWidget *>("TabSheet1")->isEnabled());
        QVERIFY(w->findChild<QTabWidget *>("PageControl1")->isEnabled());
        // With a project open the first page stays enabled.
        G.ProjectOpen = true;
        w->findChild<QWidget *>("TabSheet1")->setEnabled(true);
        QVERIFY(reactivate(w));
        QVERIFY(w->findChild<QWidget *>("TabSheet1")->isEnabled());
    }

    void toolbarButtonsRunTheirCommands()
    {
        showActive();
        QTest::mouseClick(w->findChild<QToolButton *>("BitBtn5"), Qt::LeftButton);
        QTest::mouseClick(w->findChild<QToolButton *>("BitBtnDatSave"), Qt::LeftButton); // disabled
        QTest::mouseClick(w->findChild<QToolButton *>("BitBtn_rd_LCtoPC"), Qt::LeftButton);
        QTest::mouseClick(w->findChild<QToolButton *>("BitBtn_wr_LCtoPC"), Qt::LeftButton);
        w->findChild<QToolButton *>("BitBtnDatSave")->setEnabled(true);
        w->findChild<QToolButton *>("BitBtn_drucken")->setEnabled(true);
        QTest::mouseClick(w->findChild<QToolButton *>("BitBtnDatSave"), Qt::LeftButton);
        QTest::mouseClick(w->findChild<QToolButton *>("BitBtn_drucken"), Qt::LeftButton);
        QCOMPARE(w->calls, (QMap<QString, int>{
                               {"open", 1}, {"readbtn", 1}, {"writebtn", 1}, {"save", 1}, {"print", 1}}));
        // The interface panel opens the port dialog even when the menu item is disabled.
        action("mut_RS232")->setEnabled(false);
        QTest::mouseClick(w->findChild<TPanel *>("Panel12"), Qt::LeftButton);
        QCOMPARE(w->calls.value("rs232"), 1);
    }

    void shortcuts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("itemEnabled");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("onTabBar"); // the focus on the notebook's tab bar, not on a field
        const int ctrl = int(Qt::ControlModifier);
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << true << "save" << 1 << false;
        QTest::newRow("Ctrl+Shift+S")
            << int(Qt::Key_S) << (ctrl | int(Qt::ShiftModifier)) << true << "save" << 0 << false;
        QTest::newRow("S alone") << int(Qt::Key_S) << 0 << true << "save" << 0 << false;
        QTest::newRow("Ctrl+S disabled") << int(Qt::Key_S) << ctrl << false << "save" << 0 << false;
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << true << "print" << 1 << false;
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << true << "open" << 1 << false;
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << ctrl << true << "new" << 1 << false;
        QTest::newRow("Ctrl+S on the tab bar") << int(Qt::Key_S) << ctrl << true << "save" << 1 << true;
    }
    void shortcuts()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, itemEnabled);
        QFETCH(QString, command);
        QFETCH(int, expected);
        QFETCH(bool, onTabBar);
        const QMap<QString, const char *> items{
            {"save", "speichern"}, {"print", "drucken"}, {"open", "oeffnen"}, {"new", "NeuesProjekt1"}};
        showActive();
        G.ProjectOpen = true;
        w->findChild<QWidget *>("TabSheet1")->setEnabled(true);
        action(items[command])->setEnabled(itemEnabled);
        QWidget *target = onTabBar ? static_cast<QWidget *>(w->pageControl()->tabBar()) : field;
        target->setFocus();
        QVERIFY(target->hasFocus());
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w->calls.value(command), expected);
        // Nothing else ran.
        int total = 0;
        for (int n : std::as_const(w->calls))
            total += n;
        QCOMPARE(total, expected);
        QVERIFY(rec->texts().isEmpty());
    }

    // The items no command test triggers (the others run in the project and transfer tests).
    void menuCommandsRunTheirHandlers()
    {
        for (const char *name : {"druck_inst", "mut_RS232", "speichern"}) // Save is disabled: nothing
            action(name)->trigger();
        QCOMPARE(w->calls, (QMap<QString, int>{{"printsetup", 1}, {"rs232", 1}}));
    }

    void infoShowsAboutBox()
    {
        showActive();
        fm_Info = new Tfm_Info;
        whenModalShows([&](QWidget *box) { clickBox(::child<QPushButton>(box, "Button1")); });
        action("Info1")->trigger();
        QCOMPARE(fm_Info->result(), int(QDialog::Accepted)); // closed by its OK button
        delete fm_Info;
        fm_Info = nullptr;
    }

    void f1RequestsMainHelp()
    {
        HelpRecorder help;
        showActive();
        G.ProjectOpen = true;
        w->findChild<QWidget *>("TabSheet1")->setEnabled(true);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_F1);
        QCOMPARE(help.contexts, QList<int>{2});
    }

    void exitClosesThroughCloseQuery()
    {
        showActive();
        w->allowClose = false;
        QTest::mouseClick(w->findChild<QToolButton *>("BitBtn_exit"), Qt::LeftButton);
        QVERIFY(w->isVisible());
        QCOMPARE(w->calls.value("closequery"), 1);
        action("Beenden1")->trigger();
        QVERIFY(w->isVisible());
        QCOMPARE(w->calls.value("closequery"), 2);
        QVERIFY(w->VerMess() != nullptr);
        w->allowClose = true;
        action("Beenden1")->trigger();
        QVERIFY(!w->isVisible());
        QVERIFY(w->VerMess() == nullptr);
    }

    void clockText_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("17 Mar 2025, C") << QDateTime(QDate(2025, 3, 17), QTime(8, 5, 0)) << "C"
                                        << " 17. 3.2025        08:05:00";
        QTest::newRow("1 Jan 2030, German") << QDateTime(QDate(2030, 1, 1), QTime(0, 0, 59)) << "de_DE"
                                            << "  1. 1.2030        00:00:59";
        QTest::newRow("US English, no time zone") << QDateTime(QDate(2026, 12, 5), QTime(14, 3, 9)) << "en_US"
                                                  << "  5.12.2026        2:03:09 PM";
    }
    void clockText()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, locale);
        QTEST(ClockText(now, QLocale(locale)), "text");
    }

    void clockPanelTicks()
    {
        const QString first = w->findChild<TPanel *>("Panel13")->text();
        QVERIFY(first.startsWith(ClockText(QDateTime::currentDateTime()).left(11)));
        QTRY_VERIFY_WITH_TIMEOUT(w->findChild<TPanel *>("Panel13")->text() != first, 2500);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
