// File > Print as a user runs it: the report goes to the printer chosen (here a PDF
// file); a job that cannot start shows one error box and gives the cursor back.

#include "globals.h"
#include "mainwindow.h"
#include "messagerecorder.h"
#include "windowhelpers.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class TestPrint : public QObject
{
    Q_OBJECT

private slots:
    void printToPdf_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("PDF file") << true;
        QTest::newRow("folder that does not exist") << false;
    }
    void printToPdf()
    {
        QFETCH(bool, writable);
        resetGlobals();
        MessageRecorder rec;
        QTemporaryDir dir;
        TfrmMain w;
        QVERIFY(showActive(&w));
        G.ProjectOpen = true;
        G.CurrentPage = 6;
        G.ParamImage[122] = 7;
        const QString file = writable ? dir.filePath("report.pdf") : dir.filePath("missing/report.pdf");
        w.reportPrinter()->setOutputFormat(QPrinter::PdfFormat);
        w.reportPrinter()->setOutputFileName(file);
        child<QToolButton>(&w, "BitBtn_drucken")->setEnabled(true);
        QTest::mouseClick(child<QToolButton>(&w, "BitBtn_drucken"), Qt::LeftButton);

        QCOMPARE(w.shownPageNumber(), 1);
        QCOMPARE(G.CurrentPage, 1);
        QVERIFY(G.CommittedImage == G.ParamImage);
        QVERIFY(!QApplication::overrideCursor());
        QFile pdf(file);
        if (writable) {
            QVERIFY(rec.texts().isEmpty());
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QVERIFY(pdf.read(5) == "%PDF-");
        } else {
            QCOMPARE(rec.texts().size(), 1);
            QCOMPARE(rec.requests().first().kind, MsgKind::Error);
            QVERIFY(!pdf.exists());
        }
    }

    // Data of an old version: the pages not visited get their defaults into the image
    // before it is printed.
    void oldDataDefaultsBeforePrinting()
    {
        resetGlobals();
        MessageRecorder rec;
        QTemporaryDir dir;
        TfrmMain w;
        QVERIFY(showActive(&w));
        G.ProjectOpen = true;
        G.WriteAccepted = false;
        G.ParamImage.fill(0xFFFF);
        G.ParamImage[BatteryCellCount] = 24;
        w.reportPrinter()->setOutputFormat(QPrinter::PdfFormat);
        w.reportPrinter()->setOutputFileName(dir.filePath("old.pdf"));
        w.druckenClick();
        QVERIFY(rec.texts().isEmpty());
        const QList<QPair<int, int>> defaults{{8, 500}, {57, 3}, {15, 10},       // page 4
                                              {628, 10}, {629, 5}, {510, 0},    // page 5
                                              {72, 0}, {453, 0},                // page 9
                                              {502, 2500}, {503, 300}, {529, 4}}; // page 10
        for (auto [word, value] : defaults)
            QVERIFY2(G.CommittedImage[word] == value, qPrintable(QString("word %1").arg(word)));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
