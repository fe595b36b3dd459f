#include "page_outputs.h"

#include "ui_page_outputs.h"

#include "globals.h"

using kit::Enc;
using kit::Field;

namespace {
constexpr int DelayWord = 120;
constexpr int ContactWord = 472; // a set bit: the relay is on while its signal is inactive
constexpr int RelayBoardWord = 618;

constexpr Field delay(const char *edit, int word, const char *spin)
{
    return {.control = edit, .word = word, .h = {0, 300}, .spin = spin, .key = kit::Key::Num};
}
// A relay of the board: 1..300 s; filled only while the board is present.
constexpr Field boardDelay(const char *edit, int word, const char *spin)
{
    return {.control = edit,
            .word = word,
            .h = {1, 300},
            .spin = spin,
            .key = kit::Key::Num,
            .onlyIfWord = RelayBoardWord};
}
constexpr Field contact(const char *inactive, const char *active, int bit, bool board = false)
{
    return {.control = inactive,
            .word = ContactWord,
            .enc = Enc::Bit,
            .bit = bit,
            .partner = active,
            .onlyIfWord = board ? RelayBoardWord : -1};
}

constexpr Field Fields[] = {
    delay("ed_alarmA", DelayWord + 2, "sb_alarmA"),
    delay("ed_alarmB", DelayWord + 3, "sb_alarmB"),
    delay("ed_LED_S1", DelayWord + 0, "sb_LED_S1"),
    delay("ed_LED_S2", DelayWord + 1, "sb_LED_S2"),
    delay("ed_rel_K1", DelayWord + 4, "sb_rel_K1"),
    delay("ed_rel_K2", DelayWord + 5, "sb_rel_K2"),
    contact("rb_alarmA_Oef", "rb_alarmA_Sch", 0),
    contact("rb_alarmB_Oef", "rb_alarmB_Sch", 1),
    contact("rb_relK1_Oef", "rb_relK1_Sch", 2),
    contact("rb_relK2_Oef", "rb_relK2_Sch", 3),
    boardDelay("ed_K11_verz", 126, "sb_K11_verz"),
    boardDelay("ed_K12_verz", 127, "sb_K12_verz"),
    boardDelay("ed_K13_verz", 128, "sb_K13_verz"),
    boardDelay("ed_K14_verz", 129, "sb_K14_verz"),
    boardDelay("ed_K15_verz", 130, "sb_K15_verz"),
    boardDelay("ed_K16_verz", 131, "sb_K16_verz"),
    boardDelay("ed_K17_verz", 132, "sb_K17_verz"),
    boardDelay("ed_K18_verz", 133, "sb_K18_verz"),
    contact("sb_K11_Oef", "sb_K11_Sch", 4, true),
    contact("sb_K12_Oef", "sb_K12_Sch", 5, true),
    contact("sb_K13_Oef", "sb_K13_Sch", 6, true),
    contact("sb_K14_Oef", "sb_K14_Sch", 7, true),
    contact("sb_K15_Oef", "sb_K15_Sch", 8, true),
    contact("sb_K16_Oef", "sb_K16_Sch", 9, true),
    contact("sb_K17_Oef", "sb_K17_Sch", 10, true),
    contact("sb_K18_Oef", "sb_K18_Sch", 11, true),
};
} // namespace

TOutputsPage::TOutputsPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 6, sheet), ui(setUpForm<Ui::TOutputsPageForm>(sheet)), m_kit(this, sheet, Fields)
{}

TOutputsPage::~TOutputsPage() = default;

void TOutputsPage::ShowOutputsPage()
{
    // The relay board's group is hidden without the board; showing it again is the
    // Devices page's business.
    if (G.ParamImage[RelayBoardWord] != 1)
        ui->GroupBox7->hide();
    m_kit.fill();
}

void TOutputsPage::CollectOutputsPage()
{
    // The board's words and bits are stored from its controls, present or not.
    m_kit.collect();
}
