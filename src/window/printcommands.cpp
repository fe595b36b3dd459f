// TfrmMain's print commands: File > Print (Ctrl+P and the toolbar button) and Printer
// configuration.

#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "globals.h"
#include "messages.h"
#include "page.h"
#include "printercanvas.h"
#include "projectfile.h"
#include "report.h"

#include <QApplication>
#include <QBuffer>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopeGuard>

#include <sys/stat.h>

namespace {
// The key under which Qt's print engines keep the options for the print server (pages
// per sheet, page set, the pages chosen, ...); Qt does not publish it.
const auto PPK_CupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Qt's check of the dialog's fields opens the output file for writing to see whether it
// can be written: on a FIFO without a reader it would wait for ever. A name that exists
// and is neither a regular file nor a folder (Qt's own box) is refused before that check,
// as a save refuses it.
void refuseOddOutputFile(QPrintDialog &dialog, QDialogButtonBox *buttons)
{
    if (!QObject::disconnect(buttons, SIGNAL(accepted()), &dialog, SLOT(_q_checkFields())))
        return;
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog] {
        const auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
        struct stat target = {};
        if (file && file->isEnabled() && ::stat(QFile::encodeName(file->text()).constData(), &target) == 0 &&
            !S_ISREG(target.st_mode) && !S_ISDIR(target.st_mode))
            showMessage(QStringLiteral("%1 is not a regular file.").arg(file->text()), MsgKind::Error, MbOk);
        else
            QMetaObject::invokeMethod(&dialog, "_q_checkFields");
    });
}

// Each job is built afresh from what Printer configuration chose, so that a job that
// failed or was refused leaves nothing behind for the next one.
void copyChoice(const QPrinter &chosen, QPrinter &job)
{
    if (!chosen.printerName().isEmpty()) // an empty name would switch the job to PDF
        job.setPrinterName(chosen.printerName());
    job.setPageLayout(chosen.pageLayout());
    job.setFullPage(chosen.fullPage());
    job.setCopyCount(chosen.copyCount());
    job.setCollateCopies(chosen.collateCopies());
    job.setColorMode(chosen.colorMode());
    job.setDuplex(chosen.duplex());
    job.setPageOrder(chosen.pageOrder());
    job.setDocName(chosen.docName());
    job.setPrintRange(chosen.printRange());
    job.setPageRanges(chosen.pageRanges());
    // The print server's options last, after the printer they belong to.
    const QVariant serverOptions = chosen.printEngine()->property(PPK_CupsOptions);
    if (serverOptions.isValid())
        job.printEngine()->setProperty(PPK_CupsOptions, serverOptions);
}

// The report on the chosen printer; the failure's text, or empty.
QString printOn(const QPrinter &chosen, const TReportInput &input)
{
    QPrinter job(QPrinter::HighResolution);
    copyChoice(chosen, job);
    TPrinterCanvas canvas(&job);
    TReport report(canvas, input);
    return report.run() ? QString() : canvas.errorText();
}

// The report as a PDF file. It is made in memory and then saved as project files are:
// a write that fails part way (a full disk, the file size limit) shows the system's
// text and leaves no partial file, and the file chosen is replaced only when it is a
// regular file.
QString printPdf(const QPrinter &chosen, const TReportInput &input)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(chosen.resolution());
        writer.setPageLayout(chosen.pageLayout());
        writer.setPdfVersion(chosen.pdfVersion());
        writer.setTitle(chosen.docName());
        writer.setCreator(chosen.creator());
        TPrinterCanvas canvas(&writer);
        TReport report(canvas, input);
        if (!report.run())
            return canvas.errorText();
    }
    const QString file = chosen.outputFileName();
    const FileResult written = saveFileBytes(file, pdf.data());
    if (written.ok || written.notRegularFile) // that text names the file already
        return written.errorText;
    return QStringLiteral("Error writing %1 :\r\n%2").arg(QDir::toNativeSeparators(file), written.errorText);
}
} // namespace

QPrinter *TfrmMain::reportPrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

TReportInput TfrmMain::reportInput() const
{
    TReportInput input;
    input.workNumber = headText(HeadField::WorkNumber);
    input.projectName = headText(HeadField::ProjectName);
    input.firmware = headText(HeadField::Firmware);
    input.path = headText(HeadField::Path);
    input.testDateLine = G.TestDateLine;
    input.programVersion = G.ProgramVersion;
    if (const TTextPage *t = textPage())
        input.memoLines = t->memoText().split(QStringLiteral("\r\n"));
    for (int row = 0; row < 16; ++row)
        input.rowCaptions << signalRowCaption(row);
    input.now = QDateTime::currentDateTime();
    return input;
}

void TfrmMain::druck_instClick()
{
    QPrintDialog dialog(reportPrinter(), this);
    dialog.setWindowTitle(QStringLiteral("Printer configuration"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // The dialog only chooses the printer; printing is File > Print.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *confirm = buttons->button(QDialogButtonBox::Ok))
            confirm->setText(QStringLiteral("&OK"));
        refuseOddOutputFile(dialog, buttons);
    }
    dialog.exec();
}

void TfrmMain::druckenClick()
{
    // The pages that hold defaults for old data are filled once, so that their defaults
    // reach the image before it is printed.
    static const struct
    {
        quint16 bit;
        int page;
    } unvisited[] = {{0x0008, 4}, {0x0010, 5}, {0x0100, 9}, {0x0200, 10}};
    QWidget *shown = ui->PageControl1->currentWidget();
    try {
        for (const auto &u : unvisited) {
            if (G.VisitedPages & u.bit)
                continue;
            ui->PageControl1->setCurrentWidget(tabSheet(u.page));
            if (TPage *p = page(u.page))
                p->fill();
        }
        CollectCurrentPage(true);
    } catch (...) {
        // The page that cannot be collected stays in view.
        ui->PageControl1->setCurrentWidget(shown);
        throw;
    }
    selectFirstPage();
    ed_logo1Exit();
    ed_logo2Exit();
    Button_OKClick();

    const QPrinter *chosen = reportPrinter();
    const bool toPdf = chosen->outputFormat() == QPrinter::PdfFormat;
    // Without a printer Qt falls back to a PDF without a file name.
    const bool noPrinter = QPrinterInfo::availablePrinterNames().isEmpty();
    if (toPdf ? chosen->outputFileName().isEmpty() : noPrinter) {
        showMessage(QStringLiteral("%1 Choose a printer or a PDF file under File > Printer configuration.")
                        .arg(noPrinter ? QStringLiteral("No printer is installed.")
                                       : QStringLiteral("No PDF file name was chosen.")),
                    MsgKind::Error, MbOk);
        return;
    }
    const TReportInput input = reportInput();
    QString error;
    {
        // The cursor comes back however the run ends, before any box is shown.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        error = toPdf ? printPdf(*chosen, input) : printOn(*chosen, input);
    }
    if (!error.isEmpty())
        showMessage(error, MsgKind::Error, MbOk);
}
