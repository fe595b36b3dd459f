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
#include <QMenu>
#include <QMenuBar>
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
        field = new QLineEdit(w->findChild<QWidget *>("TabSheet1"));
        field->setObjectName("ed_probe");
        (new QVBoxLayout(w->findChild<QWidget *>("TabSheet1")))->addWidget(field);
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
        QCOMPARE(fresh->windowTitle(), QStringLiteral(" KRT-6 Configurator Version 2.6.0.1"));
        QCOMPARE(fresh->size(), QSize(825, 690));
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

    void menuItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("help");
        struct Row
        {
            const char *name, *caption, *shortcut;
            bool enabled, visible;
            int help;
        };
        for (const Row &r :
             {Row{"NeuesProjekt1", "&New Project...", "Ctrl+R", true, true, 4},
              Row{"oeffnen", "O&pen...", "Ctrl+O", true, true, 4},
              Row{"speichern", "&Save", "Ctrl+S", false, true, 4},
              Row{"speich_unt", "Save &as...", "", false, true, 4},
              Row{"druck_inst", "Printer &configuration...", "", true, true, 4},
              Row{"drucken", "&Print", "Ctrl+P", false, true, 4}, Row{"Beenden1", "&Quit", "", true, true, 4},
              Row{"datread", "&Read   KRT-6 -> PC", "", true, true, 5},
              Row{"datwrite", "&Write   PC -> KRT-6", "", true, true, 5},
              Row{"mut_RS232", "&RS232", "", true, true, 6}, Row{"Help1", "H&elp", "F1", true, false, 0},
              Row{"Info1", "Inf&o", "", true, true, 0}})
            QTest::newRow(r.name) << QString(r.name) << QString(r.caption) << QString(r.shortcut) << r.enabled
                                  << r.visible << r.help;
    }
    void menuItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, enabled);
        QFETCH(bool, visible);
        QFETCH(int, help);
        QAction *a = w->findChild<QAction *>(name);
        QVERIFY(a);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut(), QKeySequence(shortcut));
        QCOMPARE(a->isVisible(), visible);
        if (visible) // a hidden action reports itself disabled
            QCOMPARE(a->isEnabled(), enabled);
        QCOMPARE(a->property("HelpContext").toInt(), help);
    }

    void menuStructure()
    {
        QMenuBar *bar = w->menuBar();
        QCOMPARE(bar->objectName(), QStringLiteral("MainMenu1"));
        QStringList top;
        for (QAction *a : bar->actions())
            top << a->text();
        QCOMPARE(top, QStringList({"&File", "&Data", "&RS232", "&Help"}));
        auto names = [](QMenu *m) {
            QStringList out;
            for (QAction *a : m->actions())
                out << (a->isSeparator() ? QStringLiteral("-") + a->objectName() : a->objectName());
            return out;
        };
        auto *file = w->findChild<QMenu *>("File1");
        QCOMPARE(names(file), QStringList({"NeuesProjekt1", "oeffnen", "-Dateispeichernals1", "speichern",
                                           "speich_unt", "-N2", "druck_inst", "drucken", "-N4", "Beenden1"}));
        QCOMPARE(file->property("HelpContext").toInt(), 4);
        auto *data = w->findChild<QMenu *>("SLC_daten");
        QCOMPARE(names(data), QStringList({"datread", "datwrite"}));
        QCOMPARE(data->property("HelpContext").toInt(), 5);
        auto *help = w->findChild<QMenu *>("Alarm1");
        QCOMPARE(names(help), QStringList({"Help1", "Info1"}));
        QCOMPARE(help->property("HelpContext").toInt(), 35);
    }

    void toolbar_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("help");
        struct Row
        {
            const char *name, *hint;
            bool enabled;
            int help;
        };
        for (const Row &r :
             {Row{"BitBtn5", "File open", true, 4}, Row{"BitBtnDatSave", "File save", false, 4},
              Row{"BitBtn_drucken", "File print", false, 4},
              Row{"BitBtn_rd_LCtoPC", "Read  KRT-6 -> PC ", true, 5},
              Row{"BitBtn_wr_LCtoPC", "Write  PC -> KRT-6", true, 5}})
            QTest::newRow(r.name) << QString(r.name) << QString(r.hint) << r.enabled << r.help;
    }
    void toolbar()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(bool, enabled);
        QFETCH(int, help);
        auto *b = w->findChild<QToolButton *>(name);
        QVERIFY(b);
        QCOMPARE(b->toolTip(), hint);
        QCOMPARE(b->isEnabled(), enabled);
        QCOMPARE(b->property("HelpContext").toInt(), help);
        QVERIFY(!b->icon().isNull());
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
        QCOMPARE(w->findChild<QToolButton *>("BitBtn_exit")->text(), QStringLiteral("&Exit "));
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
        QTest::newRow("Ctrl+Alt+S") << int(Qt::Key_S) << (ctrl | int(Qt::AltModifier)) << true << "save" << 0
                                    << false;
        QTest::newRow("S alone") << int(Qt::Key_S) << 0 << true << "save" << 0 << false;
        QTest::newRow("Ctrl+S disabled") << int(Qt::Key_S) << ctrl << false << "save" << 0 << false;
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << true << "print" << 1 << false;
        QTest::newRow("Ctrl+P disabled") << int(Qt::Key_P) << ctrl << false << "print" << 0 << false;
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << true << "open" << 1 << false;
        QTest::newRow("Ctrl+Shift+O")
            << int(Qt::Key_O) << (ctrl | int(Qt::ShiftModifier)) << true << "open" << 0 << false;
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << ctrl << true << "new" << 1 << false;
        QTest::newRow("Ctrl+R disabled") << int(Qt::Key_R) << ctrl << false << "new" << 0 << false;
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

    void menuCommandsRunTheirHandlers()
    {
        for (const char *name :
             {"NeuesProjekt1", "oeffnen", "druck_inst", "datread", "datwrite", "mut_RS232"})
            action(name)->trigger();
        action("speichern")->trigger(); // disabled: nothing
        QCOMPARE(w->calls,
                 (QMap<QString, int>{
                     {"new", 1}, {"open", 1}, {"printsetup", 1}, {"read", 1}, {"write", 1}, {"rs232", 1}}));
    }

    void infoShowsAboutBox()
    {
        showActive();
        fm_Info = new Tfm_Info;
        QString shownTitle;
        whenModalShows([&](QWidget *box) {
            shownTitle = box->windowTitle();
            box->close();
        });
        action("Info1")->trigger();
        QCOMPARE(shownTitle, QStringLiteral("Info"));
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
        QTest::newRow("5 Dec 2026, C") << QDateTime(QDate(2026, 12, 5), QTime(14, 3, 9)) << "C"
                                       << "  5.12.2026        14:03:09";
        QTest::newRow("17 Mar 2025, C") << QDateTime(QDate(2025, 3, 17), QTime(8, 5, 0)) << "C"
                                        << " 17. 3.2025        08:05:00";
        QTest::newRow("1 Jan 2030, German") << QDateTime(QDate(2030, 1, 1), QTime(0, 0, 59)) << "de_DE"
                                            << "  1. 1.2030        00:00:59";
    }
    void clockText()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QCOMPARE(ClockText(now, QLocale(locale)), text);
    }

    void clockHasNoTimeZone()
    {
        const QString us = ClockText(QDateTime(QDate(2026, 12, 5), QTime(14, 3, 9)), QLocale("en_US"));
        QVERIFY2(us.startsWith("  5.12.2026        2:03:09"), qPrintable(us));
        QVERIFY2(!us.contains("UTC") && !us.contains("GMT"), qPrintable(us));
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
