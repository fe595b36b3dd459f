// File > Print as a user runs it: the report goes to the printer chosen (here a PDF
// file); a job that cannot start shows one error box and gives the cursor back; old data
// get the defaults of the pages not visited before printing.

#include "pagetest.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>

class TestPrint : public PageTest
{
    Q_OBJECT
    QTemporaryDir dir;

    // Prints with the toolbar button into `file` under the test's folder.
    void printTo(const QString &file)
    {
        w->reportPrinter()->setOutputFormat(QPrinter::PdfFormat);
        w->reportPrinter()->setOutputFileName(dir.filePath(file));
        ctl<QToolButton>("BitBtn_drucken")->setEnabled(true);
        QTest::mouseClick(ctl<QToolButton>("BitBtn_drucken"), Qt::LeftButton);
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void printToPdf_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("PDF file") << "report.pdf";
        QTest::newRow("folder that does not exist") << "missing/report.pdf";
    }
    void printToPdf()
    {
        QFETCH(QString, file);
        const bool writable = !file.contains('/');
        G.CurrentPage = 6;
        printTo(file);
        QCOMPARE(w->shownPageNumber(), 1);
        QCOMPARE(G.CurrentPage, 1);
        QVERIFY(G.CommittedImage == G.ParamImage);
        QVERIFY(!QApplication::overrideCursor());
        QFile pdf(dir.filePath(file));
        QCOMPARE(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", writable);
        QCOMPARE(rec->texts().size(), writable ? 0 : 1);
        if (!writable)
            QCOMPARE(rec->requests().first().kind, MsgKind::Error);
    }

    void oldDataDefaultsBeforePrinting()
    {
        G.WriteAccepted = false;
        G.ParamImage.fill(0xFFFF);
        G.ParamImage[BatteryCellCount] = 24;
        printTo("old.pdf");
        QVERIFY(rec->texts().isEmpty());
        // one word of pages 4, 5 and 10 each (their other defaults are the page tests'), page 9
        const WordValues defaults{{8, 500}, {628, 10}, {72, 0}, {453, 0}, {502, 2500}};
        for (auto [word, value] : defaults)
            QVERIFY2(G.CommittedImage[word] == value, qPrintable(QString("word %1").arg(word)));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
