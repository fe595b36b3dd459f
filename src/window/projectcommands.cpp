// The File commands of the main window (New project, Open, Save, Save as), the close
// query, the version check of loaded data and the project name handlers.

#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "defaults.h"
#include "filedialogs.h"
#include "globals.h"
#include "messages.h"
#include "page_text.h"
#include "projectfile.h"
#include "signaltexts.h"
#include "vermess.h"
#include "version.h"
#include "voltage.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QVariant>

namespace {
using Head = TTextPage::Head;

const QString OpenDialog2Filter = QStringLiteral(
    "KRT-6-files since V2.40 (*.zf1)|*.zf1|ZA7700F-files to V2.11 (*.zf1)|*.zaf|all files(*.*)|*.*");
const QString SaveDialog2Filter = QStringLiteral("KRT-6-files since V2.40 |*.zf1|all files|*.*");
const QString SaveDialog2Suffix = QStringLiteral("zf1");
const QString InvalidFileText = QStringLiteral("Open a valid file please !");
const QString SendQuestionText = QStringLiteral("Send changes to KRT-6?");
const QString DefaultWorkNumber = QStringLiteral("JJ000000-000.000");

QString trimmedRight(QString s)
{
    while (!s.isEmpty() && s.back() == QLatin1Char(' '))
        s.chop(1);
    return s;
}

// " \" NAME \" ?" after the question's start.
QString projectQuestion(const QString &start, const QString &projectName)
{
    return start + QStringLiteral(" \" ") + projectName.toUpper() + QStringLiteral(" \" ?");
}

// The file name part up to, not including, its first ".".
QString projectNameOf(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString expandedName(const QString &fileName)
{
    return QFileInfo(fileName.isEmpty() ? QStringLiteral(".") : fileName).absoluteFilePath();
}
} // namespace

// ---- page 1 for the commands ----

TTextPage *TfrmMain::textPage() const
{
    return pageAs<TTextPage>(1);
}

void TfrmMain::ShowTextPage()
{
    if (TTextPage *p = textPage())
        p->ShowTextPage();
}

void TfrmMain::ed_logo1Exit()
{
    if (TTextPage *p = textPage())
        p->ed_logo1Exit();
}

void TfrmMain::ed_logo2Exit()
{
    if (TTextPage *p = textPage())
        p->ed_logo2Exit();
}

void TfrmMain::ed_mprjnameChange()
{
    if (PagesOpen())
        G.ProjectTextModified = true;
}

void TfrmMain::ed_mprjnameExit()
{
    if (TTextPage *p = textPage())
        p->setHeadText(Head::ProjectName, trimmedRight(p->headText(Head::ProjectName)));
}

// ---- version check ----

void TfrmMain::CheckVersionNumber(const QString &firmwareText)
{
    const VersionCheck check = checkVersionText(firmwareText);
    TTextPage *t = textPage();
    switch (check.outcome) {
    case VersionOutcome::UnknownPrefix:
        if (m_verMess)
            m_verMess->Show(check.message);
        return;
    case VersionOutcome::Unconvertible:
        if (m_verMess)
            m_verMess->disableShow();
        showMessage(VersionNotReadableText, MsgKind::Error, MbOk);
        return;
    case VersionOutcome::Old:
        applyVersionCheck(check);
        if (t) {
            t->setOldDataNotice(true);
        }
        if (m_verMess)
            m_verMess->Show(check.message);
        return;
    case VersionOutcome::Current:
        if (t) {
            t->setOldDataNotice(false);
        }
        return;
    }
}

// ---- new project defaults, window part ----

void TfrmMain::SetNewProjectDefaults()
{
    ::SetNewProjectDefaults();
    BuildSignalTexts();
    ui->PageControl1->setEnabled(true);
    if (TTextPage *p = textPage())
        p->setHeadText(Head::WorkNumber, DefaultWorkNumber);
    setDataCommandsEnabled();
}

// ---- Open ----

void TfrmMain::oeffnenClick()
{
    TTextPage *t = textPage();
    ui->PageControl1->setCurrentWidget(ui->TabSheet1);
    // A cancelled or failed Open leaves the loaded data as they were: DataLoaded is put
    // back, and WriteAccepted is set only once a project file has been read.
    const bool dataLoadedBefore = G.DataLoaded;

    if (G.DataLoaded || G.ProjectOpen || G.DeviceDataRead) {
        // Changes the user wants kept are not replaced when they could not be saved.
        if (!commitAndOfferSave(QStringLiteral("Save the changes to project"), true)) {
            G.DataLoaded = dataLoadedBefore;
            return;
        }
        if (G.ImageModified && showMessage(SendQuestionText, MsgKind::Confirmation, MbYes | MbNo) == MbYes)
            datwriteClick();
    }

    const QString chosen =
        FileDialogs::getOpenFileName(this, QString(), OpenDialog2Filter, m_openDialog2FileName);
    if (chosen.isEmpty()) {
        G.DataLoaded = dataLoadedBefore;
        if (!G.DataLoaded && !G.ProjectOpen) {
            t->setHeadText(Head::ProjectName, QString());
            t->setHeadText(Head::Path, QString());
            ui->TabSheet1->setEnabled(false);
        }
        return;
    }
    m_openDialog2FileName = chosen;
    t->setLanguageEnabled(true);

    const QFileInfo info(chosen);
    if (!info.isFile()) {
        G.DataLoaded = dataLoadedBefore;
        showMessage(InvalidFileText, MsgKind::None, MbOk);
        return;
    }
    const QString ext = info.suffix().toUpper();
    if (ext != QLatin1String("ZF1") && ext != QLatin1String("ZAF")) {
        G.DataLoaded = dataLoadedBefore;
        return;
    }

    // The file is read whole before anything changes: a file that cannot be read or is
    // no project file leaves the images, flags and fields as they were.
    const ProjectReadResult read = readProjectFile(chosen);
    if (!read.file.ok) {
        G.DataLoaded = dataLoadedBefore;
        showMessage(read.file.errorText, MsgKind::Error, MbOk);
        return;
    }
    if (!read.accepted()) {
        G.DataLoaded = dataLoadedBefore;
        showMessage(InvalidFileText, MsgKind::None, MbOk);
        return;
    }

    G.WriteAccepted = true;
    G.OpenedFileName = chosen.left(50);
    t->setMemoShown(false);
    G.DataLoaded = true;
    G.ProjectOpen = true;
    ui->TabSheet1->setEnabled(true);
    t->setMemoText(QString());

    applyOpenedProject(read);
    if (read.contents.id == FileIdKind::FileIdOld) {
        t->setOldDataNotice(true);
    }
    BuildSignalTexts();
    ShowTextPage();
    t->setHeadText(Head::WorkNumber, read.contents.workNumber);
    t->setHeadText(Head::ProjectName, read.contents.projectName);
    CheckVersionNumber(read.contents.firmwareText);
    t->setHeadText(Head::Firmware, read.contents.firmwareText);
    m_projectFileName = info.absoluteFilePath();
    t->setHeadText(Head::Path, m_projectFileName.toUpper());
    textPage()->setMemoText(read.contents.memo);

    ui->PageControl1->setEnabled(true);
    ui->PageControl1->setCurrentWidget(ui->TabSheet1);
    t->setMemoShown(true);
    setDataCommandsEnabled(false);
    t->focusMemo();

    ed_mprjnameExit();
    finishOpenedProject();
    t->setDinRail(G.CommittedImage[DinRailVersion] == 1);
    selectFirstPage();
    ShowTextPage();
}

// ---- Save and Save as ----

namespace {
// What a save may change before the file is written; put back when writing fails.
struct SaveUndo
{
    Globals g;
    QString projectName, path, firmware, workNumber;
    bool firmwareAqua = false;
    QList<bool> enabled; // of saveEnabledItems
};

QList<QObject *> savedItems(TfrmMain *w)
{
    Ui::TfrmMain *u = w->ui;
    return {u->mut_RS232, u->datwrite,      u->speichern,      u->speich_unt,
            u->drucken,   u->BitBtnDatSave, u->BitBtn_drucken, u->TabSheet1};
}

bool isEnabled(QObject *o)
{
    if (auto *a = qobject_cast<QAction *>(o))
        return a->isEnabled();
    return static_cast<QWidget *>(o)->isEnabled();
}

void setEnabled(QObject *o, bool on)
{
    if (auto *a = qobject_cast<QAction *>(o))
        a->setEnabled(on);
    else
        static_cast<QWidget *>(o)->setEnabled(on);
}

SaveUndo takeUndo(TfrmMain *w, const TTextPage *t)
{
    SaveUndo u{G,
               t->headText(Head::ProjectName),
               t->headText(Head::Path),
               t->headText(Head::Firmware),
               t->headText(Head::WorkNumber),
               t->firmwareAqua(),
               {}};
    for (QObject *o : savedItems(w))
        u.enabled << isEnabled(o);
    return u;
}

void restoreUndo(TfrmMain *w, TTextPage *t, const SaveUndo &u)
{
    G = u.g;
    t->setHeadText(Head::ProjectName, u.projectName);
    t->setHeadText(Head::Path, u.path);
    t->setHeadText(Head::Firmware, u.firmware);
    t->setHeadText(Head::WorkNumber, u.workNumber);
    t->setFirmwareAqua(u.firmwareAqua);
    const QList<QObject *> items = savedItems(w);
    for (qsizetype i = 0; i < items.size(); ++i)
        setEnabled(items[i], u.enabled[i]);
    // The field handlers above may have marked the text modified.
    G.ProjectTextModified = u.g.ProjectTextModified;
}

// Steps that Save and Save as share: collect the page shown last, show page 1, store
// the logo lines and the language.
void collectForSave(TfrmMain *w, const TTextPage *t)
{
    w->CollectCurrentPage(false);
    w->selectFirstPage();
    w->ed_logo1Exit();
    w->ed_logo2Exit();
    const int language = t->languageIndex();
    G.ParamImage[LanguageIndex] = quint16(language >= 0 && language <= 2 ? language : 0);
}

// Empty firmware field: the given text on aqua; otherwise the normal colour.
void fillFirmware(TTextPage *t, const QString &text)
{
    const bool empty = t->headText(Head::Firmware).isEmpty();
    if (empty)
        t->setHeadText(Head::Firmware, text);
    t->setFirmwareAqua(empty);
}

ProjectHead headOf(TTextPage *page)
{
    return ProjectHead{page->headText(Head::WorkNumber),
                       page->headText(Head::ProjectName),
                       page->headText(Head::Firmware),
                       page->headText(Head::Path),
                       G.ProgramVersion,
                       G.TestDateLine,
                       page->memoText()};
}

// Writes the project file with the head of page 1. On failure puts back what the save
// changed and shows the system's text once.
bool writeProject(TfrmMain *w, const QString &file, bool newTestDate, const SaveUndo &undo)
{
    TTextPage *page = w->textPage();
    const FileResult written = WriteProjectFile(file, headOf(page), newTestDate);
    if (!written.ok) {
        restoreUndo(w, page, undo);
        showMessage(written.errorText, MsgKind::Error, MbOk);
        return false;
    }
    w->ui->PageControl1->setEnabled(true);
    w->ui->PageControl1->setCurrentWidget(w->ui->TabSheet1);
    page->focusLogo();
    return true;
}
} // namespace

bool TfrmMain::speichernRun()
{
    TTextPage *t = textPage();
    collectForSave(this, t);
    const SaveUndo undo = takeUndo(this, t);
    fillFirmware(t, QStringLiteral("Version 2.30"));

    // No file yet (data read from the unit): the name is asked for as by Save as; the
    // project is not named after the working folder.
    if (t->headText(Head::Path).isEmpty() && m_projectFileName.isEmpty()) {
        Button_OKClick();
        const SaveResult result = speich_untRun(false);
        if (result == SaveResult::Failed)
            restoreUndo(this, t, undo);
        return result == SaveResult::Written;
    }

    // ed_mpfad shows the path in upper case; the file is the one the project came from.
    const QString file = m_projectFileName.isEmpty() ? expandedName(t->headText(Head::Path)) : m_projectFileName;
    m_saveDialog2FileName = file;
    t->setHeadText(Head::ProjectName, projectNameOf(file).toUpper());
    t->setHeadText(Head::Path, file.toUpper());

    Button_OKClick();
    if (!QFileInfo(file).isFile()) {
        const SaveResult result = speich_untRun(false);
        // A failed write puts back what this save changed before as well.
        if (result == SaveResult::Failed)
            restoreUndo(this, t, undo);
        return result == SaveResult::Written;
    }
    if (!writeProject(this, file, false, undo))
        return false;
    m_projectFileName = file;
    return true;
}

TfrmMain::SaveResult TfrmMain::speich_untRun(bool newProjectMode)
{
    TTextPage *t = textPage();
    collectForSave(this, t);
    const SaveUndo undo = takeUndo(this, t);
    const QString undoFileName = m_projectFileName;
    fillFirmware(t, QStringLiteral("Version 9.99"));

    if (!t->headText(Head::Path).isEmpty())
        m_saveDialog2FileName = QFileInfo(m_openDialog2FileName).fileName();
    const QString chosen = FileDialogs::getSaveFileName(this, QString(), SaveDialog2Filter,
                                                        m_saveDialog2FileName, SaveDialog2Suffix);
    if (chosen.isEmpty())
        return SaveResult::Cancelled;
    m_saveDialog2FileName = chosen;
    t->setLanguageEnabled(true);

    const QString file = expandedName(chosen);
    const QString newName = projectNameOf(file);
    if (QFileInfo::exists(file)) {
        t->setHeadText(Head::Path, file.toUpper());
        const QString q = QStringLiteral("The file already exists,\r\n") + QFileInfo(file).fileName() +
                          QStringLiteral(" overwrite it?");
        if (showMessage(q, MsgKind::Information, MbYes | MbNo) != MbYes) {
            ui->TabSheet1->setEnabled(true);
            t->setHeadText(Head::ProjectName, QString());
            t->setHeadText(Head::Path, QString());
            m_projectFileName.clear();
            ui->TabSheet1->setEnabled(false);
            return SaveResult::Cancelled;
        }
        Button_OKClick();
        if (newProjectMode)
            SetNewProjectDefaults();
        ui->TabSheet1->setEnabled(true);
        if (newProjectMode)
            t->setHeadText(Head::ProjectName, newName.toUpper());
    } else {
        if (newProjectMode)
            t->setHeadText(Head::ProjectName, newName.toUpper());
        t->setHeadText(Head::Path, file.toUpper());
        Button_OKClick();
        if (newProjectMode)
            SetNewProjectDefaults();
        ui->TabSheet1->setEnabled(true);
    }
    if (!writeProject(this, file, true, undo)) {
        m_projectFileName = undoFileName;
        return SaveResult::Failed;
    }
    m_projectFileName = file;
    return SaveResult::Written;
}

void TfrmMain::speichernClick()
{
    speichernRun();
}

void TfrmMain::speich_untClick()
{
    speich_untRun(false);
}

// ---- New project ----

void TfrmMain::NeuesProjekt1Click()
{
    ui->PageControl1->setCurrentWidget(ui->TabSheet1);
    // What stays when no new project is built (the dialog cancelled, the file not
    // overwritten or not writable): the loaded data with their range and flags.
    const bool dataLoadedBefore = G.DataLoaded;
    const bool writeAcceptedBefore = G.WriteAccepted;
    const quint16 rangeBefore = G.VoltageRange;

    if (G.DataLoaded || G.ProjectOpen) {
        // Edits of the pages would be replaced by the new project: they count as changes
        // like an edit of the project text.
        CollectCurrentPage(true);
        G.ImageModified = ImagesDiffer();
        if (G.ProjectTextModified || G.ImageModified) {
            G.DataLoaded = false;
            if (!askToSaveProject(QStringLiteral("Save changes to project"), true)) {
                G.DataLoaded = dataLoadedBefore;
                return;
            }
        }
    }
    G.WriteAccepted = true;
    if (fmVoltage)
        fmVoltage->exec();
    const bool built = speich_untRun(true) == SaveResult::Written;
    if (!built) {
        G.DataLoaded = dataLoadedBefore;
        G.WriteAccepted = writeAcceptedBefore;
        G.VoltageRange = rangeBefore;
    }
    ed_mprjnameExit();
    selectFirstPage();
    // Logo texts put in by the filler are no edit: the flags stay as they were. Without
    // a new project and without data, page 1 stays exactly as it was.
    const bool imageModified = G.ImageModified;
    const bool textModified = built ? false : G.ProjectTextModified;
    if (built || PagesOpen())
        ShowTextPage();
    G.ImageModified = imageModified;
    G.ProjectTextModified = textModified;
}

// ---- closing ----

bool TfrmMain::askToSaveProject(const QString &start, bool noClearsTextMark)
{
    const QString q = projectQuestion(start, textPage()->headText(Head::ProjectName));
    if (showMessage(q, MsgKind::Information, MbYes | MbNo) == MbYes)
        return speichernRun();
    if (noClearsTextMark)
        G.ProjectTextModified = false;
    return true;
}

bool TfrmMain::commitAndOfferSave(const QString &start, bool noClearsTextMark)
{
    G.DataLoaded = false;
    CollectCurrentPage(true);
    G.ImageModified = ImagesDiffer();
    if (G.ProjectTextModified || G.ImageModified)
        return askToSaveProject(start, noClearsTextMark);
    return true;
}

bool TfrmMain::FormCloseQuery()
{
    const bool dataLoadedBefore = G.DataLoaded;
    if (G.DataLoaded || G.ProjectOpen || G.DeviceDataRead) {
        // A save that was cancelled or failed keeps the window open, so that nothing
        // is lost.
        if (!commitAndOfferSave(QStringLiteral("Save changes to project"), false)) {
            G.DataLoaded = dataLoadedBefore;
            return false;
        }
    }
    if (G.ImageModified) {
        if (showMessage(SendQuestionText, MsgKind::Confirmation, MbYes | MbNo) != MbYes)
            return true;
        datwriteClick();
        if (G.ImageModified) {
            G.DataLoaded = dataLoadedBefore;
            return false;
        }
    }
    return true;
}
