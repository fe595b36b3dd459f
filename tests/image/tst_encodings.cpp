#include "encodings.h"

#include <QTest>

#include <limits>

using namespace enc;

class TestEncodings : public QObject
{
    Q_OBJECT
private slots:
    void tenthsHalfUp_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("word");
        QTest::newRow("97.2 V") << 97.2 << 972;
        QTest::newRow("0.15 is a tie, not 1.4999") << 0.15 << 2;
        QTest::newRow("1.05") << 1.05 << 11;
        QTest::newRow("2.25 up") << 2.25 << 23;
        QTest::newRow("0.04 down") << 0.04 << 0;
        QTest::newRow("just below a tie") << 0.04999999 << 0;
        QTest::newRow("just above a tie") << 350.45000001 << 3505;
        QTest::newRow("largest") << 6553.5 << 65535;
        QTest::newRow("above 16 bits clamps") << 6553.6 << 65535;
        QTest::newRow("huge clamps") << 1e300 << 65535;
        QTest::newRow("negative clamps to 0") << -3.0 << 0;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 65535;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
    }
    void tenthsHalfUp()
    {
        QFETCH(double, value);
        QFETCH(int, word);
        QCOMPARE(int(enc::tenthsHalfUp(value)), word);
    }

    void tenthsHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("word");
        QTest::newRow("0.25 to even 2") << 0.25 << 2;
        QTest::newRow("0.35 to even 4") << 0.35 << 4;
        QTest::newRow("0.15 to even 2") << 0.15 << 2;
        QTest::newRow("100.05 to even 1000") << 100.05 << 1000;
        QTest::newRow("0.26 up") << 0.26 << 3;
        QTest::newRow("60") << 60.0 << 600;
        QTest::newRow("clamp") << 1e6 << 65535;
        QTest::newRow("negative") << -1.0 << 0;
    }
    void tenthsHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, word);
        QCOMPARE(int(enc::tenthsHalfEven(value)), word);
    }

    void signedTenths_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("away");
        QTest::addColumn<int>("even");
        QTest::newRow("-5.25") << -5.25 << 0xFFFF - 53 + 1 << 0xFFFF - 52 + 1;
        QTest::newRow("-0.05") << -0.05 << 0xFFFF << 0;
        QTest::newRow("-0.15") << -0.15 << 0xFFFE << 0xFFFE;
        QTest::newRow("-10.0") << -10.0 << 0xFF9C << 0xFF9C;
        QTest::newRow("2.25") << 2.25 << 23 << 22;
        QTest::newRow("0") << 0.0 << 0 << 0;
        QTest::newRow("-3276.8") << -3276.8 << 0x8000 << 0x8000;
        QTest::newRow("below range") << -5000.0 << 0x8000 << 0x8000;
        QTest::newRow("above range") << 5000.0 << 0x7FFF << 0x7FFF;
    }
    void signedTenths()
    {
        QFETCH(double, value);
        QFETCH(int, away);
        QFETCH(int, even);
        QCOMPARE(int(signedTenthsHalfAway(value)), away);
        QCOMPARE(int(signedTenthsHalfEven(value)), even);
    }

    void decodeTenths()
    {
        QCOMPARE(fromTenths(972), 97.2);
        QCOMPARE(fromSignedTenths(0xFF9C), -10.0);
        QCOMPARE(fromSignedTenths(600), 60.0);
        QCOMPARE(fromSignedTenths(0x8000), 3276.8); // shown positive; no field takes it back
        QCOMPARE(fromSignedTenths(0x8001), -3276.7);
        QCOMPARE(fromHundredths(100), 1.0);
        // every stored word survives decode and encode
        for (int w = 0; w <= 65535; ++w) {
            QCOMPARE(int(enc::tenthsHalfUp(fromTenths(quint16(w)))), w);
            if (w != 0x8000) {
                QCOMPARE(int(signedTenthsHalfAway(fromSignedTenths(quint16(w)))), w);
                QCOMPARE(int(signedTenthsHalfEven(fromSignedTenths(quint16(w)))), w);
            }
            QCOMPARE(int(hundredthsHalfUp(fromHundredths(quint16(w)))), w);
        }
    }

    void hundredths()
    {
        QCOMPARE(int(hundredthsHalfUp(1.005)), 101); // 100.49999999999999 in binary
        QCOMPARE(int(hundredthsHalfUp(0.285)), 29);
        QCOMPARE(int(hundredthsHalfUp(2.675)), 268);
        QCOMPARE(int(hundredthsHalfUp(700.0)), 65535);
    }

    void integers()
    {
        QCOMPARE(int(signedInteger(-2)), 0xFFFE);
        QCOMPARE(toSignedInteger(0xFFFE), qint16(-2));
        QCOMPARE(int(signedInteger(-40000)), 0x8000);
        QCOMPARE(int(signedInteger(40000)), 0x7FFF);
        QCOMPARE(int(plainInteger(70000)), 65535);
        QCOMPARE(int(plainInteger(-1)), 0);
        QCOMPARE(int(plainInteger(300)), 300);
    }

    void minutes()
    {
        QCOMPARE(int(hhmmNumberToMinutes(65535)), 39335);
        QCOMPARE(minutesToHhmm(0), QString("00:00"));
        QCOMPARE(minutesToHhmm(240), QString("04:00"));
        QCOMPARE(minutesToHhmm(1439), QString("23:59"));
        QCOMPARE(minutesToHhmm(6000), QString("100:00"));
        QCOMPARE(minutesToHhmm(65535), QString("1092:15"));

        QCOMPARE(int(minutesToSeconds(5)), 300);
        QCOMPARE(int(minutesToSeconds(1092)), 65520);
        QCOMPARE(int(minutesToSeconds(1093)), 65535);
        QCOMPARE(int(minutesToSeconds(-1)), 0);
        QCOMPARE(int(secondsToMinutes(300)), 5);
        QCOMPARE(int(secondsToMinutes(899)), 14);
    }

    void year()
    {
        QCOMPARE(int(yearToWord(2024)), 24);
        QCOMPARE(int(yearToWord(1999)), 0);
        QCOMPARE(int(yearToWord(2000 + 70000)), 65535);
        QCOMPARE(wordToYear(99), 2099);
    }

    void bits()
    {
        QCOMPARE(int(withFlag(0xFFFE, true)), 0xFFFF);
        QCOMPARE(int(withFlag(0xFFFF, false)), 0xFFFE);
        QCOMPARE(int(withFlag(0x1230, true)), 0x1231);
        QVERIFY(flagOf(0x0003));
        QVERIFY(!flagOf(0xFFFE));

        QCOMPARE(int(withBit(0, 15, true)), 0x8000);
        QCOMPARE(int(withBit(0xFFFF, 3, false)), 0xFFF7);
        QCOMPARE(int(withBit(0x1234, 16, true)), 0x1234);
        QCOMPARE(int(withBit(0x1234, -1, false)), 0x1234);
        QVERIFY(bitOf(0x8000, 15));
        QVERIFY(!bitOf(0xFFFF, 16));
        QVERIFY(!bitOf(0xFFFF, -1));
    }
};

QTEST_GUILESS_MAIN(TestEncodings)
#include "tst_encodings.moc"
