#include "globals.h"
#include "printercanvas.h"
#include "recordingcanvas.h"
#include "report.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// "n=v" (decimal or 0x hex) or n="text", two characters a word, the first in the high byte.
void setWords(const QString &line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    const int first = line.left(eq).toInt();
    const QString value = line.mid(eq + 1);
    if (!value.startsWith(QLatin1Char('"'))) {
        G.ParamImage[size_t(first)] = quint16(value.toUInt(nullptr, 0));
        return;
    }
    const QByteArray text = value.mid(1, value.size() - 2).toLatin1() + '\0';
    for (qsizetype i = 0; i + 1 < text.size(); i += 2)
        G.ParamImage[size_t(first + i / 2)] = quint16(quint8(text[i]) << 8 | quint8(text[i + 1]));
}

QStringList dataLines(const QString &name)
{
    QFile file(QStringLiteral(KRT_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    return lines;
}

void loadRichImage()
{
    for (const QString &line : dataLines(QStringLiteral("report_image.txt")))
        setWords(line);
}

TReportInput richInput()
{
    return TReportInput{.workNumber = "SN-4711",
                        .projectName = "Plant North",
                        .firmware = "Version 2.60",
                        .path = "C:\\Projects\\north.zf1",
                        .testDateLine = "Prüfungsdatum: 12.03.2024",
                        .programVersion = "2.60",
                        .memoLines = {"First memo line", "", "Third memo line"},
                        .rowCaptions =
                            QString(" Error state| Event history| LED  S1| LED  S2| Alarm A (K4)| Alarm B"
                                    " (K3)| Relay K1| Relay K2| Relay K11| Relay K12| Relay K13| Relay K14"
                                    "| Relay K15| Relay K16| Relay K17| Relay K18")
                                .split('|'),
                        .now = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9))};
}

// One line per text as the golden file writes it; a run of "-" on one line becomes one line.
QStringList recordingLines(const QList<TPrintedText> &texts)
{
    QStringList lines;
    for (qsizetype i = 0; i < texts.size();) {
        const TPrintedText &t = texts[i];
        qsizetype j = i + 1;
        const int step = j < texts.size() ? texts[j].x - t.x : 0;
        while (t.text == QLatin1String("-") && j < texts.size() && texts[j].text == t.text &&
               texts[j].page == t.page && texts[j].y == t.y && texts[j].height == t.height &&
               texts[j].bold == t.bold && texts[j].x - texts[j - 1].x == step)
            ++j;
        const QString x = j - i > 1 ? QStringLiteral("%1..%2/%3").arg(t.x).arg(texts[j - 1].x).arg(step)
                                    : QString::number(t.x);
        lines << QString::asprintf("%d %s %d %d %c \"", t.page, qPrintable(x), t.y, t.height,
                                   t.bold ? 'b' : 'r') +
                     t.text + QLatin1Char('"');
        i = j;
    }
    return lines;
}

QList<TPrintedText> textsOf(const TRecordingCanvas &canvas, const QString &text)
{
    QList<TPrintedText> found = canvas.texts();
    found.removeIf([&](const TPrintedText &t) { return t.text != text; });
    return found;
}
} // namespace

class TstReport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { resetGlobals(); }

    void richReportMatchesGolden()
    {
        loadRichImage();
        TRecordingCanvas canvas;
        QVERIFY(TReport(canvas, richInput()).run());
        const QStringList golden = dataLines(QStringLiteral("report_golden.txt"));
        const QStringList printed = recordingLines(canvas.texts());
        for (qsizetype i = 0; i < qMin(golden.size(), printed.size()); ++i)
            QCOMPARE(printed[i], golden[i]);
        QCOMPARE(printed.size(), golden.size());
        QCOMPARE(canvas.pageCount(), 4);
    }

    // A second run numbers its pages from 1 again; an empty project name leaves the
    // header of every page with the page number only.
    void pageGeometry()
    {
        loadRichImage();
        TReportInput input = richInput();
        input.projectName.clear();
        TRecordingCanvas canvas;
        TReport report(canvas, input);
        QVERIFY(report.run());
        const QList<TPrintedText> first = canvas.texts();
        QVERIFY(report.run());
        QCOMPARE(canvas.texts(), first);
        QCOMPARE(report.PrintPageNo, canvas.pageCount());
        const QString lines = QLatin1Char('\n') + recordingLines(first).join('\n');
        for (int page = 1; page <= canvas.pageCount(); ++page)
            QVERIFY(lines.contains(QStringLiteral("\n%1 254 -42 35 r \"\"\n%1 1720 -42 35 r \" Page %1\""
                                                  "\n%1 254..1830/8 -85 35 r \"-\"\n")
                                       .arg(page)));
    }

    void pageBreaks_data()
    {
        QTest::addColumn<bool>("title");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("nextY");
        QTest::newRow("feed at -2670 stays") << false << -2670 << 1 << -2670 - 84;
        QTest::newRow("feed below -2670 breaks, no advance") << false << -2671 << 2 << -135;
        QTest::newRow("title at -2620 stays") << true << -2620 << 1 << -2620 - 84;
        QTest::newRow("title at -2621 breaks") << true << -2621 << 2 << -135 - 84;
    }

    void pageBreaks()
    {
        QFETCH(bool, title);
        QFETCH(int, y);
        QFETCH(int, page);
        QFETCH(int, nextY);
        TRecordingCanvas canvas;
        const TReportInput input = richInput();
        TReport report(canvas, input);
        QVERIFY(canvas.beginDoc());
        report.PrintPageHeader(false);
        report.PrintY = y;
        if (title)
            report.PrintSectionTitle(17, 42, 2970, QStringLiteral("T"));
        else
            report.PrintNewLine(2);
        QCOMPARE(canvas.pageCount(), page);
        QCOMPARE(int(report.PrintPageNo), page);
        QCOMPARE(report.PrintY, nextY);
        QCOMPARE(textsOf(canvas, QStringLiteral(" Page %1").arg(page)).size(), 1);
    }

    // Images that push the notations and the page breaks to their edges: the report
    // runs to its end, keeps every text on its page and has a header on every page.
    // `texts` must be printed, or must not when they begin with "!".
    void edgeImages_data()
    {
        QTest::addColumn<int>("fill"); // -1: the rich image
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("texts");
        QTest::newRow("every word 0")
            << 0 << ""
            << "0.0 V => V/cell|Nominal capacity 1|!Nominal capacity 2|!Test start at"
               "|!BM1 Socket X1|!I/O or MELO8 Inputs|!I/O-Board or TK6|! Error state";
        QTest::newRow("every word 65535")
            << 65535 << ""
            << "Nominal capacity 560|Max. charging current 560|!Nominal capacity 561|6553.5 V =>0.10 V/cell"
               "|-1 mV/(cell*°K)|-0.1 °C| Relay K16|Relay K17|! Relay K17|! Relay K18";
        QTest::newRow("cell count 0") << -1 << "70=0"
                                      << "54.0 V => V/cell|!54.0 V =>2.25 V/cell";
        QTest::newRow("no board: rows 8 to 15 left out")
            << -1 << "617=0 618=0"
            << " Alarm A (K4)|Relay K2|! Relay K12|! Relay K17|!I/O or MELO8 Inputs|!I/O-Board or TK6|!Relay "
               "K11";
        QTest::newRow("I/O board: all rows") << -1 << "618=0 84=1"
                                             << " Relay K12| Relay K17|Relay K18";
    }

    void edgeImages()
    {
        QFETCH(int, fill);
        QFETCH(QString, words);
        QFETCH(QString, texts);
        if (fill < 0)
            loadRichImage();
        else
            G.ParamImage.fill(quint16(fill));
        for (const QString &w : words.split(' ', Qt::SkipEmptyParts))
            setWords(w);
        TRecordingCanvas canvas;
        QVERIFY(TReport(canvas, richInput()).run());
        QVERIFY(canvas.finished());
        for (const TPrintedText &t : canvas.texts())
            QVERIFY2(t.y <= 0 && t.y >= -2970 && t.x >= 0 && t.x <= 2000, qPrintable(t.text));
        for (int page = 1; page <= canvas.pageCount(); ++page)
            QCOMPARE(textsOf(canvas, QStringLiteral(" Page %1").arg(page)).size(), 1);
        for (const QString &s : texts.split('|'))
            QVERIFY2(textsOf(canvas, s.mid(s.startsWith('!'))).isEmpty() == s.startsWith('!'), qPrintable(s));
    }

    // The rich report as a PDF: as many pages as the recording, and single-word texts
    // where the recording puts them (0.1 mm from the printable area's top-left corner)
    // at the recorded cell height.
    void pdfMatchesRecording()
    {
        loadRichImage();
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        TPrinterCanvas canvas(&printer);
        QVERIFY(TReport(canvas, richInput()).run());
        TRecordingCanvas recording;
        QVERIFY(TReport(recording, richInput()).run());
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-bbox"), printer.outputFileName(), QStringLiteral("-")});
        QVERIFY2(pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0,
                 "pdftotext (poppler-utils) failed");
        const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
        const QStringList pages = html.split(QStringLiteral("<page "));
        QCOMPARE(pages.size() - 1, recording.pageCount());
        const QPointF origin = printer.pageLayout().paintRectPoints().topLeft();
        const QRegularExpression word(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                     "xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
        for (const char *text : {"Thresholds", "Devices", "Tschech", "Idc3max", "Monitoring", "Memo"}) {
            const QList<TPrintedText> at = textsOf(recording, text);
            QCOMPARE(at.size(), 1);
            const QPointF expected = origin + QPointF(at[0].x, -at[0].y) * 72.0 / 254.0;
            const double cell = at[0].height * 72.0 / 254.0; // the font's cell height in points
            bool found = false;
            for (const QRegularExpressionMatch &m : word.globalMatch(pages[at[0].page]))
                if (m.captured(4) == QLatin1String(text))
                    found = found || (qAbs(m.captured(1).toDouble() - expected.x()) < 0.5 &&
                                      qAbs(m.captured(2).toDouble() - expected.y()) < 0.5 &&
                                      qAbs(m.captured(3).toDouble() - m.captured(2).toDouble() - cell) < 0.5);
            QVERIFY2(found, text);
        }
    }
};

QTEST_MAIN(TstReport)
#include "tst_report.moc"
