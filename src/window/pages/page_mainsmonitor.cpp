#include "page_mainsmonitor.h"

#include "ui_page_mainsmonitor.h"

using kit::Enc;
using kit::Field;

namespace {
constexpr int PhaseWord = 60; // L1 bit 2, L2 bit 1, L3 bit 0

constexpr Field Fields[] = {
    {.control = "cb_MM1_L1", .word = PhaseWord, .enc = Enc::Bit, .bit = 2},
    {.control = "cb_MM1_L2", .word = PhaseWord, .enc = Enc::Bit, .bit = 1},
    {.control = "cb_MM1_L3", .word = PhaseWord, .enc = Enc::Bit, .bit = 0},
    {.control = "ed_Vgr", .word = 59, .h = {5, 20}, .spin = "sb_Vgr", .key = kit::Key::Num},
    {.control = "ed_Vkl", .word = 58, .h = {5, 20}, .spin = "sb_Vkl", .key = kit::Key::Num},
    {.control = "ed_Vdelay", .word = 468, .h = {0, 3600}, .spin = "sb_Vdelay", .key = kit::Key::Num},
    {.control = "cb_display_U", .word = 61, .enc = Enc::Bit, .bit = 0},
    {.control = "cb_display_I", .word = 62, .enc = Enc::Bit, .bit = 0},
};
} // namespace

TMainsMonitorPage::TMainsMonitorPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 12, sheet), ui(setUpForm<Ui::TMainsMonitorPageForm>(sheet)), m_kit(this, sheet, Fields)
{}

TMainsMonitorPage::~TMainsMonitorPage() = default;

void TMainsMonitorPage::ShowMainsMonitorPage()
{
    m_kit.fill();
}

void TMainsMonitorPage::CollectMainsMonitorPage()
{
    m_kit.collect();
}
