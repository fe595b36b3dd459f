#include "page_battery.h"

#include "ui_page_battery.h"

#include "controls.h"
#include "dispatch.h"
#include "encodings.h"
#include "fieldtext.h"
#include "globals.h"
#include "keyfilters.h"
#include "mainwindow.h"
#include "messages.h"
#include "rescale.h"

#include <QLocale>

using kit::Enc;
using kit::Field;
using kit::integer;
using kit::Key;
using kit::tenths;

namespace {
constexpr int AutoTestWord = 464;

// A field of the automatic test's schedule: filled while the test is enabled, stored
// while its box is checked.
constexpr Field schedule(const char *edit, int word, const char *spin, int max, int min,
                         Enc enc = Enc::Integer)
{
    return {.control = edit,
            .word = word,
            .enc = enc,
            .h = {double(min), double(max)},
            .spin = spin,
            .key = Key::Num,
            .onlyIfWord = AutoTestWord,
            .collectIf = "CheckBox1"};
}
constexpr Field box(const char *name, int word, kit::OldData old = {})
{
    return {.control = name, .word = word, .enc = Enc::EqualsOne, .old = old};
}

constexpr Field Fields[] = {
    // The cell count and the tap step through the whole range; in range H the exit
    // lifts them to 12 and 6.
    {.control = "ed_cell_count",
     .word = BatteryCellCount,
     .h = {12, 220},
     .l = {4, 220},
     .spin = "sb_cell_count",
     .spinRange = {4, 220},
     .key = Key::Num},
    {.control = "ed_abgriff",
     .word = 71,
     .h = {6, 220},
     .l = {2, 220},
     .spin = "sb_abgriff",
     .spinRange = {2, 220},
     .key = Key::Num},
    integer("ed_nenn_capacity1", 460, "sb_nenn_capacity1", 3000, 1),
    tenths("em_lim_ilade1", 90, 10, 3000, true),
    {.control = "em_ch_factor", .word = 640, .enc = Enc::Hundredths, .h = {1, 2}},
    {.control = "rb_show_cap_ja", .word = 641, .enc = Enc::Bit, .partner = "rb_show_cap_nein"},
    tenths("em_vdubatt", 16, 0.5, 10, true),
    integer("ed_batt_unsym_del", 543, "sb_batt_unsym_del", 300),
    integer("ed_batt_unsym_hys", 541, "sb_batt_unsym_hys", 10),
    // A volt below the top of the range.
    {.control = "ed_min_dischargeVolt",
     .word = 454,
     .enc = Enc::TenthsUp,
     .h = {0, 299},
     .l = {0, 79},
     .key = Key::Real},
    integer("ed_min_discharge_cap", 461, "sb_min_discharge_cap", 100, 1),
    {.control = "em_max_duration", .word = 462, .enc = Enc::TimeOfDay, .ownExit = true},
    box("CB_BC_Test", 72, {true, 0, true}),
    integer("Ed_StTeDiInp", 453, "SpinButton1", 16, 0, {true, 0, true}),
    box("CheckBox2", 463),
    box("CheckBox1", AutoTestWord),
    schedule("ed_jahr", 455, "sb_year", 2099, 2000, Enc::Year),
    schedule("ed_month", 456, "sb_month", 12, 1),
    schedule("ed_day", 457, "sb_day", 31, 1),
    schedule("ed_hour", 459, "sb_hour", 23, 0),
    schedule("ed_minute", 458, "sb_minute", 59, 0),
    integer("ed_replay_after_day", 467, "sb_replay_after_day", 365, 1),
    integer("ed_Vrectifierdown", 95, "sb_Vrectifierdown", 250),
    integer("ed_Vrectifierup", 94, "sb_Vrectifierup", 250),
    {.control = "em_Tk",
     .word = 40,
     .enc = Enc::SignedInteger,
     .h = {-6, 0},
     .spin = "sb_Tk",
     .key = Key::Tk},
    {.control = "em_Tkmin",
     .word = 42,
     .enc = Enc::SignedTenthsEven,
     .h = {-20, 19},
     .key = Key::TkMin,
     .ownExit = true},
    {.control = "em_Tmax", .word = 41, .enc = Enc::TenthsEven, .h = {21, 130}, .key = Key::Real},
};
} // namespace

TBatteryPage::TBatteryPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 9, sheet), ui(setUpForm<Ui::TBatteryPageForm>(sheet)), m_kit(this, sheet, Fields)
{
    connectExit(ui->em_max_duration, this, [this] { ed_timeOnExit(); });
    connectExit(ui->em_Tkmin, this, [this] { em_TkminExit(); });
    connectGuarded(ui->CheckBox1, &QCheckBox::toggled, this, [this](bool) { CheckBox1Click(); });
    ui->sb_max_duration->setFocusControl(ui->em_max_duration);
    connectGuarded(ui->sb_max_duration, &TSpinButton::upClicked, this,
                   [this] { TimeUporDown(ui->sb_max_duration, true, ui->em_max_duration); });
    connectGuarded(ui->sb_max_duration, &TSpinButton::downClicked, this,
                   [this] { TimeUporDown(ui->sb_max_duration, false, ui->em_max_duration); });
    ui->Panel25->setVisible(ui->CheckBox1->isChecked());
}

TBatteryPage::~TBatteryPage() = default;

void TBatteryPage::ShowBatteryPage()
{
    m_kit.fill();
    CheckBox1Click();
    // The lower Tk limit in the shortest form: 0, -5.5, 19.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    ui->em_Tkmin->setText(locale.toString(enc::toSignedInteger(G.ParamImage[42]) / 10.0, 'g', 6));
}

void TBatteryPage::CollectBatteryPage()
{
    G.ParamImage[66] = 0;
    cellCountChange();
    m_kit.collect();
}

void TBatteryPage::cellCountChange()
{
    const quint16 newCount = enc::plainInteger(StrToInt(ui->ed_cell_count->text()));
    G.CellCount = newCount;
    const quint16 oldCount = G.ParamImage[BatteryCellCount];
    // Without a count on either side there is nothing to scale by.
    if (oldCount == newCount || oldCount == 0 || newCount == 0)
        return;
    if (showMessage(QStringLiteral("Cell count changed, update all absolute voltage data ? \r\n If not, all "
                                   "absolute cell data are changing ! "),
                    MsgKind::Information, MbYes | MbNo, 0) != MbYes)
        return;
    RescaleAbsoluteVoltages(G.ParamImage, oldCount, newCount);
    // The fields that show these voltages, in the same order as the words.
    static const char *const fields[] = {
        "me_udc1min",           "me_U1max",   "me_u1_warn",      "me_udc2min",      "me_U2max",
        "me_udc3min",           "me_U3max",   "em_nom_volt",     "em_stark_ldg",    "em_batt_test",
        "ed_min_dischargeVolt", "em_MC_Vmax", "em_sysTest_Vmin", "em_sysTest_Vmax", "em_AuslSchwelle",
        "em_NachlSchwelle"};
    for (std::size_t i = 0; i < AbsoluteVoltageWords.size(); ++i)
        if (auto *edit = FindControlAs<QLineEdit>(mainWindow(), QLatin1String(fields[i])))
            edit->setText(FloatToFixedText(G.ParamImage[AbsoluteVoltageWords[i]] / 10.0, 1));
}

void TBatteryPage::ed_timeOnExit()
{
    QLineEdit *edit = ui->em_max_duration;
    if (IsTimeOfDayText(edit->text()))
        return;
    showMessage(QStringLiteral("Ungültige Zeitangabe"), MsgKind::Error, MbOk, 0);
    edit->setText(QStringLiteral("00:00"));
    throw FieldRefusal(edit, QString());
}

void TBatteryPage::em_TkminExit()
{
    QLineEdit *edit = ui->em_Tkmin;
    const kit::Limits lim = m_kit.limitsOf(*m_kit.row("em_Tkmin"));
    try {
        edit->setText(ClampFloatText(edit->text(), 1, lim.max, lim.min));
    } catch (const ConversionError &) {
        edit->setText(QStringLiteral("0"));
    }
}

void TBatteryPage::CheckBox1Click()
{
    ui->Panel25->setVisible(ui->CheckBox1->isChecked());
}
