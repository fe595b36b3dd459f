#include "page_outputs.h"

#include "ui_page_outputs.h"

#include "globals.h"

using kit::Enc;
using kit::Field;
using kit::integer;
using kit::onlyWhile;
using kit::radioBit;

namespace {
constexpr int DelayWord = 120;
constexpr int ContactWord = 472; // a set bit: the relay is on while its signal is inactive
constexpr int RelayBoardWord = 618;

constexpr Field Fields[] = {
    integer("ed_alarmA", DelayWord + 2, "sb_alarmA", 300),
    integer("ed_alarmB", DelayWord + 3, "sb_alarmB", 300),
    integer("ed_LED_S1", DelayWord + 0, "sb_LED_S1", 300),
    integer("ed_LED_S2", DelayWord + 1, "sb_LED_S2", 300),
    integer("ed_rel_K1", DelayWord + 4, "sb_rel_K1", 300),
    integer("ed_rel_K2", DelayWord + 5, "sb_rel_K2", 300),
    radioBit("rb_alarmA_Oef", "rb_alarmA_Sch", ContactWord, 0),
    radioBit("rb_alarmB_Oef", "rb_alarmB_Sch", ContactWord, 1),
    radioBit("rb_relK1_Oef", "rb_relK1_Sch", ContactWord, 2),
    radioBit("rb_relK2_Oef", "rb_relK2_Sch", ContactWord, 3),
    onlyWhile(integer("ed_K11_verz", 126, "sb_K11_verz", 300, 1), RelayBoardWord),
    onlyWhile(integer("ed_K12_verz", 127, "sb_K12_verz", 300, 1), RelayBoardWord),
    onlyWhile(integer("ed_K13_verz", 128, "sb_K13_verz", 300, 1), RelayBoardWord),
    onlyWhile(integer("ed_K14_verz", 129, "sb_K14_verz", 300, 1), RelayBoardWord),
    onlyWhile(integer("ed_K15_verz", 130, "sb_K15_verz", 300, 1), RelayBoardWord),
    onlyWhile(integer("ed_K16_verz", 131, "sb_K16_verz", 300, 1), RelayBoardWord),
    onlyWhile(integer("ed_K17_verz", 132, "sb_K17_verz", 300, 1), RelayBoardWord),
    onlyWhile(integer("ed_K18_verz", 133, "sb_K18_verz", 300, 1), RelayBoardWord),
    onlyWhile(radioBit("sb_K11_Oef", "sb_K11_Sch", ContactWord, 4), RelayBoardWord),
    onlyWhile(radioBit("sb_K12_Oef", "sb_K12_Sch", ContactWord, 5), RelayBoardWord),
    onlyWhile(radioBit("sb_K13_Oef", "sb_K13_Sch", ContactWord, 6), RelayBoardWord),
    onlyWhile(radioBit("sb_K14_Oef", "sb_K14_Sch", ContactWord, 7), RelayBoardWord),
    onlyWhile(radioBit("sb_K15_Oef", "sb_K15_Sch", ContactWord, 8), RelayBoardWord),
    onlyWhile(radioBit("sb_K16_Oef", "sb_K16_Sch", ContactWord, 9), RelayBoardWord),
    onlyWhile(radioBit("sb_K17_Oef", "sb_K17_Sch", ContactWord, 10), RelayBoardWord),
    onlyWhile(radioBit("sb_K18_Oef", "sb_K18_Sch", ContactWord, 11), RelayBoardWord),
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
