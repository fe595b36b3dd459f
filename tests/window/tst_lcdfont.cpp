#include "lcdfont.h"
#include "textcodec.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Stands in for the masked edit of the main window: the LCD face is kept off every
// class of that name, also before its mask is set.
class TMaskEdit : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
};

// Geometry of the dot grid, in font units (the font has 1024 units per em).
constexpr int UnitsPerEm = 1024;
constexpr int Pitch = 128;
constexpr int LeftMargin = 64;
constexpr int TopOfRow0 = 7 * Pitch; // above the base line

struct Glyph
{
    char32_t unicode = 0;
    QStringList rows;
};

// The glyph table the font is made from, by byte code.
QMap<int, Glyph> readGlyphTable()
{
    QMap<int, Glyph> glyphs;
    QFile file(QStringLiteral(KRT_TEST_DATA "/../../resources/fonts/lcd_glyphs.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return glyphs;
    int current = -1;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1String("0x"))) {
            const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            current = parts.value(0).mid(2).toInt(nullptr, 16);
            glyphs[current].unicode = parts.value(1).mid(2).toUInt(nullptr, 16);
        } else if (current >= 0) {
            glyphs[current].rows << line;
        }
    }
    return glyphs;
}

QByteArray fontData()
{
    QFile file(QStringLiteral(":/fonts/lcd_kyr.ttf"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The font at one pixel per font unit, unhinted, so outlines come in font units.
QRawFont unitFont()
{
    return QRawFont(fontData(), UnitsPerEm, QFont::PreferNoHinting);
}

quint32 glyphOf(const QRawFont &font, QChar c)
{
    const QList<quint32> indexes = font.glyphIndexesForString(QString(c));
    return indexes.isEmpty() ? 0 : indexes.first();
}

QImage renderText(const QString &text, int pixelSize)
{
    QFont font = lcdFont(12);
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 4, metrics.height() + 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(2, 2 + metrics.ascent(), text);
    painter.end();
    return image;
}

int darkPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
    return count;
}

QString win1252(int byte)
{
    return QString(fromWin1252Char(quint8(byte)));
}

} // namespace

class TestLcdFont : public QObject
{
    Q_OBJECT
private slots:
    void registersTheFamilyOnce()
    {
        QCOMPARE(registerLcdFont(), QStringLiteral("LCD Kyr"));
        QCOMPARE(registerLcdFont(), QStringLiteral("LCD Kyr"));
        QCOMPARE(QFontDatabase::families().count(QStringLiteral("LCD Kyr")), 1);
        QVERIFY(QFontDatabase::isFixedPitch(QStringLiteral("LCD Kyr")));

        const QFont font = lcdFont(14);
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("LCD Kyr"));
        QCOMPARE(font.pointSize(), 14);
    }

    // Every byte 0x20..0xFF, read as the image reads it, has a glyph of its own whose
    // dots are exactly those of the glyph table. Shapes differ, but for the no-break space,
    // the dashes and the undefined codes, which look like the first of their kind.
    void everyCodeHasItsTableGlyph()
    {
        const QRawFont font = unitFont();
        QVERIFY(font.isValid());
        QCOMPARE(font.familyName(), QStringLiteral("LCD Kyr"));
        const QMap<int, Glyph> table = readGlyphTable();
        QCOMPARE(table.size(), 0x100 - 0x20);

        QSet<quint32> used;
        const QMap<int, int> sameAs{{0xA0, 0x20}, {0x96, 0x2D}, {0x97, 0x2D}, {0x8D, 0x81},
                                    {0x8F, 0x81}, {0x90, 0x81}, {0x9D, 0x81}};
        QMap<QString, int> firstOfShape;
        for (int code = 0x20; code <= 0xFF; ++code) {
            const QString where = QStringLiteral("code 0x%1").arg(code, 2, 16, QLatin1Char('0'));
            const QChar c = fromWin1252Char(quint8(code));
            QVERIFY2(font.supportsCharacter(c), qPrintable(where));
            QVERIFY2(QFontMetrics(lcdFont(12)).inFontUcs4(c.unicode()), qPrintable(where));
            QCOMPARE(table[code].unicode, char32_t(c.unicode()));
            const quint32 glyph = glyphOf(font, c);
            QVERIFY2(glyph != 0 && !used.contains(glyph), qPrintable(where));
            used.insert(glyph);

            const QPainterPath path = font.pathForGlyph(glyph);
            const QStringList &rows = table[code].rows;
            QCOMPARE(rows.size(), 8);
            QCOMPARE(firstOfShape.value(rows.join('/'), code), sameAs.value(code, code));
            firstOfShape.insert(rows.join('/'), sameAs.value(code, code));
            for (int r = 0; r < 8; ++r) {
                for (int col = 0; col < 5; ++col) {
                    const QPointF centre(LeftMargin + col * Pitch + Pitch / 2,
                                         -(TopOfRow0 - r * Pitch - Pitch / 2));
                    const bool on = rows[r].at(col) == QLatin1Char('#');
                    QVERIFY2(path.contains(centre) == on,
                             qPrintable(where + QStringLiteral(" row %1 column %2").arg(r).arg(col)));
                }
                // Dots are separate squares: the gap between two rows holds no ink.
                QVERIFY2(!path.contains(QPointF(LeftMargin + Pitch / 2, -(TopOfRow0 - r * Pitch - 1))),
                         qPrintable(where));
            }
            // One cell of six dot columns, the same for every character.
            QCOMPARE(font.advancesForGlyphIndexes(QList<quint32>{glyph}).value(0).x(), 6.0 * Pitch);
        }
        // Outside Windows-1252 the font has nothing: other faces stand in there.
        QVERIFY(!font.supportsCharacter(QChar(0x0100)));
        QVERIFY(!font.supportsCharacter(QChar(0x0410)));
    }

    // A line of text drawn in the face comes out as dots.
    void rendersDots()
    {
        QString all;
        for (int code = 0x20; code <= 0xFF; ++code)
            all += win1252(code);
        const QImage line = renderText(all, 16);
        QVERIFY(darkPixels(line) > 1000);

        // Each 'H' is two columns of seven dots joined by a bar; at 128 pixels per em a dot
        // is 14 pixels with 2 pixels of gap, so the left column shows breaks between its dots.
        const QImage h = renderText(QStringLiteral("H"), 128);
        const int x = 2 + 8 + 8; // left margin, half-column margin, half a dot
        int breaks = 0;
        bool inDot = false;
        for (int y = 0; y < h.height(); ++y) {
            const bool dark = qGray(h.pixel(x, y)) < 128;
            if (dark && !inDot)
                ++breaks;
            inDot = dark;
        }
        QCOMPARE(breaks, 7);
        QCOMPARE(darkPixels(renderText(QStringLiteral(" "), 32)), 0);
    }

    // The face goes on every plain edit; masked edits and the edit parts of other
    // controls keep theirs.
    void appliesToPlainEditsOnly()
    {
        QWidget root;
        auto *layout = new QVBoxLayout(&root);
        auto *logo = new QLineEdit(&root);
        logo->setObjectName(QStringLiteral("ed_logo1"));
        QFont big = logo->font();
        big.setPointSize(15);
        logo->setFont(big);
        auto *tabs = new QTabWidget(&root);
        auto *page = new QWidget;
        auto *nested = new QLineEdit(page);
        tabs->addTab(page, QStringLiteral("Text"));
        auto *masked = new QLineEdit(&root);
        masked->setInputMask(QStringLiteral("99.99.9999"));
        auto *maskEdit = new TMaskEdit(&root);
        auto *spin = new QSpinBox(&root);
        for (QWidget *w : QList<QWidget *>{logo, tabs, masked, maskEdit, spin})
            layout->addWidget(w);
        const QString before = QFontInfo(masked->font()).family();
        const QString spinBefore = QFontInfo(spin->findChild<QLineEdit *>()->font()).family();
        QVERIFY(before != QStringLiteral("LCD Kyr"));

        QVERIFY(applyLcdFont(&root));

        QCOMPARE(QFontInfo(logo->font()).family(), QStringLiteral("LCD Kyr"));
        QCOMPARE(logo->font().pointSize(), 15);
        QCOMPARE(QFontInfo(nested->font()).family(), QStringLiteral("LCD Kyr"));
        QCOMPARE(QFontInfo(masked->font()).family(), before);
        QCOMPARE(QFontInfo(maskEdit->font()).family(), before);
        QCOMPARE(QFontInfo(spin->findChild<QLineEdit *>()->font()).family(), spinBefore);

        // An edit passed as the root takes the face itself.
        QLineEdit single;
        QVERIFY(applyLcdFont(&single));
        QCOMPARE(QFontInfo(single.font()).family(), QStringLiteral("LCD Kyr"));
        QVERIFY(!applyLcdFont(nullptr));
    }
};

QTEST_MAIN(TestLcdFont)
#include "tst_lcdfont.moc"
