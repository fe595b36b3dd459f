#include "page_thresholds.h"

#include "ui_page_thresholds.h"

using kit::Enc;
using kit::Field;
using kit::integer;
using kit::Key;
using kit::tenths;
using kit::voltage;

namespace {
// The first field of a group whose word serves three channels: the other two show it,
// disabled.
constexpr Field group(const char *edit, int word, const char *spin, int max, const char *copy1,
                      const char *copy2, kit::OldData old = {})
{
    return {.control = edit,
            .word = word,
            .h = {0, double(max)},
            .spin = spin,
            .key = Key::Num,
            .copy1 = copy1,
            .copy2 = copy2,
            .old = old};
}

constexpr kit::OldData CurrentDefault{true, 50.0, true};

constexpr Field Fields[] = {
    voltage("me_udc1min", 1, "ed_udc1minCe"),
    voltage("me_U1max", 2, "ed_U1maxCe"),
    voltage("me_u1_warn", 3, "ed_u1_warnCe"),
    // The Vdc1 minimum delay steps through 0 but is left at 1 at least.
    {.control = "ed_u1min_verz",
     .word = 53,
     .h = {1, 300},
     .spin = "sb_u1min_verz",
     .spinRange = {0, 300},
     .key = Key::Num},
    group("ed_u1max_verz", 52, "sb_u1max_verz", 300, "ed_u2max_verz", "ed_u3max_verz"),
    integer("ed_hystMinU1", 10, "sb_hystMinU1", 20),
    group("ed_hystMaxU1", 13, "sb_hystMaxU1", 20, "ed_hystMaxU2", "ed_hystMaxU3"),
    voltage("me_udc2min", 4, "ed_udc2minCe"),
    voltage("me_U2max", 5, "ed_U2maxCe"),
    integer("ed_u2min_verz", 54, "sb_u2min_verz", 300),
    integer("ed_hystMinU2", 11, "sb_hystMinU2", 20),
    voltage("me_udc3min", 6, "ed_udc3minCe"),
    voltage("me_U3max", 7, "ed_U3maxCe"),
    tenths("me_I1max", 8, 0, 3000, true, CurrentDefault),
    tenths("me_I2max", 9, 0, 3000, true, CurrentDefault),
    tenths("me_I3max", 14, 0, 3000, true, CurrentDefault),
    group("ed_hystMax_I1", 15, "sb_hystMax_I1", 10, "ed_hystMax_I2", "ed_hystMax_I3", {true, 10, true}),
    group("ed_I1max_verz", 57, "sb_i1max_verz", 300, "ed_I2max_verz", "ed_I3max_verz", {true, 3, true}),
    integer("ed_u3min_verz", 55, "sb_u3min_verz", 300),
    integer("ed_hystMinU3", 12, "sb_hystMinU3", 20),
    {.control = "me_templow",
     .word = 49,
     .enc = Enc::SignedTenths,
     .h = {-40, 60},
     .key = Key::Signed,
     .fillClamp = true},
    tenths("me_temp", 50, 20, 99.9, true),
    integer("ed_temp_del", 469, "sb_temp_del", 300),
    integer("ed_hysTemp", 51, "sb_hysTemp", 20),
    tenths("me_battery", 91, 0, 300, true),
    integer("ed_batt_del", 470, "sb_batt_del", 300),
    // Left empty, the field takes the focus back without a word.
    {.control = "ed_batt_hys",
     .word = 540,
     .h = {0, 20},
     .spin = "sb_batt_hys",
     .key = Key::Num,
     .empty = kit::Empty::Silent},
    integer("ed_riso_err", 476, "sb_riso_err", 500, 10),
    integer("ed_riso_err_verz", 56, "sb_riso_err_verz", 300),
    integer("ed_riso_hys", 542, "sb_riso_hys", 20),
};
} // namespace

TThresholdsPage::TThresholdsPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 4, sheet), ui(setUpForm<Ui::TThresholdsPageForm>(sheet)), m_kit(this, sheet, Fields)
{}

TThresholdsPage::~TThresholdsPage() = default;

void TThresholdsPage::ShowThresholdsPage()
{
    m_kit.fill();
}

void TThresholdsPage::CollectThresholdsPage()
{
    m_kit.collect();
}
