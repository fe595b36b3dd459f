// Conversion of a signal matrix of the old layout, checked on a whole image so that stray
// writes show.

#include "signalmatrix.h"

#include <QTest>

class TestSignalMatrix : public QObject
{
    Q_OBJECT
private slots:
    void conversion()
    {
        TParamImage image;
        image.fill(0x5A5A);
        for (int row = 0; row < SignalMatrixRows; ++row)
            PasteSignalRow(image, row, {});
        TParamImage expected = image; // words 214..217 between the halves stay
        image[189] = 0x0080;          // row 4: old position 7 ...
        expected[188] = 0x0180;       // ... gives signals 23 and 24
        image[181] = 0x0001;          // row 0: old positions 0 and 43 ...
        image[219] = 0x0800;
        expected[181] = 0x0001; // ... give only signal 0
        PasteSignalRow(image, 16, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF});
        PasteSignalRow(expected, 16, {0xFFFF, 0xDFFF, 0xFFFF, 0x0FFF}); // all but 29 and 60..63
        ConvertOldSignalMatrix(image);
        QVERIFY(image == expected);
    }
};

QTEST_APPLESS_MAIN(TestSignalMatrix)
#include "tst_signalmatrix.moc"
