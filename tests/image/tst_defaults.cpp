#include "defaults.h"
#include "globals.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

// One column of the fixture: each word's value, Keep (not written) or Range (VoltageRange).
constexpr int Keep = -1;
constexpr int Range = -2;
using Column = std::array<int, ImageWordCount>;

struct Fixture
{
    Column h{};
    Column l{};
    std::array<int, ImageWordCount> lineOf{}; // fixture line that gave each word, 0 = none
};

// Fills the words first..last from one column of a fixture line; false on a bad entry.
bool fill(Column &col, int first, int last, const QString &entry)
{
    if (entry.startsWith('"')) {
        QByteArray text = entry.mid(1, entry.size() - 2).toLatin1();
        text.replace("\\0", QByteArray(1, '\0'));
        if (text.size() != 2 * (last - first + 1))
            return false;
        for (int k = 0; first + k <= last; ++k)
            col[first + k] = quint8(text[2 * k]) << 8 | quint8(text[2 * k + 1]);
        return true;
    }
    bool ok = true;
    const int v = entry == "keep" ? Keep : entry == "range" ? Range : int(entry.toUInt(&ok, 0));
    if (!ok || v > 0xFFFF)
        return false;
    std::fill(col.begin() + first, col.begin() + last + 1, v);
    return true;
}

Fixture loadFixture()
{
    Fixture f;
    QFile file(QStringLiteral(KRT_TEST_DATA "/default_image.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("default_image.txt missing");
    static const QRegularExpression lineRe(R"(^(\d+)(?:-(\d+))?\s+("[^"]*"|\S+)\s+("[^"]*"|\S+)\s*$)");
    int lineNo = 0;
    while (!file.atEnd()) {
        ++lineNo;
        const QString line = QString::fromLatin1(file.readLine()).chopped(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const auto m = lineRe.match(line);
        if (!m.hasMatch())
            qFatal("default_image.txt line %d unreadable", lineNo);
        const int first = m.captured(1).toInt();
        const int last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
        if (last < first || last >= ImageWordCount)
            qFatal("default_image.txt line %d: bad range", lineNo);
        for (int w = first; w <= last; ++w) {
            if (f.lineOf[w] != 0)
                qFatal("default_image.txt line %d: word %d given twice", lineNo, w);
            f.lineOf[w] = lineNo;
        }
        const QString lEntry = m.captured(4) == "same" ? m.captured(3) : m.captured(4);
        if (!fill(f.h, first, last, m.captured(3)) || !fill(f.l, first, last, lEntry))
            qFatal("default_image.txt line %d: bad value", lineNo);
    }
    for (int w = 0; w < ImageWordCount; ++w) {
        if (f.lineOf[w] == 0)
            qFatal("default_image.txt: word %d missing", w);
    }
    return f;
}

} // namespace

class TestDefaults : public QObject
{
    Q_OBJECT
    Fixture m_fixture;

private slots:
    void initTestCase() { m_fixture = loadFixture(); }
    void init()
    {
        resetGlobals();
        G.BrandText = "KRT Power";
    }

    void imageMatchesTheTable_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<bool>("high");
        QTest::newRow("H") << 1 << true;
        QTest::newRow("L") << 0 << false;
        QTest::newRow("0xFFFF is L") << 0xFFFF << false;
        QTest::newRow("2 is L") << 2 << false;
    }
    void imageMatchesTheTable()
    {
        QFETCH(int, range);
        QFETCH(bool, high);
        // what was there before: a pattern that the kept words must still show
        TParamImage before{};
        for (int w = 0; w < ImageWordCount; ++w)
            before[w] = quint16(0xA000 + w);
        G.CommittedImage = before;
        G.ParamImage.fill(0x1111);
        G.ReferenceImage.fill(0x2222);
        G.VoltageRange = quint16(range);
        G.ImageModified = true;
        G.SignalMatrixConverted = true;

        SetNewProjectDefaults();

        const auto &col = high ? m_fixture.h : m_fixture.l;
        for (int w = 0; w < ImageWordCount; ++w) {
            const quint16 expected = col[w] == Keep    ? before[w]
                                     : col[w] == Range ? quint16(range)
                                                       : quint16(col[w]);
            if (G.CommittedImage[w] != expected)
                QFAIL(qPrintable(QString("word %1 (fixture line %2): got %3, expected %4")
                                     .arg(w)
                                     .arg(m_fixture.lineOf[w])
                                     .arg(G.CommittedImage[w])
                                     .arg(expected)));
        }
        QCOMPARE(G.ParamImage, G.CommittedImage);
        QCOMPARE(G.ReferenceImage, G.CommittedImage);
        QVERIFY(!ImagesDiffer());
        QVERIFY(G.ProjectOpen);
        QVERIFY(!G.ImageModified);
        QVERIFY(!G.SignalMatrixConverted);
        QCOMPARE(G.CellCount, quint16(high ? 54 : 24));
    }

    void brandTextPlacement_data()
    {
        QTest::addColumn<QString>("brand");
        QTest::addColumn<QByteArray>("logo");
        QTest::newRow("standard") << "KRT Power" << QByteArray("   KRT Power    ");
        QTest::newRow("empty uses KRT Power") << "" << QByteArray("   KRT Power    ");
        QTest::newRow("short brand over the template") << "ACME" << QByteArray("   KRTACMEer    ");
        QTest::newRow("16 characters") << "0123456789ABCDEF" << QByteArray("0123456789ABCDEF");
        QTest::newRow("too long is cut") << "0123456789ABCDEFGHIJ" << QByteArray("0123456789ABCDEF");
        QTest::newRow("umlaut as 0xFC") << QString::fromUtf8("Grün") << QByteArray("   KRTGr\xFCner    ");
    }
    void brandTextPlacement()
    {
        QFETCH(QString, brand);
        QFETCH(QByteArray, logo);
        G.BrandText = brand;
        G.CommittedImage[264] = 0x5555;
        SetNewProjectDefaults();
        QByteArray got;
        for (int w = 256; w <= 263; ++w)
            got.append(char(G.CommittedImage[w] >> 8)).append(char(G.CommittedImage[w] & 0xFF));
        QCOMPARE(got, logo);
        QCOMPARE(G.CommittedImage[264], quint16(0x204B)); // " K" of logo line 2, untouched by the brand
    }
};

QTEST_GUILESS_MAIN(TestDefaults)
#include "tst_defaults.moc"
