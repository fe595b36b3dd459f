#include "page_devices.h"

#include "ui_page_devices.h"

#include "controls.h"
#include "decimal.h"
#include "dispatch.h"
#include "encodings.h"
#include "fieldtext.h"
#include "globals.h"
#include "imagetexts.h"
#include "mainwindow.h"
#include "messages.h"

#include <QRadioButton>

using kit::Enc;
using kit::Field;
using kit::integer;
using kit::Key;
using kit::radioBit;
using kit::voltage;

namespace {
constexpr int ManualChargeCurrent = 557;
constexpr int SysTestCurrent = 577;
constexpr int ChargePage = 10;

constexpr Field thyristor(const char *edit, int word, double max)
{
    return {.control = edit,
            .word = word,
            .enc = Enc::TenthsEven,
            .h = {0, max},
            .key = Key::Real,
            .old = {true, 100.0, true}};
}

// Old data lack the boards and the Riso reference: cleared and marked (the digital
// input board without a mark).
constexpr kit::OldData Cleared{true, 0, true};

constexpr Field Fields[] = {
    integer("ed_anz_GR_PSS", 81, "sb_anz_GR_PSS", 32),
    // The redundant counts are limited by the count typed above them (limits hook).
    integer("ed_red_anz_GR_PSS", 87, "sb_red_anz_GR_PSS", 32),
    integer("ed_anz_WR_UNV", 82, "sb_anz_WR_UNV", 16),
    integer("ed_red_anz_WR_UNV", 88, "sb_red_anz_WR_UNV", 16),
    integer("ed_thyrcount", 510, "sb_thyrcount", 2, 0, Cleared),
    {.word = 84, .enc = Enc::ClearBits, .bit = 0x0001}, // no I/O board
    radioBit("rb_KRT3_ja", "rb_KRT3_nein", 85, 0),
    radioBit("rb_KRT4_ja", "rb_KRT4_nein", 618, 0, Cleared),
    radioBit("rb_KRT5_ja", "rb_KRT5_nein", 617, 0, {true, 0, true, false}),
    radioBit("rb_UNB_ja", "rb_UNB_nein", 83, 0),
    radioBit("rb_tempSens_yes", "rb_tempSens_no", 474, 0),
    radioBit("rb_riso_yes", "rb_riso_no", 475, 0),
    radioBit("rb_Risoref_udc2", "rb_Risoref_udc1", 477, 0, Cleared),
    {.control = "ed_UNVnom", .word = 110, .h = {200, 250}, .spin = "sb_UNVnom", .key = Key::Num},
    voltage("em_nom_volt", 100, "ed_nomVoltCe", 1),
    voltage("em_stark_ldg", 101, "ed_starkLdgCe", 1),
    voltage("em_batt_test", 102, "ed_battTestCe", 1),
    {.control = "em_nom_curr",
     .word = NominalCurrent,
     .enc = Enc::TenthsUp,
     .h = {5, 3000},
     .key = Key::Real,
     .fillClamp = true,
     .ownExit = true},
    integer("ed_ld_lim", 478, "sb_ld_lim", 105),
    integer("ed_low_lim_del", 479, "sb_low_lim_del", 1800),
    {.control = "cb_AdrNull", .word = 89, .enc = Enc::NonZero},
    {.word = 65, .enc = Enc::ClearBits, .bit = 0xFFFF},
    integer("ed_ld_currdiff", 628, "sb_ld_currdiff", 100, 0, {true, 10, true}),
    integer("ed_currdistribution", 629, "sb_currdistribution", 250, 0, {true, 5, true}),
    thyristor("ed_thyrvoltage", 500, 400),
    thyristor("ed_thyrcurrent", 501, 3000),
};
} // namespace

TDevicesPage::TDevicesPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 5, sheet), ui(setUpForm<Ui::TDevicesPageForm>(sheet)), m_kit(this, sheet, Fields)
{
    m_kit.setLimitsHook([this](const Field &f) -> std::optional<kit::Limits> {
        const QString name = QLatin1String(f.control);
        if (name == QLatin1String("ed_red_anz_GR_PSS"))
            return kit::Limits{0, double(StrToInt(ui->ed_anz_GR_PSS->text()))};
        if (name == QLatin1String("ed_red_anz_WR_UNV"))
            return kit::Limits{0, double(StrToInt(ui->ed_anz_WR_UNV->text()))};
        return std::nullopt;
    });
    connectExit(ui->em_nom_curr, this, [this] { em_nom_currExit(); });
    connectGuarded(ui->ed_red_anz_WR_UNV, &QLineEdit::textChanged, this,
                   [this](const QString &) { ed_red_anz_WR_UNVChange(); });
    connectGuarded(ui->ed_UNVnom, &QLineEdit::textChanged, this,
                   [this](const QString &) { ed_UNVnomChange(); });
    // A radio button's click runs also when code checks it.
    const auto onCheck = [this](QRadioButton *button, void (TDevicesPage::*handler)()) {
        connectGuarded(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    };
    onCheck(ui->rb_KRT4_ja, &TDevicesPage::rb_KRT4_jaClick);
    onCheck(ui->rb_KRT4_nein, &TDevicesPage::rb_KRT4_neinClick);
    onCheck(ui->rb_KRT5_ja, &TDevicesPage::rb_KRT5_jaClick);
    onCheck(ui->rb_KRT5_nein, &TDevicesPage::rb_KRT5_neinClick);
}

TDevicesPage::~TDevicesPage() = default;

void TDevicesPage::ShowDevicesPage()
{
    m_kit.fill();
    // The redundant inverters follow the inverter count also when their text is unchanged.
    ed_red_anz_WR_UNVChange();
    showBoardGroup("GroupBox7", ui->rb_KRT4_ja->isChecked());
    showBoardGroup("GroupBox21", ui->rb_KRT5_ja->isChecked());
    ui->ed_anz_GR_PSS->setFocus();
}

void TDevicesPage::CollectDevicesPage()
{
    m_kit.collect();
}

void TDevicesPage::showBoardGroup(const char *name, bool shown)
{
    // The group lives on another page; a window without that page has nothing to show.
    if (QWidget *group = FindControl(mainWindow(), QLatin1String(name)))
        group->setVisible(shown);
}

void TDevicesPage::rb_KRT4_jaClick()
{
    showBoardGroup("GroupBox7", true);
}

void TDevicesPage::rb_KRT4_neinClick()
{
    showBoardGroup("GroupBox7", false);
}

void TDevicesPage::rb_KRT5_jaClick()
{
    showBoardGroup("GroupBox21", true);
}

void TDevicesPage::rb_KRT5_neinClick()
{
    showBoardGroup("GroupBox21", false);
}

void TDevicesPage::ed_red_anz_WR_UNVChange()
{
    QLineEdit *edit = ui->ed_red_anz_WR_UNV;
    // A field emptied while typing is checked when it is left.
    if (edit->text().trimmed().isEmpty())
        return;
    const QString clamped = ClampIntText(edit->text(), StrToInt(ui->ed_anz_WR_UNV->text()), 0);
    if (clamped != edit->text())
        edit->setText(clamped);
}

void TDevicesPage::ed_UNVnomChange()
{
    if (ui->ed_UNVnom->text().isEmpty())
        ui->ed_UNVnom->setText(QStringLiteral("200"));
}

void TDevicesPage::em_nom_currExit()
{
    QLineEdit *edit = ui->em_nom_curr;
    edit->setText(ClampFloatText(edit->text(), 1, 3000, 5));
    // Tenths with the fraction dropped; the manual charge may take 80 % of them.
    const int n = int(dec::scaledInteger(StrToFloat(edit->text()), 1, dec::Rule::Truncate));
    const int m = G.ParamImage[ManualChargeCurrent];
    const int s = G.ParamImage[SysTestCurrent];
    const int lowered = 4 * n / 5;          // 0.8 x n, fraction dropped
    const bool manualAbove = 4 * n < 5 * m; // 0.8 x n < M
    const bool sysTestAbove = n < s;

    const QString manualLine = QStringLiteral("Manual charge Max. charging current:") + TenthsText(m) +
                               QStringLiteral(" > maximum(80% Rec.Nominal current)\n\r");
    const QString sysTestLine = QStringLiteral("System test Max. charging current:") + TenthsText(s) +
                                QStringLiteral(" > maximum(Rec.Nominal current)\n\r");
    QString question;
    int help = 28;
    const char *focus = "ed_MCh_SollW_IGR";
    if (manualAbove && sysTestAbove) {
        question = manualLine + sysTestLine +
                   QStringLiteral("Do you want to change the \"Manual\" current on ") + TenthsText(lowered) +
                   QStringLiteral(" A and \"Systemtest\" on ") + TenthsText(n) + QStringLiteral(" A ?");
    } else if (sysTestAbove) {
        question = sysTestLine + QStringLiteral("Do you want to change the \"System\" current on ") +
                   TenthsText(n) + QStringLiteral(" A ?");
        help = 29;
        focus = "ed_sysTest_SollW_IGR";
    } else if (manualAbove) {
        question = manualLine + QStringLiteral("Do you want to change the \"Manual\" current on ") +
                   TenthsText(lowered) + QStringLiteral(" A ?");
    } else {
        return;
    }

    if (showMessage(question, MsgKind::Warning, MbYes | MbNo, help) != MbYes) {
        edit->setText(TenthsText(G.ParamImage[NominalCurrent]));
        throw FieldRefusal(edit, QString());
    }
    if (manualAbove)
        G.ParamImage[ManualChargeCurrent] = quint16(lowered);
    if (sysTestAbove)
        G.ParamImage[SysTestCurrent] = quint16(n);
    TfrmMain *main = mainWindow();
    main->ChangeTabsheet(main->tabSheet(ChargePage));
    if (main->shownPageNumber() == ChargePage)
        if (QWidget *target = main->control(QLatin1String(focus)))
            target->setFocus();
}
