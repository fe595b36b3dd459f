#pragma once
// The main window: menus, toolbar, status panels, the clock, and the notebook of twelve
// pages with the page framework (leave and entry steps, OK and cancel, switching pages
// from code). The commands of the menus are virtual slots; the ones whose work lives
// elsewhere are bound here and filled in where that work is.

#include "linkhost.h"
#include "page_text.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <functional>

class QDateTime;
class QLocale;
class QPrinter;
struct TReportInput;
class QTimer;
class TPage;
class TPageControl;
class TTextPage;
class TVerMess;

namespace Ui {
class TfrmMain;
}

// The clock text of Panel13: " %2d.%2d.%4d" from day, month and year, eight blanks, then
// the time in the locale's long time format (hours, minutes and seconds, no time zone).
QString ClockText(const QDateTime &now, const QLocale &locale);
QString ClockText(const QDateTime &now);

class TfrmMain : public QMainWindow, public TLinkHost
{
    Q_OBJECT
public:
    static constexpr int PageCount = 12;

    // Makes the page object of a page number on its empty tab sheet; null for the
    // program's own page. Tests put pages of their own in this way.
    using PageFactory = std::function<TPage *(TfrmMain *main, int number, QWidget *sheet)>;

    explicit TfrmMain(QWidget *parent = nullptr, const PageFactory &factory = {});
    ~TfrmMain() override;

    // The window's controls, reached by the pages and the commands.
    Ui::TfrmMain *ui;

    // True when the set-up at creation failed ("Fatal error in FormCreate frmMain" was shown).
    bool createFailed() const { return m_createFailed; }

    // Pages, numbered 1..12.
    TPage *page(int number) const;
    template <class T> T *pageAs(int number) const { return qobject_cast<T *>(page(number)); }
    QWidget *tabSheet(int number) const;
    // Number (1..12) of a tab sheet; 0 for anything else.
    int pageNumberOf(const QWidget *sheet) const;
    // Number of the page the notebook shows.
    int shownPageNumber() const;
    TPageControl *pageControl() const;
    // A control of the window by its object name, letter case ignored; null if none.
    QWidget *control(const QString &name) const;
    // The project head fields of page 1 (empty while page 1 is not the program's own).
    QString headText(HeadField field) const;
    void setHeadText(HeadField field, const QString &text);
    // Caption of output row 0..15 of the signal configuration page.
    QString signalRowCaption(int row) const;

    // The link's requests of the main window.
    void setInterfacePanelText(const QString &text) override;
    void setTransferCommandsEnabled(bool enabled) override;
    // After a good read: DeviceDataRead, page 1 and language enabled, signal texts,
    // firmware text and its version check, voltage range, DIN-rail box, project name,
    // cell count, logo lines and serial number, and the commands that need data.
    void ShowReadImage() override;

    // True when a project is open or data was read from the unit: the pages may be entered.
    static bool PagesOpen();

    // Leave step for the shown page: runs its leave action (the collector) guarded;
    // false when it failed, so that the page is kept.
    bool PageControl1Changing();
    // Entry step for the shown page: refusal while nothing is loaded, else CurrentPage,
    // VisitedPages and the filler.
    void PageControl1Change();
    // Runs the collector of CurrentPage (none for 0 and 8), then with commit copies
    // ParamImage into CommittedImage. Throws ConversionError when a field cannot be
    // converted; callers run it guarded.
    void CollectCurrentPage(bool commit);
    // Switches to a page from code with the full leave and entry steps; a failing leave
    // step keeps the shown page.
    void ChangeTabsheet(QWidget *page);
    // The first step of every command that collects (save, print, the transfers, OK, New
    // project, Open, closing): the field being edited is left as a focus change would
    // leave it, so that no value its exit would clamp, question or refuse reaches the
    // image. False when the exit refused (its message shown): the command then ends.
    bool leaveFocusedField();
    // Selects TabSheet1 from code (no leave or entry step) and makes page 1 the current
    // page, for the commands that then fill page 1 from a new image.
    void selectFirstPage();

    // What Printer configuration chose (the system's default printer until it chose
    // another or a PDF file); each Print builds its job afresh from it.
    QPrinter *reportPrinter();
    // What the report takes from the window: the head fields, the test date line, the
    // program version, the memo lines, the output row captions, the time of printing.
    TReportInput reportInput() const;

    // The attention message object, from creation to closing.
    TVerMess *VerMess() const { return m_verMess; }

    // Version check of loaded data: the firmware text ("Version " + number) of an opened
    // file or of a read. Old data clear WriteAccepted and show the notice on page 1.
    void CheckVersionNumber(const QString &firmwareText);
    // Page 1 ("Text"): its filler and the two logo exit handlers, which store the logo
    // lines into ParamImage.
    TTextPage *textPage() const;
    void ShowTextPage();
    void ed_logo1Exit();
    void ed_logo2Exit();
    // Project name field: change (marks the project text modified while data is loaded)
    // and exit (trailing blanks removed).
    void ed_mprjnameChange();
    void ed_mprjnameExit();

public slots:
    // File menu
    virtual void NeuesProjekt1Click();
    virtual void oeffnenClick();
    virtual void speichernClick();
    virtual void speich_untClick();
    virtual void druck_instClick();
    virtual void druckenClick();
    virtual void Exit1Click();
    // Data menu, RS232, Help
    virtual void datreadClick();
    virtual void datwriteClick();
    virtual void mut_RS232Click();
    virtual void Help1Click();
    virtual void About1Click();
    // Toolbar and status panel
    virtual void BitBtn5Click();
    virtual void BitBtnDatSaveClick();
    virtual void BitBtn_druckenClick();
    virtual void BitBtn_rd_LCtoPCClick();
    virtual void BitBtn_wr_LCtoPCClick();
    virtual void Panel12Click();
    // Buttons under the pages
    virtual void Button_OKClick();
    virtual void cmd_CancelClick();
    // Clock
    void Timer1Timer();

protected:
    // Asked before the window closes; false keeps it open.
    virtual bool FormCloseQuery();
    void FormCreate();
    void FormActivate();
    void FormClose();

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Save and Save as. Save is true when the file was written. A failed write was shown
    // and changed nothing. Save as in new-project mode (the last step of New project)
    // builds the default image and names the project after the new file.
    enum class SaveResult { Written, Cancelled, Failed };
    bool speichernRun();
    // Asks the save question that starts with `start`; Yes runs Save, No clears
    // ProjectTextModified when `noClearsTextMark`. False when the user wanted the project
    // saved and it was not (cancelled or failed): the command that asked then stops.
    bool askToSaveProject(const QString &start, bool noClearsTextMark);
    // The start of Open and closing: DataLoaded := 0, commit, ImageModified := ImagesDiffer,
    // then the save question when anything changed. False as askToSaveProject.
    bool commitAndOfferSave(const QString &start, bool noClearsTextMark);
    SaveResult speich_untRun(bool newProjectMode);
    // The window's part of a new project's defaults (after the image was built).
    void SetNewProjectDefaults();
    QString m_openDialog2FileName;                           // file name of OpenDialog2
    QString m_saveDialog2FileName = QStringLiteral("*.zf1"); // file name of SaveDialog2
    QString
        m_projectFileName; // the project's file as the file system names it (ed_mpfad shows it in upper case)

    void createPages(const PageFactory &factory);
    // Save, Save as, Print, Write and their buttons (and the RS232 item) once data is loaded.
    void setDataCommandsEnabled(bool rs232 = true);
    void bindCommands();
    void setToolbarIcons();

    std::array<TPage *, PageCount> m_pages{};
    std::unique_ptr<QPrinter> m_printer;
    QTimer *m_clock = nullptr;
    TVerMess *m_verMess = nullptr;
    bool m_createFailed = false;
};

// The one main window of the run (null before it is created and after it is destroyed).
extern TfrmMain *frmMain;
