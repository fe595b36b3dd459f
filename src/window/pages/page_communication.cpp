#include "page_communication.h"

#include "ui_page_communication.h"

using kit::Field;

namespace {
// No key filter: every key reaches these edits; the exits clamp, the spins wrap.
constexpr Field Fields[] = {
    {.control = "ed_MB_Addr", .word = 512, .h = {16, 31}, .spin = "sb_MB_addr"},
    {.control = "ed_MenueItem", .word = 644, .h = {1, 17}, .spin = "SpinButton2"},
    {.control = "ed_RecOff", .word = 645, .h = {0, 16}, .spin = "SpinButton3"},
    {.control = "cb_EffEnable", .word = 630, .enc = kit::Enc::NonZero},
    {.control = "ed_MinRecs", .word = 631, .h = {1, 32}, .spin = "SpinButton4"},
    {.control = "ed_Shuffle", .word = 632, .h = {10, 3600}, .spin = "SpinButton5"},
};
} // namespace

TCommunicationPage::TCommunicationPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 7, sheet), ui(setUpForm<Ui::TCommunicationPageForm>(sheet)), m_kit(this, sheet, Fields)
{}

TCommunicationPage::~TCommunicationPage() = default;

void TCommunicationPage::ShowCommunicationPage()
{
    m_kit.fill();
}

void TCommunicationPage::CollectCommunicationPage()
{
    m_kit.collect();
}
