// Page 1 ("Text") driven as a user would: typing logo lines, the language choice, the
// DIN-rail box, and the page filled again by the cancel button.

#include "pagetest.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestTextPage : public PageTest
{
    Q_OBJECT

    // Data is present; the cancel button fills the shown page 1 from ParamImage.
    void loadAndFill()
    {
        G.ProjectOpen = true;
        G.WriteAccepted = true;
        ctl<QWidget>("TabSheet1")->setEnabled(true); // as Open and New project do
        QTest::mouseClick(ctl<QPushButton>("cmd_Cancel"), Qt::LeftButton);
        QCOMPARE(G.CurrentPage, 1);
    }
    QStringList rowCaptions() const
    {
        QStringList out;
        for (int n = 3; n <= 8; ++n)
            out << ctl<QLabel>(QString("Panel_zl%1").arg(n))->text();
        return out;
    }

private slots:
    void init() { openWindow({}, false); }
    void cleanup() { closeWindow(); }

    void beforeDataIsLoaded()
    {
        QVERIFY(!ctl<QWidget>("rg_language")->isEnabled());
        for (const char *name : {"Label260", "lb_NomVRang", "Label4", "cb_din", "Panel71"})
            QVERIFY2(!ctl<QWidget>(name)->isVisible(), name);
        // A logo text set while nothing is loaded counts its characters but marks nothing.
        ctl<QLineEdit>("ed_logo1")->setText("abcde");
        QCOMPARE(ctl<QLabel>("lb_anzCh")->text(), QString("5"));
        QVERIFY(!G.ProjectTextModified && !G.ImageModified);
        QCOMPARE(ctl<QLineEdit>("ed_logo1")->font().family(), QString("LCD Kyr"));
    }

    void logoLineIsStoredPaddedAndShownWhole()
    {
        StoreEditText(LogoLine1, LogoLine1 + 7, "OLD", 16);
        loadAndFill();
        for (const char *name : {"Label260", "lb_NomVRang", "Label4", "cb_din"})
            QVERIFY2(ctl<QWidget>(name)->isVisible(), name);
        QLineEdit *logo = ctl<QLineEdit>("ed_logo1");
        logo->setFocus();
        logo->selectAll();
        QTest::keyClicks(logo, "ABC");
        QCOMPARE(ctl<QLabel>("lb_anzCh")->text(), QString("3"));
        QVERIFY(G.ProjectTextModified && G.ImageModified);
        ctl<QLineEdit>("ed_logo2")->setFocus(); // leaving the field stores it
        QCOMPARE(ImageWordsToString(LogoLine1, LogoLine1 + 7), QString("ABC") + QString(13, ' '));
        QTest::mouseClick(ctl<QPushButton>("cmd_Cancel"), Qt::LeftButton);
        QCOMPARE(logo->text(), QString("ABC") + QString(13, ' '));
        QCOMPARE(ctl<QLabel>("lb_anzCh")->text(), QString("16"));
    }

    void oldDataShowsTheLogoLinesOnAqua()
    {
        G.WriteAccepted = false;
        G.ProjectOpen = true;
        QTest::mouseClick(ctl<QPushButton>("cmd_Cancel"), Qt::LeftButton);
        for (const char *name : {"ed_logo1", "ed_logo2"})
            QCOMPARE(ctl<QLineEdit>(name)->palette().color(QPalette::Base), QColor(0, 255, 255));
        loadAndFill();
        QVERIFY(ctl<QLineEdit>("ed_logo1")->palette().color(QPalette::Base) != QColor(0, 255, 255));
    }

    void languageChoice_data()
    {
        QTest::addColumn<int>("word80");
        QTest::addColumn<int>("word79");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("thirdItem");
        QTest::addColumn<int>("stored79");
        QTest::addColumn<int>("filled80"); // word 80 right after the fill (the choice clicks)
        QTest::addColumn<int>("collected80");
        QTest::newRow("English") << 0 << 0 << 0 << "English" << 0 << 0 << 0;
        QTest::newRow("German") << 1 << 4 << 1 << "Russian" << 4 << 1 << 1;
        QTest::newRow("customer") << 2 << 8 << 2 << "Spanish" << 8 << 2 << 2;
        QTest::newRow("3 shows customer") << 3 << 6 << 2 << "Tschech" << 6 << 2 << 2;
        QTest::newRow("4 shows none") << 4 << 7 << -1 << "Polish" << 7 << 4 << 0;
        QTest::newRow("customer 9, one past the names") << 2 << 9 << 2 << "English" << 0 << 2 << 2;
        QTest::newRow("0xFFFF shows none") << 0xFFFF << 9 << -1 << "English" << 0 << 0xFFFF << 0;
    }
    void languageChoice()
    {
        QFETCH(int, word80);
        QFETCH(int, word79);
        QFETCH(int, shown);
        QFETCH(QString, thirdItem);
        QFETCH(int, stored79);
        QFETCH(int, filled80);
        QFETCH(int, collected80);
        G.ParamImage[LanguageIndex] = quint16(word80);
        G.ParamImage[CustomLanguage] = quint16(word79);
        loadAndFill();
        auto *group = ctl<TRadioGroup>("rg_language");
        QCOMPARE(group->itemIndex(), shown);
        QCOMPARE(group->button(2)->text(), thirdItem);
        QCOMPARE(int(G.ParamImage[CustomLanguage]), stored79);
        QCOMPARE(int(G.ParamImage[LanguageIndex]), filled80);
        QTest::mouseClick(ctl<QPushButton>("Button_OK"), Qt::LeftButton); // collects page 1
        QCOMPARE(int(G.CommittedImage[LanguageIndex]), collected80);
    }

    void languageClickIsKeptByCancel()
    {
        loadAndFill();
        ctl<QWidget>("rg_language")->setEnabled(true);
        auto *group = ctl<TRadioGroup>("rg_language");
        clickBox(group->button(1));
        QCOMPARE(G.ParamImage[LanguageIndex], quint16(1));
        QTest::mouseClick(ctl<QPushButton>("cmd_Cancel"), Qt::LeftButton);
        QCOMPARE(group->itemIndex(), 1);
    }

    void dinRailBoxRelabelsTheOutputRows()
    {
        loadAndFill();
        QCheckBox *box = ctl<QCheckBox>("cb_din");
        clickBox(box);
        QCOMPARE(rowCaptions(), (QStringList{"LED S1 INFO", "LED S2 ALARM", "Alarm A (K1)", "Alarm B (K2)",
                                             "Relay K3", "Relay K4"}));
        clickBox(box);
        QCOMPARE(rowCaptions(),
                 (QStringList{"LED S1", "LED S2", "Alarm A", "Alarm B", "Relay K1", "Relay K2"}));
        QCOMPARE(G.ParamImage[DinRailVersion], quint16(0)); // the box writes no word
    }
};

QTEST_MAIN(TestTextPage)
#include "tst_textpage.moc"
