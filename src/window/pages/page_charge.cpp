#include "page_charge.h"

#include "ui_page_charge.h"

#include "decimal.h"
#include "dispatch.h"
#include "encodings.h"
#include "fieldtext.h"
#include "globals.h"
#include "mainwindow.h"
#include "messages.h"

using kit::Enc;
using kit::Field;
using kit::integer;
using kit::Key;
using kit::voltage;

namespace {
constexpr int DevicesPage = 5;

constexpr Field flag(const char *box, int word)
{
    return {.control = box, .word = word, .enc = Enc::Flag};
}
constexpr Field minutes(const char *edit, int word, const char *spin, int max)
{
    return {.control = edit,
            .word = word,
            .enc = Enc::MinutesOfSeconds,
            .h = {0, double(max)},
            .spin = spin,
            .key = Key::Num};
}
constexpr Field amperes(const char *edit, int word, double old)
{
    return {.control = edit,
            .word = word,
            .enc = Enc::AmpsOfTenths,
            .h = {0, 3000},
            .key = Key::Num,
            .old = {true, old, true}};
}
// A charging current: `max` bounds a value within its share of the nominal current.
constexpr Field current(const char *edit, int word, double max)
{
    return {.control = edit,
            .word = word,
            .enc = Enc::TenthsUp,
            .h = {0, max},
            .key = Key::Real,
            .ownExit = true};
}

constexpr Field Fields[] = {
    flag("cb_BoostCharge", 534),
    flag("cb_AutoBoostChrg", 539),
    voltage("em_AuslSchwelle", 535),
    integer("ed_del_AuslSchwelle", 532, "sb_del_AuslSchwelle", 300),
    voltage("em_NachlSchwelle", 538),
    integer("ed_del_NachlSchwelle", 533, "sb_del_NachlSchwelle", 300),
    amperes("ed_boostcurstart", 502, 250),
    amperes("ed_boostcurstop", 503, 30),
    minutes("ed_LadeNachLauf", 536, "sb_LadeNachLauf", 600),
    minutes("ed_BBNAusf", 537, "sb_BBNAusf", 300),
    minutes("ed_fanDelay", 471, "sb_fanDelay", 300),
    flag("cb_MC_enabl", 551),
    flag("cb_MC_over_VAlrm", 558),
    {.control = "ed_MCh_SofAbbr", .word = 553, .enc = Enc::TenthsUp, .h = {0, 150}, .key = Key::Real},
    integer("ed_MCh_AlarmVerz", 554, "sb_MCh_AlarmVerz", 3600),
    voltage("em_MC_Vmax", 556, "ed_MC_Vmax", 1),
    current("ed_MCh_SollW_IGR", 557, 2400),
    flag("cb_sysTest_enabl", 571),
    flag("cb_sysTest_over_VAlrm", 578),
    integer("ed_sysTest_AlarmVerz", 574, "sb_sysTest_AlarmVerz", 3600),
    // The system test window: Vmin stays a volt below the top of the range, Vmax at or
    // above Vmin (limits hook); the filler clamps both itself.
    {.control = "em_sysTest_Vmin",
     .word = 575,
     .enc = Enc::TenthsUp,
     .h = {0, 299},
     .l = {0, 79},
     .key = Key::Real,
     .perCell = "ed_STest_Vmin",
     .perCellDecimals = 1},
    voltage("em_sysTest_Vmax", 576, "ed_STest_Vmax", 1, false),
    current("ed_sysTest_SollW_IGR", 577, 3000),
    integer("ed_InputNr", 531, "sb_InputNr", 16),
    integer("Ed_BC_Ein", 530, "SB_BC_Ein", 16, 0, {true, 0, true}),
    integer("Ed_BC_MaxTime", 529, "SB_MaxTime", 24, 1, {true, 4, true}),
};

double rangeTop()
{
    return G.VoltageRange == 1 ? 300 : 80;
}
} // namespace

TChargePage::TChargePage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 10, sheet), ui(setUpForm<Ui::TChargePageForm>(sheet)), m_kit(this, sheet, Fields)
{
    m_kit.setLimitsHook([this](const Field &f) -> std::optional<kit::Limits> {
        if (QLatin1String(f.control) == QLatin1String("em_sysTest_Vmax"))
            return kit::Limits{StrToFloat(ui->em_sysTest_Vmin->text()), rangeTop()};
        return std::nullopt;
    });
    connectExit(ui->ed_MCh_SollW_IGR, this, [this] { ed_MCh_SollW_IGRExit(); });
    connectExit(ui->ed_sysTest_SollW_IGR, this, [this] { ed_sysTest_SollW_IGRExit(); });
}

TChargePage::~TChargePage() = default;

void TChargePage::ShowChargePage()
{
    m_kit.fill();
    // Range H holds Vmax at or above the stored Vmin; range L only within the range.
    QLineEdit *vmin = ui->em_sysTest_Vmin;
    QLineEdit *vmax = ui->em_sysTest_Vmax;
    const double low = G.VoltageRange == 1 ? StrToFloat(vmin->text()) : 0;
    vmax->setText(ClampFloatText(vmax->text(), 1, rangeTop(), low));
    vmin->setText(ClampFloatText(vmin->text(), 1, rangeTop() - 1, 0));
    m_kit.showPerCell();
}

void TChargePage::CollectChargePage()
{
    m_kit.collect();
}

void TChargePage::ed_MCh_SollW_IGRExit()
{
    chargingCurrentExit(ui->ed_MCh_SollW_IGR, 0.8,
                        QStringLiteral("Only maximum 80% off \"Rec.Nominal current\" possible\n\r"
                                       "Change the \"Rec.Nominal current\" value?"));
}

void TChargePage::ed_sysTest_SollW_IGRExit()
{
    chargingCurrentExit(ui->ed_sysTest_SollW_IGR, 1.0,
                        QStringLiteral("Only maximum \"Rec.Nominal current\" possible\n\r"
                                       "Change the \"Rec.Nominal current\" value?"));
}

void TChargePage::chargingCurrentExit(QLineEdit *edit, double share, const QString &question)
{
    const kit::Limits inRange = m_kit.limitsOf(*m_kit.row(edit->objectName().toLatin1().constData()));
    // The limit comes from the nominal current as last stored, not from page 5's field.
    const double limitTenths = G.ParamImage[NominalCurrent] * share;
    // Compared in thousandths of an ampere, as typed and as the limit stands.
    const qint64 typed = dec::scaledInteger(StrToFloat(edit->text()), 3, dec::Rule::HalfAwayFromZero);
    if (typed <= qRound64(limitTenths * 100)) {
        edit->setText(ClampFloatText(edit->text(), 1, inRange.max, inRange.min));
        return;
    }
    edit->setText(FloatToFixedText(limitTenths / 10, 1));
    if (showMessage(question, MsgKind::Confirmation, MbYes | MbNo, 19) != MbYes)
        return;
    TfrmMain *main = mainWindow();
    main->ChangeTabsheet(main->tabSheet(DevicesPage));
    if (main->shownPageNumber() == DevicesPage)
        if (QWidget *target = main->control(QStringLiteral("em_nom_curr")))
            target->setFocus();
}
