#include "mainwindow.h"

#include "datetimetext.h"

#include "ui_mainwindow.h"

#include "about.h"
#include "controls.h"
#include "dispatch.h"
#include "globals.h"
#include "helplayer.h"
#include "lcdfont.h"
#include "messages.h"
#include "page.h"
#include "page_analoginputs.h"
#include "page_battery.h"
#include "page_charge.h"
#include "page_communication.h"
#include "page_countercells.h"
#include "page_devices.h"
#include "page_digitalinputs.h"
#include "page_mainsmonitor.h"
#include "page_outputs.h"
#include "page_signalconfig.h"
#include "page_text.h"
#include "page_thresholds.h"
#include "pagecontrol.h"
#include "report.h"
#include "taborder.h"
#include "vermess.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTimer>

#include <stdexcept>

TfrmMain *frmMain = nullptr;

namespace {
const char *const RefusalText =
    "Please open a file, start a new project\r\nor read configuration from KRT-6!";

// Bits of VisitedPages set by entering pages 4, 5, 9 and 10.
quint16 visitedBit(int page)
{
    switch (page) {
    case 4:
        return 0x0008;
    case 5:
        return 0x0010;
    case 9:
        return 0x0100;
    case 10:
        return 0x0200;
    default:
        return 0;
    }
}

QString trimmedRight(QString s)
{
    while (!s.isEmpty() && s.back() == QLatin1Char(' '))
        s.chop(1);
    return s;
}

// Toolbar pictures drawn here, so that they look the same on every platform.
QIcon drawnIcon(int kind)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    p.setPen(QPen(ink, 1.2));
    if (kind == 0) { // printer
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.5, 2.5, 9, 7));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 14.5, 11, 7));
        p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
        p.setBrush(QColor(40, 170, 40));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(17, 11, 2.5, 2.5));
        return QIcon(pm);
    }
    // Unit (left) and PC (right) with an arrow: kind 1 reads (unit -> PC), 2 writes.
    p.setBrush(QColor(200, 215, 235));
    p.drawRect(QRectF(1.5, 6.5, 7, 11));
    p.setBrush(QColor(60, 200, 80));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(3, 8, 4, 2.5));
    p.setPen(QPen(ink, 1.2));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(15.5, 5.5, 7.5, 9));
    p.drawLine(QPointF(19.25, 14.5), QPointF(19.25, 18.5));
    p.drawLine(QPointF(16, 18.5), QPointF(22.5, 18.5));
    const QColor arrow = kind == 1 ? QColor(20, 110, 200) : QColor(200, 60, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    QPainterPath path;
    if (kind == 1) {
        path.moveTo(9.5, 10.5);
        path.lineTo(11.5, 10.5);
        path.lineTo(11.5, 8);
        path.lineTo(15, 12);
        path.lineTo(11.5, 16);
        path.lineTo(11.5, 13.5);
        path.lineTo(9.5, 13.5);
    } else {
        path.moveTo(15, 10.5);
        path.lineTo(13, 10.5);
        path.lineTo(13, 8);
        path.lineTo(9.5, 12);
        path.lineTo(13, 16);
        path.lineTo(13, 13.5);
        path.lineTo(15, 13.5);
    }
    path.closeSubpath();
    p.drawPath(path);
    return QIcon(pm);
}
} // namespace

QString ClockText(const QDateTime &now, const QLocale &locale)
{
    const QDate d = now.date();
    return QString::asprintf(" %2d.%2d.%4d", d.day(), d.month(), d.year()) + QString(8, QLatin1Char(' ')) +
           LongTimeText(now.time(), locale);
}

QString ClockText(const QDateTime &now)
{
    return ClockText(now, QLocale());
}

TfrmMain::TfrmMain(QWidget *parent, const PageFactory &factory) : QMainWindow(parent), ui(new Ui::TfrmMain)
{
    frmMain = this;
    setLinkHost(this);
    ui->setupUi(this);
    createPages(factory);

    ui->PageControl1->setChangingHandler([this] { return PageControl1Changing(); });
    ui->PageControl1->setChangeHandler([this] { runGuarded([this] { PageControl1Change(); }); });

    setToolbarIcons();
    bindCommands();
    setReadingTabOrder(this);

    m_clock = new QTimer(this);
    m_clock->setObjectName(QStringLiteral("Timer1"));
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
    m_clock->start();
    Timer1Timer();

    FormCreate();
}

TfrmMain::~TfrmMain()
{
    delete m_verMess;
    m_verMess = nullptr;
    for (TPage *&p : m_pages) {
        delete p;
        p = nullptr;
    }
    delete ui;
    if (frmMain == this)
        frmMain = nullptr;
    if (linkHost() == this)
        setLinkHost(nullptr);
}

void TfrmMain::FormCreate()
{
    try {
        setWindowTitle(QStringLiteral(" KRT-6 Configurator Version 2.6.0.1"));
        if (registerLcdFont().isEmpty())
            throw std::runtime_error("LCD font");
        if (!applyLcdFont(this))
            throw std::runtime_error("LCD font");
        m_verMess = new TVerMess(this);
        resize(825, 690);
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        G.ProgramVersion = QStringLiteral("2.60");
        G.BrandText = QStringLiteral("KRT Power");
        ui->lbl_registry->setText(trimmedRight(G.BrandText));
        G.ImageModified = false;
        G.ProjectTextModified = false;
        G.DataLoaded = false;
        G.ProjectOpen = false;
        G.DeviceDataRead = false;
        ui->PageControl1->setEnabled(true);
        ui->PageControl1->setCurrentWidget(ui->TabSheet1);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    } catch (...) {
        m_createFailed = true;
        showMessage(QStringLiteral("Fatal error in FormCreate frmMain"), MsgKind::Error, MbOk);
    }
}

void TfrmMain::FormActivate()
{
    ui->PageControl1->setEnabled(true);
    if (!G.DataLoaded && !G.ProjectOpen)
        ui->TabSheet1->setEnabled(false);
    G.VisitedPages = 0;
}

void TfrmMain::FormClose()
{
    delete m_verMess;
    m_verMess = nullptr;
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    auto *menu = qobject_cast<QMenu *>(watched);
    if (menu && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        const QAction *item = menu->activeAction();
        int context = item ? item->property("HelpContext").toInt() : 0;
        if (context == 0)
            context = menu->property("HelpContext").toInt();
        if (context == 0)
            context = menu->menuAction()->property("HelpContext").toInt();
        requestHelp(context);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmMain::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    bool mayClose = false;
    if (leaveFocusedField())
        runGuarded([&] { mayClose = FormCloseQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TfrmMain::setToolbarIcons()
{
    QStyle *st = style();
    ui->BitBtn5->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    ui->BitBtnDatSave->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    ui->BitBtn_drucken->setIcon(drawnIcon(0));
    ui->BitBtn_rd_LCtoPC->setIcon(drawnIcon(1));
    ui->BitBtn_wr_LCtoPC->setIcon(drawnIcon(2));
    ui->BitBtn_exit->setIcon(st->standardIcon(QStyle::SP_DialogCloseButton));
}

void TfrmMain::bindCommands()
{
    // The separators of the File menu carry their names too.
    const QStringList separators{QStringLiteral("Dateispeichernals1"), QStringLiteral("N2"),
                                 QStringLiteral("N4")};
    int next = 0;
    for (QAction *a : ui->File1->actions()) {
        if (a->isSeparator() && next < separators.size())
            a->setObjectName(separators[next++]);
    }

    // Every command runs guarded: a conversion error is shown once and ends the command.
    // A command that collects first leaves the field being edited (closing does so in
    // closeEvent); a refused exit ends it there.
    enum Collects : bool { NoCollect = false, Collect = true };
    auto guarded = [this](void (TfrmMain::*handler)(), Collects collects = NoCollect) {
        return [this, handler, collects] {
            if (!collects || leaveFocusedField())
                runGuarded([this, handler] { (this->*handler)(); });
        };
    };
    auto bind = [this, guarded](QAction *action, void (TfrmMain::*handler)(), Collects collects = NoCollect) {
        connect(action, &QAction::triggered, this, guarded(handler, collects));
    };
    auto bindButton = [this, guarded](QAbstractButton *button, void (TfrmMain::*handler)(),
                                      Collects collects = NoCollect) {
        connect(button, &QAbstractButton::clicked, this, guarded(handler, collects));
    };
    bind(ui->NeuesProjekt1, &TfrmMain::NeuesProjekt1Click, Collect);
    bind(ui->oeffnen, &TfrmMain::oeffnenClick, Collect);
    bind(ui->speichern, &TfrmMain::speichernClick, Collect);
    bind(ui->speich_unt, &TfrmMain::speich_untClick, Collect);
    bind(ui->druck_inst, &TfrmMain::druck_instClick);
    bind(ui->drucken, &TfrmMain::druckenClick, Collect);
    bind(ui->Beenden1, &TfrmMain::Exit1Click);
    bind(ui->datread, &TfrmMain::datreadClick, Collect);
    bind(ui->datwrite, &TfrmMain::datwriteClick, Collect);
    bind(ui->mut_RS232, &TfrmMain::mut_RS232Click);
    bind(ui->Help1, &TfrmMain::Help1Click);
    bind(ui->Info1, &TfrmMain::About1Click);

    // The four shortcuts run once per key stroke (no auto-repeat), only with Ctrl alone,
    // whatever control has the focus, and not while their item is disabled.
    for (QAction *a : {ui->NeuesProjekt1, ui->oeffnen, ui->speichern, ui->drucken}) {
        a->setAutoRepeat(false);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    // The help item is hidden, so its own shortcut is inactive; F1 reaches it here.
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setAutoRepeat(false);
    connect(f1, &QShortcut::activated, this, guarded(&TfrmMain::Help1Click));
    // F1 on a highlighted menu item asks for that item's help (its menu's when it has none).
    for (QMenu *menu : ui->MainMenu1->findChildren<QMenu *>())
        menu->installEventFilter(this);

    bindButton(ui->BitBtn5, &TfrmMain::BitBtn5Click, Collect);
    bindButton(ui->BitBtnDatSave, &TfrmMain::BitBtnDatSaveClick, Collect);
    bindButton(ui->BitBtn_drucken, &TfrmMain::BitBtn_druckenClick, Collect);
    bindButton(ui->BitBtn_rd_LCtoPC, &TfrmMain::BitBtn_rd_LCtoPCClick, Collect);
    bindButton(ui->BitBtn_wr_LCtoPC, &TfrmMain::BitBtn_wr_LCtoPCClick, Collect);
    bindButton(ui->BitBtn_exit, &TfrmMain::Exit1Click);
    bindButton(ui->Button_OK, &TfrmMain::Button_OKClick, Collect); // by its mnemonic too
    bindButton(ui->cmd_Cancel, &TfrmMain::cmd_CancelClick);
    connect(ui->Panel12, &TPanel::clicked, this, guarded(&TfrmMain::Panel12Click));
}

// ---- pages ----

TPage *TfrmMain::page(int number) const
{
    if (number < 1 || number > PageCount)
        return nullptr;
    return m_pages[number - 1];
}

QWidget *TfrmMain::tabSheet(int number) const
{
    if (number < 1 || number > PageCount)
        return nullptr;
    return ui->PageControl1->widget(number - 1);
}

int TfrmMain::pageNumberOf(const QWidget *sheet) const
{
    if (!sheet)
        return 0;
    const int index = ui->PageControl1->indexOf(const_cast<QWidget *>(sheet));
    return index < 0 ? 0 : index + 1;
}

int TfrmMain::shownPageNumber() const
{
    return ui->PageControl1->currentIndex() + 1;
}

void TfrmMain::createPages(const PageFactory &factory)
{
    for (int n = 1; n <= PageCount; ++n) {
        QWidget *sheet = tabSheet(n);
        TPage *p = factory ? factory(this, n, sheet) : nullptr;
        if (!p) {
            switch (n) {
            case 1: p = new TTextPage(this, sheet); break;
            case 2: p = new TAnalogInputsPage(this, sheet); break;
            case 3: p = new TDigitalInputsPage(this, sheet); break;
            case 4: p = new TThresholdsPage(this, sheet); break;
            case 5: p = new TDevicesPage(this, sheet); break;
            case 6: p = new TOutputsPage(this, sheet); break;
            case 7: p = new TCommunicationPage(this, sheet); break;
            case 8: p = new TSignalConfigPage(this, sheet); break;
            case 9: p = new TBatteryPage(this, sheet); break;
            case 10: p = new TChargePage(this, sheet); break;
            case 11: p = new TCounterCellsPage(this, sheet); break;
            default: p = new TMainsMonitorPage(this, sheet); break;
            }
        }
        m_pages[n - 1] = p;
    }
}

QWidget *TfrmMain::control(const QString &name) const
{
    return FindControl(this, name);
}

QString TfrmMain::headText(HeadField field) const
{
    const TTextPage *t = textPage();
    return t ? t->headText(field) : QString();
}

void TfrmMain::setHeadText(HeadField field, const QString &text)
{
    if (TTextPage *t = textPage())
        t->setHeadText(field, text);
}

QString TfrmMain::signalRowCaption(int row) const
{
    const auto *panel = FindControlAs<QLabel>(this, QStringLiteral("Panel_zl%1").arg(row + 1));
    return panel ? panel->text() : QString();
}

void TfrmMain::setDataCommandsEnabled(bool rs232)
{
    if (rs232)
        ui->mut_RS232->setEnabled(true);
    for (QAction *a : {ui->datwrite, ui->speichern, ui->speich_unt, ui->drucken})
        a->setEnabled(true);
    ui->BitBtnDatSave->setEnabled(true);
    ui->BitBtn_drucken->setEnabled(true);
}

TPageControl *TfrmMain::pageControl() const
{
    return ui->PageControl1;
}

bool TfrmMain::PagesOpen()
{
    return G.ProjectOpen || G.DeviceDataRead;
}

bool TfrmMain::PageControl1Changing()
{
    TPage *left = page(shownPageNumber());
    if (!left)
        return true;
    return runGuarded([left] { left->leave(); });
}

void TfrmMain::PageControl1Change()
{
    if (!PagesOpen()) {
        if (ui->PageControl1->currentWidget() != ui->TabSheet1)
            ui->PageControl1->setCurrentWidget(ui->TabSheet1);
        showMessage(QString::fromLatin1(RefusalText), MsgKind::Information, MbOk, 0);
        return;
    }
    const int n = shownPageNumber();
    G.CurrentPage = n;
    G.VisitedPages |= visitedBit(n);
    if (TPage *p = page(n))
        p->fill();
}

void TfrmMain::CollectCurrentPage(bool commit)
{
    if (TPage *p = page(G.CurrentPage); p && G.CurrentPage != 8)
        p->collect();
    if (commit)
        G.CommittedImage = G.ParamImage;
}

void TfrmMain::ChangeTabsheet(QWidget *sheet)
{
    if (pageNumberOf(sheet) == 0)
        return;
    if (!PageControl1Changing())
        return;
    ui->PageControl1->setCurrentWidget(sheet);
    runGuarded([this] { PageControl1Change(); });
}

bool TfrmMain::leaveFocusedField()
{
    return ui->PageControl1->leaveFocusedField();
}

void TfrmMain::selectFirstPage()
{
    ui->PageControl1->setCurrentWidget(ui->TabSheet1);
    G.CurrentPage = 1;
}

void TfrmMain::Button_OKClick()
{
    if (!PagesOpen())
        return;
    CollectCurrentPage(true);
    G.ImageModified = ImagesDiffer();
}

void TfrmMain::cmd_CancelClick()
{
    PageControl1Change();
}

// ---- commands ----

void TfrmMain::Exit1Click()
{
    close();
}

void TfrmMain::Help1Click()
{
    requestHelp(2);
}

void TfrmMain::About1Click()
{
    if (fm_Info)
        fm_Info->exec();
}

void TfrmMain::BitBtn5Click()
{
    oeffnenClick();
}

void TfrmMain::BitBtnDatSaveClick()
{
    speichernClick();
}

void TfrmMain::BitBtn_druckenClick()
{
    druckenClick();
}

void TfrmMain::Panel12Click()
{
    mut_RS232Click();
}

void TfrmMain::Timer1Timer()
{
    ui->Panel13->setText(ClockText(QDateTime::currentDateTime()));
}
