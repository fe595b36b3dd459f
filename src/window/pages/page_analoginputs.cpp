#include "page_analoginputs.h"

#include "ui_page_analoginputs.h"

#include "controls.h"
#include "dispatch.h"

#include <QLineEdit>
#include <QScopedValueRollback>

using kit::Enc;
using kit::Field;

namespace {
// The labels of the six channels, in collector order, then the shunts of the three
// current channels (amperes).
constexpr Field label(const char *edit, int word)
{
    return {.control = edit, .word = word, .enc = Enc::Text8};
}
constexpr Field shunt(const char *edit, int word, const char *spin)
{
    return {.control = edit, .word = word, .h = {0, 3000}, .spin = spin, .key = kit::Key::Num};
}

constexpr Field Fields[] = {
    label("ed_B1Udc1", 281),
    label("ed_B1Udc2", 286),
    label("ed_B1Udc3", 291),
    label("ed_B1Idc1", 301),
    label("ed_B1Idc2", 306),
    label("ed_B1Idc3", 311),
    shunt("ed_shunt_idc1", 20, "sb_shunt_idc1"),
    shunt("ed_shunt_idc2", 21, "sb_shunt_idc2"),
    shunt("ed_shunt_idc3", 22, "sb_shunt_idc3"),
};

constexpr int ItemYes = 0;
constexpr int ItemNo = 1;

// The Tag of a row's group and edit: bits 3..4 the group number, bit 2 the kind
// (0 voltage, 1 current), bits 0..1 the channel number.
struct RowTag
{
    int group;
    QChar letter;
    int channel;
};
RowTag rowTag(const QObject *control)
{
    const int tag = control->property("Tag").toInt();
    return {(tag >> 3) & 3, (tag & 4) ? QLatin1Char('I') : QLatin1Char('U'), tag & 3};
}
QString editName(const RowTag &t)
{
    return QStringLiteral("ed_B%1%2dc%3").arg(t.group).arg(t.letter).arg(t.channel);
}
QString groupName(const RowTag &t)
{
    return QStringLiteral("rg_B%1_%2dc%3").arg(t.group).arg(t.letter).arg(t.channel);
}
} // namespace

TAnalogInputsPage::TAnalogInputsPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 2, sheet), ui(setUpForm<Ui::TAnalogInputsPageForm>(sheet)), m_kit(this, sheet, Fields)
{
    for (TRadioGroup *group :
         {ui->rg_B1_udc1, ui->rg_B1_udc2, ui->rg_B1_udc3, ui->rg_B1_Idc1, ui->rg_B1_Idc2, ui->rg_B1_Idc3})
        connect(group, &TRadioGroup::groupClicked, this,
                [this, group] { runGuarded([this, group] { rg_I_UdcClick(group); }); });
    for (QLineEdit *edit :
         {ui->ed_B1Udc1, ui->ed_B1Udc2, ui->ed_B1Udc3, ui->ed_B1Idc1, ui->ed_B1Idc2, ui->ed_B1Idc3})
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit] { runGuarded([this, edit] { ed_UIdc_Change(edit); }); });
}

TAnalogInputsPage::~TAnalogInputsPage() = default;

void TAnalogInputsPage::ShowAnalogInputsPage()
{
    {
        const QScopedValueRollback<bool> busy(m_analogTextsBusy, true);
        m_kit.fill();
    }
    sheet()->setFocus();
}

void TAnalogInputsPage::CollectAnalogInputsPage()
{
    m_kit.collect();
}

void TAnalogInputsPage::ed_UIdc_Change(QLineEdit *sender)
{
    auto *group = FindControlAs<TRadioGroup>(sheet(), groupName(rowTag(sender)));
    const QString text = sender->text();
    const bool yes = !text.isEmpty() && text != QLatin1String("00000000");
    if (group)
        group->setItemIndex(yes ? ItemYes : ItemNo);
    sender->setEnabled(yes);
    // "No" empties the label also when the group already stood at "No".
    if (!yes && !text.isEmpty())
        sender->clear();
}

void TAnalogInputsPage::rg_I_UdcClick(TRadioGroup *sender)
{
    const RowTag tag = rowTag(sender);
    auto *edit = FindControlAs<QLineEdit>(sheet(), editName(tag));
    if (!edit)
        return;
    if (sender->itemIndex() == ItemYes && !m_analogTextsBusy) {
        edit->setText(QStringLiteral("%1dc%2 :  ").arg(tag.letter).arg(tag.channel));
        edit->setFocus();
    } else if (sender->itemIndex() == ItemNo) {
        edit->clear();
    }
}
