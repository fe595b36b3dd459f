// TfrmMain's transfer commands: Data > Read and Write, the toolbar read and write buttons
// and the RS232 item, with what a good read puts on the main window.

#include "transfercommands.h"

#include "connect.h"
#include "controls.h"
#include "globals.h"
#include "imagetexts.h"
#include "mainwindow.h"
#include "messages.h"
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
// A control of the main window by its object name (page 1 keeps its own layout).
template <class T> T *mainControl(const char *name)
{
    return frmMain ? FindControlAs<T>(frmMain, QLatin1String(name)) : nullptr;
}

QString mainText(const char *name)
{
    const QLineEdit *edit = mainControl<QLineEdit>(name);
    return edit ? edit->text() : QString();
}

void setMainText(const char *name, const QString &text)
{
    if (QLineEdit *edit = mainControl<QLineEdit>(name))
        edit->setText(text);
}

void setMainEnabled(const char *name, bool enabled)
{
    if (QWidget *w = mainControl<QWidget>(name))
        w->setEnabled(enabled);
}

void runTransferWindow()
{
    if (fmConnect)
        fmConnect->exec();
}
} // namespace

void ShowReadImage()
{
    TfrmMain *main = frmMain;
    if (!main)
        return;
    G.DeviceDataRead = true;
    main->ui->PageControl1->setEnabled(true);
    main->ui->TabSheet1->setEnabled(true);
    setMainEnabled("rg_language", true);

    BuildSignalTexts();

    bool valid = true;
    const QString version = FirmwareVersionText(G.ParamImage[FirmwareVersion], &valid);
    if (!valid)
        showMessage(QStringLiteral("Invalid version!"), MsgKind::None, MbOk);
    setMainText("ed_versnr", version);
    main->CheckVersionNumber(mainText("ed_versnr"));

    G.VoltageRange = G.ParamImage[VoltageVariant];
    if (QCheckBox *din = mainControl<QCheckBox>("cb_din"))
        din->setChecked(G.ParamImage[DinRailVersion] == 1);
    main->ed_mprjnameExit();
    G.CellCount = G.ParamImage[BatteryCellCount];

    setMainText("ed_logo1", ImageWordsToText(LogoLine1, LogoLine1 + 7));
    setMainText("ed_logo2", ImageWordsToText(LogoLine2, LogoLine2 + 7));
    setMainText("ed_mFabrNr", UnpackSerialNumber());

    for (QAction *a : {main->ui->mut_RS232, main->ui->datwrite, main->ui->speichern, main->ui->speich_unt,
                       main->ui->drucken})
        a->setEnabled(true);
    main->ui->BitBtn_drucken->setEnabled(true);
    main->ui->BitBtnDatSave->setEnabled(true);
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
                                 mainText("ed_mprjname").toUpper() + QStringLiteral(" \" before read?");
        if (showMessage(question, MsgKind::Information, MbYes | MbNo) == MbYes) {
            Button_OKClick();
            selectFirstPage();
            ed_logo1Exit();
            ed_logo2Exit();
            speichernClick();
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
    PackSerialNumber(mainText("ed_mFabrNr"));
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
    if (QWidget *w = mainControl<QWidget>("Panel71"))
        w->hide();
    if (QWidget *w = mainControl<QWidget>("Label330"))
        w->hide();
    datwriteClick();
}

void TfrmMain::mut_RS232Click()
{
    if (frm_RS232)
        frm_RS232->exec();
}
