// Rescaling the absolute voltages to a new cell count.

#include "rescale.h"

#include <QTest>

class TestRescale : public QObject
{
    Q_OBJECT
private slots:
    void tenths_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("oldCount");
        QTest::addColumn<int>("newCount");
        QTest::addColumn<int>("scaled");
        QTest::newRow("halved") << 432 << 24 << 12 << 216;
        QTest::newRow("44.2708 V") << 425 << 24 << 25 << 443;
        QTest::newRow("half a tenth, up") << 45 << 8 << 4 << 23;
        QTest::newRow("0.05 V, away from zero") << 1 << 4 << 2 << 1;
        QTest::newRow("0.225 V below the tie in the ratio") << 3 << 20 << 15 << 2;
        QTest::newRow("no old count") << 432 << 0 << 12 << 432;
        QTest::newRow("no new count") << 432 << 24 << 0 << 432;
        QTest::newRow("above the word") << 65535 << 4 << 220 << 65535;
        QTest::newRow("just fits") << 13107 << 4 << 20 << 65535;
    }
    void tenths()
    {
        QFETCH(int, word);
        QFETCH(int, oldCount);
        QFETCH(int, newCount);
        QTEST(int(RescaledTenths(quint16(word), quint16(oldCount), quint16(newCount))), "scaled");
    }

    // Exactly the 16 words follow the count; word 91 and the counter cells do not.
    void image()
    {
        TParamImage image;
        image.fill(100);
        TParamImage expected = image;
        for (int word : AbsoluteVoltageWords)
            expected[word] = 50;
        QVERIFY(RescaleAbsoluteVoltages(image, 24, 12));
        QVERIFY(image == expected);
        QVERIFY(!RescaleAbsoluteVoltages(image, 0, 12));
        QVERIFY(image == expected);
    }
};

QTEST_MAIN(TestRescale)
#include "tst_rescale.moc"
