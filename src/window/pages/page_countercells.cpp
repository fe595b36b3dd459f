#include "page_countercells.h"

#include "ui_page_countercells.h"

using kit::Field;
using kit::voltage;

namespace {

constexpr Field Fields[] = {
    voltage("me_CountCell1_on", 545),
    voltage("me_CountCell1_off", 546),
    voltage("me_CountCell2_on", 547),
    voltage("me_CountCell2_off", 548),
    // 1 = Vdc1, 2 = Vdc2, 3 = Vdc3.
    {.control = "rg_VoltRef", .word = 549, .enc = kit::Enc::Choice, .bit = 1},
};
} // namespace

TCounterCellsPage::TCounterCellsPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 11, sheet), ui(setUpForm<Ui::TCounterCellsPageForm>(sheet)), m_kit(this, sheet, Fields)
{}

TCounterCellsPage::~TCounterCellsPage() = default;

void TCounterCellsPage::ShowCounterCellsPage()
{
    m_kit.fill();
}

void TCounterCellsPage::CollectCounterCellsPage()
{
    m_kit.collect();
}
