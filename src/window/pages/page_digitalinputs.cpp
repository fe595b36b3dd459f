#include "page_digitalinputs.h"

#include "ui_page_digitalinputs.h"

#include "globals.h"

using kit::Enc;
using kit::Field;
using kit::integer;
using kit::onlyWhile;
using kit::radioBit;

namespace {
constexpr int InputBoardWord = 617;
constexpr int UnitBreakContactWord = 473;  // bit n-1 set: input n is active while open
constexpr int BoardBreakContactWord = 619; // the same for the board's inputs

constexpr Field name(const char *edit, int word, bool board = false)
{
    return {.control = edit,
            .word = word,
            .enc = Enc::Text16,
            .onlyIfWord = board ? InputBoardWord : -1,
            .storeOnlyIf = board};
}

constexpr Field Fields[] = {
    name("ed_dig_input1", 321),
    name("ed_dig_input2", 329),
    name("ed_dig_input3", 337),
    name("ed_dig_input4", 345),
    name("ed_dig_input5", 353),
    name("ed_dig_input6", 361),
    name("ed_dig_input7", 369),
    name("ed_dig_input8", 377),
    name("ed_rk1_input1", 385, true),
    name("ed_rk1_input2", 393, true),
    name("ed_rk1_input3", 401, true),
    name("ed_rk1_input4", 409, true),
    name("ed_rk1_input5", 417, true),
    name("ed_rk1_input6", 425, true),
    name("ed_rk1_input7", 433, true),
    name("ed_rk1_input8", 441, true),
    integer("ed_dig_inp1_verz", 562, "sb_dig_inp1_verz", 250),
    integer("ed_dig_inp2_verz", 563, "sb_dig_inp2_verz", 250),
    integer("ed_dig_inp3_verz", 564, "sb_dig_inp3_verz", 250),
    integer("ed_dig_inp4_verz", 565, "sb_dig_inp4_verz", 250),
    integer("ed_dig_inp5_verz", 566, "sb_dig_inp5_verz", 250),
    integer("ed_dig_inp6_verz", 567, "sb_dig_inp6_verz", 250),
    integer("ed_dig_inp7_verz", 568, "sb_dig_inp7_verz", 250),
    integer("ed_dig_inp8_verz", 569, "sb_dig_inp8_verz", 250),
    onlyWhile(integer("ed_rk1_inp1_verz", 620, "sb_rk1_inp1_verz", 250), InputBoardWord),
    onlyWhile(integer("ed_rk1_inp2_verz", 621, "sb_rk1_inp2_verz", 250), InputBoardWord),
    onlyWhile(integer("ed_rk1_inp3_verz", 622, "sb_rk1_inp3_verz", 250), InputBoardWord),
    onlyWhile(integer("ed_rk1_inp4_verz", 623, "sb_rk1_inp4_verz", 250), InputBoardWord),
    onlyWhile(integer("ed_rk1_inp5_verz", 624, "sb_rk1_inp5_verz", 250), InputBoardWord),
    onlyWhile(integer("ed_rk1_inp6_verz", 625, "sb_rk1_inp6_verz", 250), InputBoardWord),
    onlyWhile(integer("ed_rk1_inp7_verz", 626, "sb_rk1_inp7_verz", 250), InputBoardWord),
    onlyWhile(integer("ed_rk1_inp8_verz", 627, "sb_rk1_inp8_verz", 250), InputBoardWord),
    radioBit("rb_dig_inp1_oef", "rb_dig_inp1_sch", UnitBreakContactWord, 0),
    radioBit("rb_dig_inp2_oef", "rb_dig_inp2_sch", UnitBreakContactWord, 1),
    radioBit("rb_dig_inp3_oef", "rb_dig_inp3_sch", UnitBreakContactWord, 2),
    radioBit("rb_dig_inp4_oef", "rb_dig_inp4_sch", UnitBreakContactWord, 3),
    radioBit("rb_dig_inp5_oef", "rb_dig_inp5_sch", UnitBreakContactWord, 4),
    radioBit("rb_dig_inp6_oef", "rb_dig_inp6_sch", UnitBreakContactWord, 5),
    radioBit("rb_dig_inp7_oef", "rb_dig_inp7_sch", UnitBreakContactWord, 6),
    radioBit("rb_dig_inp8_oef", "rb_dig_inp8_sch", UnitBreakContactWord, 7),
    onlyWhile(radioBit("rb_rk1_inp1_oef", "rb_rk1_inp1_sch", BoardBreakContactWord, 0), InputBoardWord),
    onlyWhile(radioBit("rb_rk1_inp2_oef", "rb_rk1_inp2_sch", BoardBreakContactWord, 1), InputBoardWord),
    onlyWhile(radioBit("rb_rk1_inp3_oef", "rb_rk1_inp3_sch", BoardBreakContactWord, 2), InputBoardWord),
    onlyWhile(radioBit("rb_rk1_inp4_oef", "rb_rk1_inp4_sch", BoardBreakContactWord, 3), InputBoardWord),
    onlyWhile(radioBit("rb_rk1_inp5_oef", "rb_rk1_inp5_sch", BoardBreakContactWord, 4), InputBoardWord),
    onlyWhile(radioBit("rb_rk1_inp6_oef", "rb_rk1_inp6_sch", BoardBreakContactWord, 5), InputBoardWord),
    onlyWhile(radioBit("rb_rk1_inp7_oef", "rb_rk1_inp7_sch", BoardBreakContactWord, 6), InputBoardWord),
    onlyWhile(radioBit("rb_rk1_inp8_oef", "rb_rk1_inp8_sch", BoardBreakContactWord, 7), InputBoardWord),
};
} // namespace

TDigitalInputsPage::TDigitalInputsPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 3, sheet), ui(setUpForm<Ui::TDigitalInputsPageForm>(sheet)), m_kit(this, sheet, Fields)
{}

TDigitalInputsPage::~TDigitalInputsPage() = default;

void TDigitalInputsPage::ShowDigitalInputsPage()
{
    // Showing the board's group again is the Devices page's business.
    if (G.ParamImage[InputBoardWord] != 1)
        ui->GroupBox21->hide();
    m_kit.fill();
}

void TDigitalInputsPage::CollectDigitalInputsPage()
{
    m_kit.collect();
    // The contact-type words hold the eight inputs only.
    G.ParamImage[UnitBreakContactWord] &= 0x00FF;
    G.ParamImage[BoardBreakContactWord] &= 0x00FF;
}
