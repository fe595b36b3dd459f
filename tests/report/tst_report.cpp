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
    // `texts` must be printed, or must not when they begin with "!"; "label::value": the
    // value stands on the label's line after it (after its ":" or its name or delay)
    // wherever the label is printed. The "flips" rows put each value whose text flips
    // (bits, equals 1, input numbers, counts, choices, signs) on both sides of its flip.
    void edgeImages_data()
    {
        QTest::addColumn<int>("fill"); // -1: the rich image
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("texts");
        QTest::newRow("every word 0")
            << 0 << ""
            << "0.0 V => V/cell|Nominal capacity 1|!Nominal capacity 2|!Test start at|"
               "KRT-6 active language::English"
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
        const QString flags = "534 539 551 558 571 578 61 62 84 618 617 85 83 474 475 477";
        QString clear = flags, set = flags;
        clear.replace(" ", "=0xFFFE ").append("=0xFFFE");
        set.replace(" ", "=1 ").append("=1");
        QTest::newRow("flips, below")
            << -1
            << clear + " 60=4 463=0 72=0 453=0 531=0 530=0 464=0 69=1 549=0 80=2 79=9 473=0xFFFE 472=0xFFFE "
                       "40=0x7FFF 42=0x7FFF 49=0x7FFF"
            << "Manuel Boost charge::no|Automat. boost charge::no|Activation enabled::no|"
               "Over voltage alarm enabled::no|V::no|I::no|L1::yes|L2::no|L3::no|I/O-board:: no|"
               "KRT-4:: no|KRT-5:: no|Mains monit KRT-3:: no|STS:: no|Temperature sensor1:: no|"
               "Riso measure:: no|Riso reference to:: Udc1|Manual test enable::no|"
               "Boost charge after test enabled::no|Start test on digit.input::no|"
               "Boost charge inhibit::no|Boost charge start on dig.inp.::no|"
               "Automatic test enable::no|!Test start at|!Repitition every|!BM1 Socket X1|"
               "!Nominal capacity 2|Voltage reference::|KRT-6 active language::|"
               "Input 1::close contact|Input 2::break contact|!I/O or MELO8 Inputs|"
               "Alarm A::close contact|Alarm B::break contact|!I/O-Board or TK6|"
               "Tk::32767 mV/(cell*°K)|Tk min::3276.7 °C|Temperature low::3276.7 °C";
        QTest::newRow("flips, at the edge")
            << -1
            << set + " 60=3 463=1 72=1 453=1 531=1 530=1 464=1 69=2 549=1 80=2 79=8 473=1 619=1 472=0x11 "
                     "40=0x8000 42=0x8000 49=0x8000"
            << "Manuel Boost charge::yes|Automat. boost charge::yes|Activation enabled::yes|"
               "Over voltage alarm enabled::yes|V::yes|I::yes|L1::no|L2::yes|L3::yes|"
               "I/O-board:: yes|KRT-4:: yes|KRT-5:: yes|Mains monit KRT-3:: yes|STS:: yes|"
               "Temperature sensor1:: yes|Riso measure:: yes|Riso reference to:: Udc2|"
               "Manual test enable::yes|Boost charge after test enabled::yes|"
               "Start test on digit.input::yes (Input Nr.1 )|"
               "Boost charge inhibit::yes (Input Nr.1 )|"
               "Boost charge start on dig.inp.::yes (Input Nr.1 )|Automatic test enable::yes|"
               "Test start at|Repitition every|BM1 Socket X1|!BM1 Socket X2|Nominal capacity 2|"
               "!Nominal capacity 3|Voltage reference::Vdc1|KRT-6 active language::Spanish|"
               "Input 1::break contact|Input 2::close contact|I/O or MELO8 Inputs|"
               "Alarm A::break contact|Alarm B::close contact|Relay K11::break contact|"
               "Relay K12::close contact|Tk::-32768 mV/(cell*°K)|Tk min::-3276.8 °C|"
               "Temperature low::-3276.8 °C";
        QTest::newRow("flips, past the edge")
            << -1 << "463=2 72=2 464=2 69=3 549=4 80=3 530=0x8000"
            << "Manual test enable::no|Boost charge after test enabled::no|Automatic test enable::no|"
               "!Test start at|BM1 Socket X2|Nominal capacity 3|!Nominal capacity 4|Voltage reference::|"
               "KRT-6 active language::|Boost charge start on dig.inp.::yes (Input Nr.32768 )";
        QTest::newRow("flips, top of a choice") << -1 << "549=3 80=1"
                                                << "Voltage reference::Vdc3|KRT-6 active language::German";
        QTest::newRow("flips, I/O board alone") << -1 << "617=0 618=0 84=1 now=00:00:00"
                                                << "I/O or MELO8 Inputs|Relay K18|Current date::7 Dec 2026";
        QTest::newRow("flips, relay board alone")
            << -1 << "617=0 618=1 84=0 now=00:00:01"
            << "!I/O or MELO8 Inputs|Relay K16|!Relay K17|Current date::7 Dec 2026 00:00:01";
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
        TReportInput input = richInput();
        for (const QString &w : words.split(' ', Qt::SkipEmptyParts)) {
            if (w.startsWith("now=")) // the time of the current date
                input.now.setTime(QTime::fromString(w.mid(4)));
            else
                setWords(w);
        }
        TRecordingCanvas canvas;
        QVERIFY(TReport(canvas, input).run());
        QVERIFY(canvas.finished());
        for (const TPrintedText &t : canvas.texts())
            QVERIFY2(t.y <= 0 && t.y >= -2970 && t.x >= 0 && t.x <= 2000, qPrintable(t.text));
        for (int page = 1; page <= canvas.pageCount(); ++page)
            QCOMPARE(textsOf(canvas, QStringLiteral(" Page %1").arg(page)).size(), 1);
        const QList<TPrintedText> &all = canvas.texts();
        for (const QString &s : texts.split('|')) {
            const qsizetype pair = s.indexOf(QStringLiteral("::"));
            if (pair < 0) {
                QVERIFY2(textsOf(canvas, s.mid(s.startsWith('!'))).isEmpty() == s.startsWith('!'),
                         qPrintable(s));
                continue;
            }
            // The label, its colon on the same line, then the value or (empty) nothing more there.
            const auto onLineOf = [&all](qsizetype i, qsizetype j) {
                return j < all.size() && all[j].y == all[i].y && all[j].page == all[i].page;
            };
            int lines = 0;
            for (qsizetype i = 0; i + 1 < all.size(); ++i) {
                if (all[i].text != s.left(pair) || !onLineOf(i, i + 1))
                    continue;
                ++lines;
                const QString value = onLineOf(i, i + 2) ? all[i + 2].text : QString();
                QVERIFY2(value == s.mid(pair + 2), qPrintable(s + " printed " + value));
            }
            QVERIFY2(lines > 0, qPrintable(s));
        }
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
