// TfrmMain's transfer commands: Data > Read and Write, the toolbar read and write buttons
// and the RS232 item, with what a good read puts on the main window.

#include "connect.h"
#include "globals.h"
#include "imagetexts.h"
#include "mainwindow.h"
#include "messages.h"
#include "page_text.h"
#include "rs232.h"
#include "signaltexts.h"
#include "textcodec.h"
#include "ui_mainwindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>

namespace {
using Head = TTextPage::Head;

void runTransferWindow()
{
    if (fmConnect)
        fmConnect->exec();
}
} // namespace

void TfrmMain::ShowReadImage()
{
    TTextPage *t = textPage();
    G.DeviceDataRead = true;
    ui->PageControl1->setEnabled(true);
    ui->TabSheet1->setEnabled(true);
    if (t)
        t->setLanguageEnabled(true);

    BuildSignalTexts();

    bool valid = true;
    const QString version = FirmwareVersionText(G.ParamImage[FirmwareVersion], &valid);
    if (!valid)
        showMessage(QStringLiteral("Invalid version!"), MsgKind::None, MbOk);
    if (t)
        t->setHeadText(Head::Firmware, version);
    CheckVersionNumber(t ? t->headText(Head::Firmware) : version);

    G.VoltageRange = G.ParamImage[VoltageVariant];
    if (t)
        t->setDinRail(G.ParamImage[DinRailVersion] == 1);
    ed_mprjnameExit();
    G.CellCount = G.ParamImage[BatteryCellCount];

    if (t) {
        t->setLogoText(1, ImageWordsToText(LogoLine1, LogoLine1 + 7));
        t->setLogoText(2, ImageWordsToText(LogoLine2, LogoLine2 + 7));
        t->setHeadText(Head::WorkNumber, UnpackSerialNumber());
    }
    setDataCommandsEnabled();
}

void TfrmMain::setInterfacePanelText(const QString &text)
{
    ui->Panel12->setText(text);
}

void TfrmMain::setTransferCommandsEnabled(bool enabled)
{
    ui->BitBtn_rd_LCtoPC->setEnabled(enabled);
    ui->BitBtn_wr_LCtoPC->setEnabled(enabled);
    ui->SLC_daten->menuAction()->setEnabled(enabled);
    ui->mut_RS232->setEnabled(enabled);
}

void TfrmMain::datreadClick()
{
    G.TransferDirection = 1;
    // The page shown last is collected before page 1 is selected, so that a field that
    // cannot be converted keeps its page.
    CollectCurrentPage(false);
    selectFirstPage();
    if ((G.DataLoaded || G.ProjectOpen) && G.ProjectTextModified) {
        const QString question = QStringLiteral("Save changes \r\nto project\" ") +
                                 headText(Head::ProjectName).toUpper() + QStringLiteral(" \" before read?");
        if (showMessage(question, MsgKind::Information, MbYes | MbNo) == MbYes) {
            Button_OKClick();
            selectFirstPage();
            ed_logo1Exit();
            ed_logo2Exit();
            // The unit's image would replace the changes the user wanted kept: a save
            // that was cancelled or failed ends the read.
            if (!speichernRun())
                return;
        }
    }
    G.DataLoaded = true;
    runTransferWindow();
    ShowTextPage();
}

void TfrmMain::datwriteClick()
{
    if (!G.ProjectOpen && !G.DeviceDataRead) {
        showMessage(
            QStringLiteral("Please open a file, start a new project\r\nor read configuration from KRT-6!"),
            MsgKind::Information, MbOk);
        return;
    }
    G.TransferDirection = 2;
    CollectCurrentPage(false);
    selectFirstPage();
    ed_logo1Exit();
    ed_logo2Exit();
    PackSerialNumber(headText(Head::WorkNumber));
    Button_OKClick(); // the image sent: the working image with logo lines and serial number
    runTransferWindow();
    const bool confirmed = fmConnect && fmConnect->lastOutcome().writeConfirmed;
    ShowTextPage();
    // Refilling page 1 may set the logo texts again, which marks the image modified; what
    // the unit confirmed it holds stays unmodified.
    if (confirmed)
        G.ImageModified = false;
}

void TfrmMain::BitBtn_rd_LCtoPCClick()
{
    datreadClick();
}

void TfrmMain::BitBtn_wr_LCtoPCClick()
{
    // With nothing loaded the write refuses at once; there is no unit version to ask about.
    if (!PagesOpen()) {
        datwriteClick();
        return;
    }
    if (!G.WriteAccepted) {
        const int answer = showMessage(
            QStringLiteral(
                "Do you want you send data to an old KRT-6 version (!!! wrong data !!!)\r\nor to an "
                "updated KRT-6 version ? (min. V2.00)"),
            MsgKind::Confirmation, MbYes | MbNo);
        if (answer != MbYes)
            return;
    }
    G.WriteAccepted = true;
    if (TTextPage *t = textPage())
        t->setOldDataNotice(false);
    datwriteClick();
}

void TfrmMain::mut_RS232Click()
{
    if (frm_RS232)
        frm_RS232->exec();
}
