// File > Print as a user runs it: the report goes to the printer chosen (here a PDF
// file); a job that is refused or fails shows one error box, gives the cursor back and
// blocks no later job; old data get the defaults of the pages not visited before printing.

#include "childprocess.h"
#include "pagetest.h"

#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class TestPrint : public PageTest
{
    Q_OBJECT
    QTemporaryDir dir;

    // Prints into `file` under the test's folder; nothing chosen when it is empty (what
    // Qt gives without a printer: a PDF without a file name).
    void printTo(const QString &file)
    {
        w->reportPrinter()->setOutputFileName(file.isEmpty() ? file : dir.filePath(file));
        w->reportPrinter()->setOutputFormat(QPrinter::PdfFormat);
        QDir(dir.path()).rmdir("gone");
        w->druckenClick();
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    // A job that is refused or fails shows one box and leaves no file; the next print to
    // a good file gives a whole PDF. Each sequence runs in a child process (no event loop
    // there: Qt's painting threads are not copied), which may limit the file size.
    void failedJobThenGoodJob_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("sizeLimit");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing chosen")
            << "" << 0
            << (QPrinterInfo::availablePrinterNames().isEmpty() ? "No printer is installed."
                                                                : "No PDF file name was chosen.") +
                   QString(" Choose a printer or a PDF file under File > Printer configuration.");
        QTest::newRow("FIFO") << "fifo" << 0 << dir.filePath("fifo") + " is not a regular file.";
        QTest::newRow("folder removed after it was chosen")
            << "gone/first.pdf" << 0
            << "Error writing " + dir.filePath("gone/first.pdf") + " :\r\nNo such file or directory";
        QTest::newRow("file size limit")
            << "first.pdf" << 4096 << "Error writing " + dir.filePath("first.pdf") + " :\r\nFile too large";
    }
    void failedJobThenGoodJob()
    {
        QFETCH(QString, first);
        QFETCH(int, sizeLimit);
        QFETCH(QString, message);
        QVERIFY(QDir(dir.path()).mkpath("gone"));
        QProcess::execute("mkfifo", {dir.filePath("fifo")});
        G.CurrentPage = 6;
        QCOMPARE(exitCodeInChild([&] {
                     limitFileSize(sizeLimit ? rlim_t(sizeLimit) : RLIM_INFINITY);
                     printTo(first);
                     limitFileSize(RLIM_INFINITY);
                     printTo("good.pdf");
                     const bool restored = !QApplication::overrideCursor() && w->shownPageNumber() == 1 &&
                                           G.CurrentPage == 1 && G.CommittedImage == G.ParamImage;
                     return restored && rec->texts() == QStringList{message} ? 0 : 1;
                 }),
                 0);
        QVERIFY(!QFile::exists(dir.filePath("first.pdf")));
        QCOMPARE(QDir(dir.path()).entryList({".krt6-*"}, QDir::Files | QDir::Hidden), QStringList());
        QProcess pdfinfo;
        pdfinfo.start("pdfinfo", {dir.filePath("good.pdf")});
        QVERIFY(pdfinfo.waitForFinished(30000) && pdfinfo.exitCode() == 0);
        QVERIFY(QRegularExpression("Pages: +[1-9]").match(pdfinfo.readAllStandardOutput()).hasMatch());
        // The program's version stands right of the project name, as every report carries it.
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", "-l", "1", dir.filePath("good.pdf"), "-"});
        QVERIFY(pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0);
        const QString page1 = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(QRegularExpression("^ *Project name +: +Configurator version +: +2\\.60$",
                                    QRegularExpression::MultilineOption)
                     .match(page1)
                     .hasMatch(),
                 qPrintable(page1.left(600)));
    }

    // Printer configuration refuses a FIFO as the PDF file with one box and stays open
    // (Qt's own check would wait for a reader, or ask to overwrite it when there is one).
    void printerSetupRefusesAFifo()
    {
        const QByteArray fifo = QFile::encodeName(dir.filePath("setup.pdf"));
        QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
        const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
        bool stayed = false;
        whenModalShows([&](QWidget *dialog) {
            auto *printers = dialog->findChild<QComboBox *>("printers");
            printers->setCurrentIndex(printers->count() - 1); // "Print to File (PDF)"
            auto *file = dialog->findChild<QLineEdit *>("filename");
            file->setText(fifo);
            QTimer::singleShot(1000, dialog, [] { QApplication::activeModalWidget()->close(); });
            QTest::keyClick(file, Qt::Key_Return);
            stayed = dialog->isVisible();
            dialog->close();
        });
        w->druck_instClick();
        ::close(reader);
        QVERIFY(stayed);
        QCOMPARE(rec->texts(), QStringList{fifo + " is not a regular file."});
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
