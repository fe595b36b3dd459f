// TfrmMain's print commands: File > Print (Ctrl+P and the toolbar button) and Printer
// configuration.

#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "globals.h"
#include "messages.h"
#include "page.h"
#include "printercanvas.h"
#include "report.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

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
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
        if (QPushButton *confirm = buttons->button(QDialogButtonBox::Ok))
            confirm->setText(QStringLiteral("&OK"));
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

    QPrinter *printer = reportPrinter();
    if (printer->outputFormat() == QPrinter::NativeFormat && QPrinterInfo::availablePrinterNames().isEmpty()) {
        showMessage(QStringLiteral("No printer is installed. Choose a printer or a PDF file under File > "
                                   "Printer configuration."),
                    MsgKind::Error, MbOk);
        return;
    }
    const TReportInput input = reportInput();
    TPrinterCanvas canvas(printer);
    TReport report(canvas, input);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = report.run();
    QApplication::restoreOverrideCursor();
    if (!printed)
        showMessage(canvas.errorText(), MsgKind::Error, MbOk);
}
