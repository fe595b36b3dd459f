#include "globals.h"
#include "version.h"

#include <QLocale>
#include <QTest>

#include <limits>

class TestVersion : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetGlobals(); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void outcomes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<qint64>("value");
        const int old = int(VersionOutcome::Old), cur = int(VersionOutcome::Current);
        QTest::newRow("2.30 old") << "Version 2.30" << old << qint64(23000);
        QTest::newRow("2.50 current") << "Version 2.50" << cur << qint64(25000);
        QTest::newRow("0.99 not old") << "Version 0.99" << cur << qint64(9900);
        QTest::newRow("0.9901 old") << "Version 0.9901" << old << qint64(9901);
        QTest::newRow("2.4999 old") << "Version 2.4999" << old << qint64(24999);
        QTest::newRow("blanks and controls trimmed") << "Version  \t2.30\r\n " << old << qint64(23000);
        QTest::newRow("integer") << "Version 2" << old << qint64(20000);
        QTest::newRow("leading dot") << "Version .5" << cur << qint64(5000);
        QTest::newRow("trailing dot") << "Version 2." << old << qint64(20000);
        QTest::newRow("exponent") << "Version 0.23E1" << old << qint64(23000);
        QTest::newRow("signed") << "Version +2.3" << old << qint64(23000);
        QTest::newRow("negative") << "Version -2.3" << cur << qint64(-23000);
        QTest::newRow("5th decimal rounds down") << "Version 2.499949" << old << qint64(24999);
        QTest::newRow("5th decimal tie to even") << "Version 2.49995" << cur << qint64(25000);
        QTest::newRow("tie to even, down") << "Version 2.49985" << old << qint64(24998);
        QTest::newRow("above tie") << "Version 2.4998501" << old << qint64(24999);
        QTest::newRow("leading zeros") << "Version 0000000000000000000000002.3" << old << qint64(23000);
        QTest::newRow("tiny") << "Version 1E-30" << cur << qint64(0);
        QTest::newRow("largest") << "Version 922337203685477.5807" << cur
                                 << qint64(std::numeric_limits<qint64>::max());
    }
    void outcomes()
    {
        QFETCH(QString, text);
        QFETCH(int, outcome);
        QFETCH(qint64, value);
        const VersionCheck c = checkVersionText(text);
        QCOMPARE(int(c.outcome), outcome);
        QCOMPARE(c.value, value);
        QCOMPARE(c.numberText, text.mid(8));
    }

    void refusedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("outcome");
        const int unknown = int(VersionOutcome::UnknownPrefix), bad = int(VersionOutcome::Unconvertible);
        QTest::newRow("small v") << "version 2.30" << unknown;
        QTest::newRow("empty") << "" << unknown;
        QTest::newRow("no blank") << "Version2.30" << unknown;
        QTest::newRow("leading blank") << " Version 2.30" << unknown;
        QTest::newRow("letters") << "Version abc" << bad;
        QTest::newRow("nothing after") << "Version " << bad;
        QTest::newRow("comma") << "Version 2,30" << bad;
        QTest::newRow("inner blank") << "Version 2. 30" << bad;
        QTest::newRow("two dots") << "Version 2.3.0" << bad;
        QTest::newRow("suffix") << "Version 2.30b" << bad;
        QTest::newRow("sign only") << "Version -" << bad;
        QTest::newRow("dot only") << "Version ." << bad;
        QTest::newRow("empty exponent") << "Version 2E" << bad;
        QTest::newRow("too large") << "Version 922337203685477.5808" << bad;
        QTest::newRow("huge exponent") << "Version 1E999999999999" << bad;
        QTest::newRow("many digits") << "Version " + QString(40, '9') << bad;
    }
    void refusedTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, outcome);
        QCOMPARE(int(checkVersionText(text).outcome), outcome);
    }

    void messages()
    {
        QCOMPARE(checkVersionText("v2").message,
                 QString("This configfile is from an unkown KRT-6 version. Please check all parameters."));
        QCOMPARE(checkVersionText("Version x").message,
                 QString("Error. The evidence of version can not display."));
        QCOMPARE(checkVersionText("Version 2.30 ").message,
                 QString("This is a configfile from a KRT-6 version 2.30 .\n\r"
                         "Some additional data is marked or will be converted !\n\r"
                         "For help you can contact us under info."));
        QVERIFY(checkVersionText("Version 2.60").message.isEmpty());
    }

    void decimalPointWhateverTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(checkVersionText("Version 2.30").value, qint64(23000));
        QCOMPARE(int(checkVersionText("Version 2,30").outcome), int(VersionOutcome::Unconvertible));
    }

    void onlyOldDataClearWriteAccepted()
    {
        G.WriteAccepted = true;
        for (const char *t : {"Version 2.60", "x", "Version y"}) {
            applyVersionCheck(checkVersionText(t));
            QVERIFY(G.WriteAccepted);
        }
        applyVersionCheck(checkVersionText("Version 2.30"));
        QVERIFY(!G.WriteAccepted);
        // a current version never sets it again
        applyVersionCheck(checkVersionText("Version 2.60"));
        QVERIFY(!G.WriteAccepted);
    }
};

QTEST_GUILESS_MAIN(TestVersion)
#include "tst_version.moc"
