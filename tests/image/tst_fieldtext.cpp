#include "fieldtext.h"
#include "globals.h"
#include "messages.h"

#include <QLocale>
#include <QTest>

namespace {

// Expected texts are written with '.'; under German the separator is ','.
QString sep(QString text)
{
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString conversionMessage(const std::function<void()> &call)
{
    try {
        call();
    } catch (const ConversionError &e) {
        return e.message();
    }
    return QStringLiteral("<no conversion error>");
}

void addLocaleRows(const char *name, const std::function<void(QTestData &)> &rest)
{
    for (const char *loc : {"C", "de_DE"}) {
        QTestData &row = QTest::addRow("%s %s", loc, name) << QString::fromLatin1(loc);
        rest(row);
    }
}

} // namespace

class TestFieldText : public QObject
{
    Q_OBJECT
    QLocale m_initial;

private slots:
    void initTestCase() { m_initial = QLocale(); }
    void init() { resetGlobals(); }
    void cleanup() { QLocale::setDefault(m_initial); }

    void clampIntText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("min");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero in range") << "0" << 3000 << 0 << "0";
        QTest::newRow("one above max") << "3001" << 3000 << 0 << "3000";
        QTest::newRow("pasted negative") << "-5" << 3000 << 0 << "0";
        QTest::newRow("leading zeros kept") << "0250" << 3000 << 0 << "0250";
        QTest::newRow("below min, no zeros") << "0003" << 10 << 5 << "5";
        QTest::newRow("negative range") << "-30" << 10 << -20 << "-20";
        QTest::newRow("plus sign in range") << "+5" << 10 << 0 << "+5";
        QTest::newRow("blanks dropped") << " 24 " << 30 << 0 << "24";
        QTest::newRow("int min") << "-2147483648" << 10 << -10 << "-10";
        QTest::newRow("int max") << "2147483647" << 65535 << 0 << "65535";
    }

    void clampIntText()
    {
        QFETCH(QString, text);
        QFETCH(int, max);
        QFETCH(int, min);
        QTEST(ClampIntText(text, max, min), "expected");
    }

    void notAnInteger_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *t : {"", " ", "-", "+", "12a", "1.5", "1,5", "abc", "0x10", "$10", "1 2",
                              "2147483648", "-2147483649", "99999999999999999999"})
            QTest::newRow(t[0] ? t : "empty") << QString::fromLatin1(t);
    }

    void notAnInteger()
    {
        QFETCH(QString, text);
        const QString expected = QStringLiteral("'%1' is not a valid integer value.").arg(text);
        QCOMPARE(conversionMessage([&] { StrToInt(text); }), expected);
        QCOMPARE(conversionMessage([&] { ClampIntText(text, 100, 0); }), expected);
        QCOMPARE(conversionMessage([&] { StepUpIntText(text, 100, 0, 1); }), expected);
        QCOMPARE(conversionMessage([&] { StepDownIntText(text, 100, 0, 1); }), expected);
    }

    void stepping_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("expected");
        QTest::newRow("up wraps to min") << true << "3000" << 3000 << 0 << 1 << "0";
        QTest::newRow("up wraps to min, not min+rest") << true << "2995" << 3000 << 0 << 10 << "0";
        QTest::newRow("up from below min") << true << "-5" << 3000 << 0 << 1 << "-4";
        QTest::newRow("up leading zeros dropped") << true << "007" << 100 << 0 << 1 << "8";
        QTest::newRow("up at int max") << true << "2147483647" << 2147483647 << 3 << 1 << "3";
        QTest::newRow("down inside") << false << "1" << 3000 << 0 << 1 << "0";
        QTest::newRow("down wraps to max") << false << "0" << 3000 << 0 << 1 << "3000";
        QTest::newRow("down wraps by step") << false << "5" << 3000 << 0 << 10 << "3000";
        QTest::newRow("down not clamped") << false << "5000" << 3000 << 0 << 1 << "4999";
        QTest::newRow("down at int min") << false << "-2147483648" << 7 << -2147483647 - 1 << 1 << "7";
        QTest::newRow("down negative range") << false << "-19" << 10 << -20 << 1 << "-20";
    }

    void stepping()
    {
        QFETCH(bool, up);
        QFETCH(QString, text);
        QFETCH(int, max);
        QFETCH(int, min);
        QFETCH(int, step);
        QTEST(up ? StepUpIntText(text, max, min, step) : StepDownIntText(text, max, min, step), "expected");
    }

    void clampFloatText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("min");
        QTest::addColumn<QString>("expected");
        struct Row
        {
            const char *name, *text;
            int decimals;
            double max, min;
            const char *expected;
        };
        const Row rows[] = {
            {"half up", "2.25", 1, 10, 0, "2.3"},
            {"below min", "0", 1, 10, 0.5, "0.5"},
            {"whole number gets decimal", "5", 1, 10, 0, "5.0"},
            {"cut to one decimal", "12.34", 1, 100, 0, "12.3"},
            {"1.15 rounds up", "1.15", 1, 100, 0, "1.2"},
            {"1.005 two decimals", "1.005", 2, 100, 0, "1.01"},
            {"negative half away", "-2.25", 1, 10, -10, "-2.3"},
            {"negative rounding to zero", "-0.04", 1, 10, -10, "0.0"},
            {"above max", "99", 1, 60.5, 0, "60.5"},
            {"max formatted", "70", 2, 60, 0, "60.00"},
            {"carry into integer", "9.96", 1, 100, 0, "10.0"},
            {"no decimals", "2.5", 0, 100, 0, "3"},
            {"leading zero text", "007.5", 1, 100, 0, "7.5"},
            {"exponent", "1.5e2", 1, 1000, 0, "150.0"},
            {"ten significant digits", "123456789.126", 2, 1e12, 0, "123456789.10"},
            {"one rounding, not two", "2.2499999999999", 1, 10, 0, "2.2"},
            {"tie as written", "2.675", 2, 10, 0, "2.68"},
            {"blanks", " 7.25 ", 1, 10, 0, "7.3"},
        };
        for (const Row &r : rows) {
            addLocaleRows(r.name, [&](QTestData &row) {
                row << QString::fromLatin1(r.text) << r.decimals << r.max << r.min
                    << QString::fromLatin1(r.expected);
            });
        }
    }

    void clampFloatText()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(int, decimals);
        QFETCH(double, max);
        QFETCH(double, min);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(ClampFloatText(sep(text), decimals, max, min), sep(expected));
    }

    void separatorOfTheLocale()
    {
        QLocale::setDefault(QLocale::c());
        QCOMPARE(DecimalSeparator(), QChar('.'));
        QCOMPARE(StrToFloat("1.5"), 1.5);
        QCOMPARE(FloatToFixedText(-1234.5, 1), QString("-1234.5"));
        QCOMPARE(conversionMessage([] { StrToFloat("1,5"); }),
                 QString("'1,5' is not a valid floating point value."));

        QLocale::setDefault(QLocale("de_DE"));
        QCOMPARE(DecimalSeparator(), QChar(','));
        QCOMPARE(StrToFloat("1,5"), 1.5);
        QCOMPARE(FloatToFixedText(1234.5, 2), QString("1234,50")); // no thousands separator
        // A point is a group separator in German: refused, not read as 15.
        QCOMPARE(conversionMessage([] { StrToFloat("1.5"); }),
                 QString("'1.5' is not a valid floating point value."));
        QCOMPARE(conversionMessage([] { StrToFloat("1.000,5"); }),
                 QString("'1.000,5' is not a valid floating point value."));
    }

    void notAFloat_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *t : {"", " ", "abc", "12a", "1.2.3x", "--1", "inf", "nan", "1e400", "1,000.5"})
            QTest::newRow(t[0] ? t : "empty") << QString::fromLatin1(t);
    }

    void notAFloat()
    {
        QFETCH(QString, text);
        QLocale::setDefault(QLocale::c());
        const QString expected = QStringLiteral("'%1' is not a valid floating point value.").arg(text);
        QCOMPARE(conversionMessage([&] { StrToFloat(text); }), expected);
        QCOMPARE(conversionMessage([&] { ClampFloatText(text, 1, 100, 0); }), expected);
    }

    void minutesToTimeTextOutsideImage()
    {
        G.ParamImage.fill(90);
        QCOMPARE(MinutesToTimeText(1023), QString("01:30"));
        QCOMPARE(MinutesToTimeText(1024), QString());
        QCOMPARE(MinutesToTimeText(-1), QString());
    }

    void timeTextToMinutes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("04:00") << "04:00" << 240;
        QTest::newRow("1:30") << "1:30" << 90;
        QTest::newRow("00:75 unchecked") << "00:75" << 75;
        QTest::newRow("no colon") << "0400" << 240;
        QTest::newRow("100:00") << "100:00" << 6000;
        QTest::newRow("two colons") << "1:2:30" << 750; // 1230 -> 12 h 30 min
        QTest::newRow("low 16 bits") << "655:36" << 0;  // 65536 keeps 0
    }

    void timeTextToMinutes()
    {
        QFETCH(QString, text);
        QTEST(int(TimeTextToMinutes(text)), "expected");
    }

    void timeTextNotANumber()
    {
        for (const char *t : {"", ":", "  :  ", "ab:cd", "1h:30"})
            QCOMPARE(conversionMessage([&] { TimeTextToMinutes(t); }),
                     QStringLiteral("'%1' is not a valid integer value.").arg(t));
    }

    void stepTimeOfDay_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("expected"); // empty: not a valid time
        QTest::newRow("23:59 up wraps") << "23:59" << true << "00:00";
        QTest::newRow("00:00 down wraps") << "00:00" << false << "23:59";
        QTest::newRow("hour carry") << "09:59" << true << "10:00";
        QTest::newRow("one-digit hour") << "4:05" << false << "04:04";
        QTest::newRow("with seconds") << "10:00:30" << false << "09:59";
        QTest::newRow("24:00") << "24:00" << false << "";
        QTest::newRow("12:60") << "12:60" << true << "";
        QTest::newRow("empty mask") << "  :  " << true << "";
        QTest::newRow("empty") << "" << true << "";
        QTest::newRow("letters") << "ab:cd" << true << "";
        QTest::newRow("hour only") << "12" << true << "";
    }

    void stepTimeOfDay()
    {
        QFETCH(QString, text);
        QFETCH(bool, up);
        QFETCH(QString, expected);
        QString result = "untouched";
        QCOMPARE(StepTimeOfDayText(text, up, result), !expected.isEmpty());
        QCOMPARE(result, expected.isEmpty() ? QString("untouched") : expected);
    }

    void keyFilters_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("integerPasses");
        QTest::addColumn<QString>("realPassesAtLengths"); // lengths 0,1,6,7: 1 = passes
        for (const char *loc : {"C", "de_DE"}) {
            const bool german = QByteArray(loc) == "de_DE";
            auto add = [&](const char *name, QChar key, bool intPass, const char *real) {
                QTest::addRow("%s %s", loc, name) << QString(loc) << key << intPass << QString(real);
            };
            add("digit 0", QChar('0'), true, "1111");
            add("digit 9", QChar('9'), true, "1111");
            add("backspace", QChar(8), true, "1111");
            add("enter", QChar(13), false, "0000");
            add("minus", QChar('-'), false, "0001");
            add("letter", QChar('a'), false, "0001");
            add("blank", QChar(' '), false, "0001");
            add("point", QChar('.'), false, german ? "0001" : "0111");
            add("comma", QChar(','), false, german ? "0111" : "0001");
            add("arabic digit", QChar(0x0661), false, "0001");
            add("euro sign", QChar(0x20AC), false, "0001");
        }
    }

    void keyFilters()
    {
        QFETCH(QString, locale);
        QFETCH(QChar, key);
        QFETCH(bool, integerPasses);
        QFETCH(QString, realPassesAtLengths);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(NumKeyFilter(key), integerPasses ? key : KeyNull);
        const int lengths[4] = {0, 1, 6, 7};
        for (int i = 0; i < 4; ++i) {
            const bool passes = realPassesAtLengths.at(i) == QLatin1Char('1');
            QVERIFY2(RealNumKeyFilter(key, lengths[i]) == (passes ? key : KeyNull),
                     qPrintable(QString("length %1").arg(lengths[i])));
        }
    }

    // What a one-line edit takes of a pasted text: its first line, as much as there is room for.
    void pastedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("taken");
        QTest::newRow("fits") << "abc" << 3 << "abc";
        QTest::newRow("cut to the room") << "abcdef" << 4 << "abcd";
        QTest::newRow("CR ends the line") << "ab\rcd" << 16 << "ab";
        QTest::newRow("line break past the room") << "abcd\nef" << 2 << "ab";
        QTest::newRow("no room") << "abc" << 0 << "";
        QTest::newRow("less than none") << "abc" << -1 << "";
        QTest::newRow("a pair not split") << QString::fromUtf16(u"a\U0001F600b") << 2 << "a";
        QTest::newRow("a pair whole")
            << QString::fromUtf16(u"a\U0001F600b") << 3 << QString::fromUtf16(u"a\U0001F600");
    }
    void pastedText()
    {
        QFETCH(QString, text);
        QFETCH(int, room);
        QFETCH(QString, taken);
        QCOMPARE(PastedText(text, room), taken);
    }

    // What the memo takes of a text when `room` characters as stored are left, and how
    // many the part takes in the file (a line break 2, a pair outside the BMP 1).
    void memoPastedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<int>("stored");
        const QString pair = QString::fromUtf16(u"\U0001F600");
        QTest::newRow("fits") << "abc" << 3 << "abc" << 3;
        QTest::newRow("cut, lines kept") << "ab\ncd" << 5 << "ab\nc" << 5;
        QTest::newRow("LF counts 2") << "ab\ncd" << 3 << "ab" << 2;
        QTest::newRow("CR LF counts 2, never split") << "a\r\nb" << 2 << "a" << 1;
        QTest::newRow("CR LF whole") << "a\r\nb" << 3 << "a\r\n" << 3;
        QTest::newRow("lone CR counts 2") << "a\rb" << 3 << "a\r" << 3;
        QTest::newRow("paragraph and line separators count 2")
            << QString::fromUtf16(u"a\u2029b\u2028c") << 6 << QString::fromUtf16(u"a\u2029b\u2028") << 6;
        QTest::newRow("a pair is stored as 1") << "a" + pair + "b" << 2 << "a" + pair << 2;
        QTest::newRow("a lone surrogate is 1")
            << QString(QChar(0xD800)) + "b" << 1 << QString(QChar(0xD800)) << 1;
        QTest::newRow("no room") << "abc" << 0 << "" << 0;
        QTest::newRow("less than none") << "abc" << -3 << "" << 0;
        QTest::newRow("empty") << "" << 10 << "" << 0;
    }
    void memoPastedText()
    {
        QFETCH(QString, text);
        QFETCH(int, room);
        QFETCH(QString, taken);
        QFETCH(int, stored);
        QCOMPARE(MemoPastedText(text, room), taken);
        QCOMPARE(MemoStoredLength(taken), qsizetype(stored));
    }
};

QTEST_GUILESS_MAIN(TestFieldText)
#include "tst_fieldtext.moc"
