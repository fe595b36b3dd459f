#include "globals.h"
#include "textcodec.h"

#include <QTest>

class TestTextCodec : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetGlobals(); }

    void win1252EveryByteRoundTrips()
    {
        for (int b = 0; b < 256; ++b) {
            const QChar c = fromWin1252Char(quint8(b));
            QCOMPARE(quint8(toWin1252Char(c)), quint8(b));
        }
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(toWin1252(fromWin1252(all)), all);
    }

    void win1252Mapping_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 0x81") << 0x81 << 0x81;
        QTest::newRow("undefined 0x9D") << 0x9D << 0x9D;
        QTest::newRow("OE") << 0x8C << 0x152;
        QTest::newRow("Y diaeresis") << 0x9F << 0x178;
    }
    void win1252Mapping()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        QCOMPARE(int(fromWin1252Char(quint8(byte)).unicode()), unicode);
        QCOMPARE(quint8(toWin1252Char(QChar(char16_t(unicode)))), quint8(byte));
    }

    void win1252UnrepresentableBecomesQuestionMark()
    {
        // U+0080 is a C1 control that Windows-1252 has no byte for (0x80 is the euro sign).
        QCOMPARE(toWin1252(QString(QChar(0x80))), QByteArray("?"));
        QCOMPARE(toWin1252(QString::fromUtf8("a\u0416b")), QByteArray("a?b"));
        // A character outside the BMP is one character, so one '?'.
        QCOMPARE(toWin1252(QString::fromUtf8("x\U0001F600y")), QByteArray("x?y"));
    }

    void text8StoreAndRead()
    {
        StoreText8(281, "ABC");
        QCOMPARE(G.ParamImage[281], quint16(0x4142));
        QCOMPARE(G.ParamImage[282], quint16(0x4300));
        QCOMPARE(G.ParamImage[283], quint16(0));
        QCOMPARE(G.ParamImage[284], quint16(0));
        QCOMPARE(GetImageText8(281), QString("ABC"));

        G.ParamImage[285] = 0x7777;
        StoreText8(281, "ZA Vdc1:too long");
        QCOMPARE(GetImageText8(281), QString("ZA Vdc1:"));
        QCOMPARE(G.ParamImage[285], quint16(0x7777));

        StoreText8(281, QString::fromUtf8("Ü€\u0416"));
        QCOMPARE(G.ParamImage[281], quint16(0xDC80));
        QCOMPARE(G.ParamImage[282], quint16(0x3F00));
        QCOMPARE(GetImageText8(281), QString::fromUtf8("Ü€?"));
    }

    void text8EmptyAndDefault()
    {
        G.ParamImage[301] = 0x1234;
        StoreText8(301, "");
        for (int w = 301; w <= 304; ++w)
            QCOMPARE(G.ParamImage[w], quint16(0));
        QCOMPARE(GetImageText8(301), QString());
        QCOMPARE(GetImageText8(301, true, "Idc1 "), QString("Idc1 "));
        QCOMPARE(GetImageText8(301, false, "Idc1 "), QString());

        for (int w = 301; w <= 304; ++w)
            G.ParamImage[w] = 0xFFFF;
        QCOMPARE(GetImageText8(301), QString());
        QCOMPARE(GetImageText8(301, true, "Idc1 "), QString("Idc1 "));

        // seven 0xFF and an 'A' are a real text
        G.ParamImage[304] = 0xFF41;
        QCOMPARE(GetImageText8(301), QString(7, QChar(0xFF)) + "A");
        QCOMPARE(GetImageText8(301, true, "Idc1 "), QString(7, QChar(0xFF)) + "A");
    }

    void text16StoreAndRead()
    {
        StoreText16(321, "Input1");
        QCOMPARE(G.ParamImage[321], quint16(0x496E));
        QCOMPARE(G.ParamImage[323], quint16(0x7431));
        for (int w = 324; w <= 328; ++w)
            QCOMPARE(G.ParamImage[w], quint16(0x2020));
        QCOMPARE(GetImageText16(321), QString("Input1          "));

        StoreText16(321, "ABCDEFGHIJKLMNOPQRSTU");
        QCOMPARE(GetImageText16(321), QString("ABCDEFGHIJKLMNOP"));
        QCOMPARE(G.ParamImage[329], quint16(0));

        // no stop rule: NUL and 0xFF bytes stay in the 16 characters
        G.ParamImage[321] = 0x00FF;
        const QString t = GetImageText16(321);
        QCOMPARE(t.size(), 16);
        QCOMPARE(t.at(0), QChar(0));
        QCOMPARE(t.at(1), QChar(0xFF));
    }

    void wordsToText()
    {
        G.ParamImage[256] = 0x4142;
        G.ParamImage[257] = 0x4300;
        G.ParamImage[258] = 0x4445;
        QCOMPARE(ImageWordsToText(256, 258), QString("ABC"));

        G.ParamImage[257] = 0;
        QCOMPARE(ImageWordsToText(256, 258), QString("AB"));

        G.ParamImage[257] = 0x0043; // zero high byte gives a NUL character
        QCOMPARE(ImageWordsToText(256, 258), QString("AB") + QChar(0) + "CDE");
        QCOMPARE(ImageWordsToText(258, 256), QString());

        // ImageWordsToString keeps every byte, NULs included.
        G.ParamImage[5] = 0x4100;
        G.ParamImage[6] = 0xFC42;
        QCOMPARE(ImageWordsToString(5, 6), QString("A") + QChar(0) + QString::fromUtf8("üB"));
        QCOMPARE(ImageWordsToString(6, 5), QString());
    }

    void storeEditText()
    {
        // With a maximum length every word of the field is written, the text padded.
        for (int w = 256; w <= 264; ++w)
            G.ParamImage[w] = 0x9999;
        StoreEditText(256, 263, "ABC", 16);
        QCOMPARE(G.ParamImage[256], quint16(0x4142));
        QCOMPARE(G.ParamImage[257], quint16(0x4320));
        for (int w = 258; w <= 263; ++w)
            QCOMPARE(G.ParamImage[w], quint16(0x2020));
        QCOMPARE(G.ParamImage[264], quint16(0x9999));

        // Without one, only (n + 1) / 2 words; a text longer than the field stops at its end.
        for (int w = 256; w <= 263; ++w)
            G.ParamImage[w] = 0x9999;
        StoreEditText(256, 263, "ABCDE", 0);
        QCOMPARE(G.ParamImage[257], quint16(0x4344));
        QCOMPARE(G.ParamImage[258], quint16(0x4500));
        QCOMPARE(G.ParamImage[259], quint16(0x9999));
        StoreEditText(256, 257, "ABCDEFGH", 0);
        QCOMPARE(G.ParamImage[257], quint16(0x4344));
        QCOMPARE(G.ParamImage[258], quint16(0x4500));
    }

    void fieldsAtTheEndOfTheImageAreCut()
    {
        G.ParamImage[1023] = 0x4142;
        QCOMPARE(GetImageText8(1023), QString("AB"));
        QCOMPARE(GetImageText16(1023), QString("AB"));
        QCOMPARE(GetImageText8(0xFFFF), QString());
        QCOMPARE(ImageWordsToText(1023, 0xFFFF), QString("AB"));
        QCOMPARE(ImageWordsToString(1022, 0xFFFF).size(), 4);

        StoreText8(1022, "WXYZ12");
        QCOMPARE(G.ParamImage[1022], quint16(0x5758));
        QCOMPARE(G.ParamImage[1023], quint16(0x595A));
        StoreText16(1020, "abcdefgh");
        QCOMPARE(G.ParamImage[1023], quint16(0x6768));
        StoreEditText(1023, 0xFFFF, "QRSTUV", 16);
        QCOMPARE(G.ParamImage[1023], quint16(0x5152));
        StoreText8(0xFFFF, "abc");
        StoreText16(2000, "abc");
        StoreEditText(1024, 1030, "abc", 0);
        QCOMPARE(G.ParamImage[1023], quint16(0x5152));
    }
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
