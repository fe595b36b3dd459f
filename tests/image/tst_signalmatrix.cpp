// The signal matrix in the image: where each cell's bit lies, the old-layout conversion
// and the row copy, each checked against whole images so that stray writes show.

#include "signalmatrix.h"

#include <QTest>

using Cells = QList<QPair<int, int>>; // (row, signal)
Q_DECLARE_METATYPE(Cells)

namespace {
TParamImage patterned()
{
    TParamImage image;
    for (int i = 0; i < ImageWordCount; ++i)
        image[i] = quint16(0x9E37 * i + 0x79B9);
    return image;
}
} // namespace

class TestSignalMatrix : public QObject
{
    Q_OBJECT
private slots:
    void bitMap_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("word"); // -1: outside the matrix
        QTest::addColumn<int>("bit");
        QTest::newRow("first cell") << 0 << 0 << 181 << 0;
        QTest::newRow("last shown cell") << 15 << 63 << 248 << 15;
        QTest::newRow("signal 16") << 0 << 16 << 180 << 0;
        QTest::newRow("signal 47") << 3 << 47 << 225 << 15;
        QTest::newRow("row 16") << 16 << 48 << 250 << 0;
        QTest::newRow("row 17") << 17 << 0 << -1 << 0;
        QTest::newRow("row -1") << -1 << 0 << -1 << 0;
        QTest::newRow("signal 64") << 0 << 64 << -1 << 0;
    }
    void bitMap()
    {
        QFETCH(int, row);
        QFETCH(int, signal);
        QFETCH(int, word);
        QFETCH(int, bit);
        const TParamImage before = patterned();
        TParamImage image = before;
        const bool wasSet = SignalAssigned(image, row, signal);
        QCOMPARE(ToggleSignal(image, row, signal), word >= 0 && !wasSet);
        for (int i = 0; i < ImageWordCount; ++i)
            QCOMPARE(image[i] ^ before[i], i == word ? 1 << bit : 0);
        ToggleSignal(image, row, signal);
        QVERIFY(image == before);
    }

    void conversion_data()
    {
        QTest::addColumn<Cells>("old");
        QTest::addColumn<Cells>("converted");
        QTest::newRow("position 7 gives two signals") << Cells{{4, 7}} << Cells{{4, 23}, {4, 24}};
        QTest::newRow("positions 0 and 43 give signal 0") << Cells{{0, 0}, {0, 43}} << Cells{{0, 0}};
        QTest::newRow("each quarter, row 16")
            << Cells{{16, 15}, {16, 16}, {16, 32}, {16, 63}} << Cells{{16, 34}, {16, 37}, {16, 27}, {16, 50}};
        Cells all, allNew;
        for (int s = 0; s < SignalCount; ++s) {
            all << qMakePair(9, s);
            if (s != 29 && s < 60)
                allNew << qMakePair(9, s);
        }
        QTest::newRow("every position") << all << allNew;
    }
    void conversion()
    {
        QFETCH(Cells, old);
        QFETCH(Cells, converted);
        TParamImage image = patterned();
        TParamImage expected = image;
        for (int row = 0; row < SignalMatrixRows; ++row) {
            PasteSignalRow(image, row, {});
            PasteSignalRow(expected, row, {});
        }
        for (auto [row, s] : old)
            ToggleSignal(image, row, s);
        for (auto [row, s] : converted)
            ToggleSignal(expected, row, s);
        ConvertOldSignalMatrix(image);
        for (int i = 0; i < ImageWordCount; ++i) // words 214..217 between the halves stay
            QVERIFY2(image[i] == expected[i], qPrintable(QString("word %1").arg(i)));
    }

    void rowCopy()
    {
        TParamImage image = patterned();
        const TParamImage before = image;
        PasteSignalRow(image, 15, CopySignalRow(image, 0));
        const int rowWords[] = {211, 210, 249, 248};
        const int sourceWords[] = {181, 180, 219, 218};
        for (int i = 0; i < ImageWordCount; ++i) {
            const int *at = std::find(std::begin(rowWords), std::end(rowWords), i);
            const int source = at == std::end(rowWords) ? i : sourceWords[at - rowWords];
            QCOMPARE(image[i], before[source]);
        }
        const TParamImage copied = image;
        PasteSignalRow(image, 17, {1, 2, 3, 4});
        PasteSignalRow(image, -1, {1, 2, 3, 4});
        QVERIFY(image == copied);
        QVERIFY(CopySignalRow(image, 17) == SignalRow{});
    }
};

QTEST_APPLESS_MAIN(TestSignalMatrix)
#include "tst_signalmatrix.moc"
