#include "pagekit.h"

#include "controls.h"
#include "dispatch.h"
#include "encodings.h"
#include "entrylimit.h"
#include "fieldtext.h"
#include "globals.h"
#include "imagetexts.h"
#include "keyfilters.h"
#include "lcdpopup.h"
#include "textcodec.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>

namespace {
const QColor Aqua(0, 255, 255);
const QString GiveValidValue = QStringLiteral("Give a valid value please!");

QLineEdit *editOf(QWidget *w)
{
    return qobject_cast<QLineEdit *>(w);
}

QString textOf(QWidget *w)
{
    const QLineEdit *e = editOf(w);
    return e ? e->text() : QString();
}

void setTextOf(QWidget *w, const QString &text)
{
    if (QLineEdit *e = editOf(w))
        e->setText(text);
}

bool isChecked(QWidget *w)
{
    const auto *b = qobject_cast<QAbstractButton *>(w);
    return b && b->isChecked();
}

void setChecked(QWidget *w, bool on)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->setChecked(on);
}

int decimalsOf(kit::Enc enc)
{
    switch (enc) {
    case kit::Enc::TenthsUp:
    case kit::Enc::TenthsEven:
    case kit::Enc::SignedTenths:
    case kit::Enc::SignedTenthsEven:
        return 1;
    case kit::Enc::Hundredths:
        return 2;
    default:
        return 0;
    }
}

bool isReal(kit::Enc enc)
{
    return decimalsOf(enc) > 0;
}

void installKeyFilter(QWidget *w, kit::Key key)
{
    using kit::Key;
    if (!w)
        return;
    if (key == Key::Num)
        installKeyPressFilter(w, edNumKeyPress);
    else if (key == Key::Real)
        installKeyPressFilter(w, edRealNumKeyPress);
    else if (key == Key::Signed)
        installKeyPressFilter(w, edRealNumKeyPress1);
    else if (key == Key::Tk)
        installKeyPressFilter(w, em_TkKeyPress);
    else if (key == Key::TkMin)
        installKeyPressFilter(w, em_TkminKeyPress);
}

bool conditionHolds(const kit::Field &f)
{
    return f.onlyIfWord < 0 || f.onlyIfWord >= ImageWordCount || G.ParamImage[f.onlyIfWord] == f.onlyIfValue;
}
} // namespace

void setAquaBackground(QWidget *widget, bool aqua)
{
    if (!widget)
        return;
    QPalette pal = widget->palette();
    const QPalette standard = QApplication::palette(widget);
    if (qobject_cast<QLineEdit *>(widget)) {
        pal.setColor(QPalette::Base, aqua ? Aqua : standard.color(QPalette::Base));
        // A disabled field's pale grey text would be hard to read on aqua.
        pal.setColor(QPalette::Disabled, QPalette::Text,
                     aqua ? QColor(90, 90, 90) : standard.color(QPalette::Disabled, QPalette::Text));
    } else {
        // Check boxes and radio buttons paint their background in the button colour.
        const QPalette::ColorRole role = widget->backgroundRole();
        pal.setColor(role, aqua ? Aqua : standard.color(role));
        widget->setAutoFillBackground(aqua);
    }
    widget->setPalette(pal);
}

bool hasAquaBackground(const QWidget *widget)
{
    if (!widget)
        return false;
    const QPalette::ColorRole role =
        qobject_cast<const QLineEdit *>(widget) ? QPalette::Base : widget->backgroundRole();
    return widget->palette().color(role) == Aqua;
}

namespace kit {

FieldKit::FieldKit(QObject *owner, QWidget *root, std::span<const Field> table)
    : m_owner(owner), m_root(root), m_table(table)
{
    bind();
}

QWidget *FieldKit::lookup(const char *name)
{
    if (!name)
        return nullptr;
    QWidget *w = FindControl(m_root, QLatin1String(name));
    if (!w)
        m_unresolved << QLatin1String(name);
    return w;
}

void FieldKit::bind()
{
    m_bound.reserve(m_table.size());
    for (const Field &f : m_table) {
        Bound b{&f,
                lookup(f.control),
                lookup(f.partner),
                {lookup(f.copy1), lookup(f.copy2)},
                lookup(f.perCell),
                lookup(f.collectIf)};
        m_bound.push_back(b);
        QWidget *w = b.control;
        if (!w)
            continue;
        const Field *row = &f;
        // Every edit the kit writes to shows a text set by code whole; the layout's length
        // limits what the user enters.
        for (QWidget *written : {w, b.copies[0].data(), b.copies[1].data(), b.perCell.data()})
            limitEntry(editOf(written));
        if (auto *edit = editOf(w); edit && (f.enc == Enc::Text8 || f.enc == Enc::Text16))
            installLcdPopup(edit);
        // A per-cell edit takes the keys of its total.
        installKeyFilter(w, f.key);
        installKeyFilter(b.perCell, f.key);

        if (f.perCell) {
            if (auto *edit = editOf(w))
                QObject::connect(edit, &QLineEdit::textChanged, m_owner,
                                 [this, row] { runGuarded([this, row] { totalChange(*row); }); });
            if (auto *edit = editOf(b.perCell))
                QObject::connect(edit, &QLineEdit::textChanged, m_owner,
                                 [this, row] { runGuarded([this, row] { perCellChange(*row); }); });
            connectExit(w, m_owner, [this, row] { totalExit(*row); });
            connectExit(b.perCell, m_owner, [this, row] { perCellExit(*row); });
        } else if (!f.ownExit && editOf(w) && (f.h.set() || f.empty != Empty::Convert)) {
            connectExit(w, m_owner, [this, row] { fieldExit(*row); });
        }

        if (f.spin) {
            auto *spin = qobject_cast<TSpinButton *>(lookup(f.spin));
            if (!spin)
                continue;
            spin->setFocusControl(w);
            QObject::connect(spin, &TSpinButton::upClicked, m_owner,
                             [this, row] { runGuarded([this, row] { spinUp(*row); }); });
            QObject::connect(spin, &TSpinButton::downClicked, m_owner,
                             [this, row] { runGuarded([this, row] { spinDown(*row); }); });
        }
    }
}

QWidget *FieldKit::control(const char *name) const
{
    const Field *f = row(name);
    const Bound *b = f ? boundOf(*f) : nullptr;
    return b ? b->control.data() : nullptr;
}

const Field *FieldKit::row(const char *name) const
{
    for (const Field &f : m_table)
        if (QLatin1String(f.control).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const FieldKit::Bound *FieldKit::boundOf(const Field &f) const
{
    for (const Bound &b : m_bound)
        if (b.field == &f)
            return &b;
    return nullptr;
}

Limits FieldKit::limitsOf(const Field &f) const
{
    if (m_limitsHook)
        if (const std::optional<Limits> own = m_limitsHook(f))
            return *own;
    return G.VoltageRange == 1 || !f.l.set() ? f.h : f.l;
}

QString FieldKit::wordText(const Field &f, quint16 word)
{
    switch (f.enc) {
    case Enc::TenthsUp:
    case Enc::TenthsEven:
        return TenthsText(word);
    case Enc::SignedTenths:
        return FloatToFixedText(enc::fromSignedTenths(word), 1);
    case Enc::SignedTenthsEven:
        return FloatToFixedText(enc::toSignedInteger(word) / 10.0, 1);
    case Enc::SignedInteger:
        return QString::number(enc::toSignedInteger(word));
    case Enc::Year:
        return QString::number(enc::wordToYear(word));
    case Enc::TimeOfDay:
        return enc::minutesToHhmm(word);
    case Enc::Hundredths:
        return FloatToFixedText(enc::fromHundredths(word), 2);
    case Enc::MinutesOfSeconds:
        return QString::number(enc::secondsToMinutes(word));
    case Enc::AmpsOfTenths:
        return QString::number(word / 10);
    default:
        return QString::number(word);
    }
}

QString FieldKit::valueText(const Field &f, double value)
{
    return isReal(f.enc) ? FloatToFixedText(value, decimalsOf(f.enc)) : QString::number(qint64(value));
}

// ---- fill and collect ----

void FieldKit::fill()
{
    for (const Bound &b : m_bound) {
        if (!b.control || !conditionHolds(*b.field))
            continue;
        fillRow(b);
        fillOldData(b);
        const Field &f = *b.field;
        if (f.fillClamp && isReal(f.enc) && f.h.set()) {
            const Limits lim = limitsOf(f);
            setTextOf(b.control, ClampFloatText(textOf(b.control), decimalsOf(f.enc), lim.max, lim.min));
        }
        copyOut(b);
    }
    showPerCell();
}

void FieldKit::showPerCell()
{
    for (const Bound &b : m_bound) {
        if (b.control && b.perCell && conditionHolds(*b.field))
            setTextOf(b.perCell, PerCellText(StrToFloat(textOf(b.control)), G.CellCount));
    }
}

void FieldKit::fillRow(const Bound &b)
{
    const Field &f = *b.field;
    if (f.word < 0 || f.word >= ImageWordCount)
        return;
    const quint16 word = G.ParamImage[f.word];
    switch (f.enc) {
    case Enc::Bit:
        setChecked(b.control, enc::bitOf(word, f.bit));
        if (b.partner)
            setChecked(b.partner, !enc::bitOf(word, f.bit));
        return;
    case Enc::NonZero:
        setChecked(b.control, word != 0);
        return;
    case Enc::EqualsOne:
        setChecked(b.control, word == 1);
        return;
    case Enc::Flag:
        setChecked(b.control, enc::flagOf(word));
        return;
    case Enc::Choice:
        if (auto *group = qobject_cast<TRadioGroup *>(b.control.data())) {
            const int item = int(word) - f.bit;
            group->setItemIndex(item >= 0 && item < group->count() ? item : 0);
        }
        return;
    case Enc::Text8:
        setTextOf(b.control, GetImageText8(quint16(f.word)));
        return;
    case Enc::Text16:
        setTextOf(b.control, GetImageName16(quint16(f.word)));
        return;
    default:
        setTextOf(b.control, wordText(f, word));
    }
}

void FieldKit::fillOldData(const Bound &b)
{
    const Field &f = *b.field;
    if (!f.old.on)
        return;
    const bool old = !G.WriteAccepted;
    if (old) {
        switch (f.enc) {
        case Enc::Bit:
            setChecked(b.control, f.old.value != 0);
            if (b.partner)
                setChecked(b.partner, f.old.value == 0);
            break;
        case Enc::NonZero:
        case Enc::EqualsOne:
        case Enc::Flag:
            setChecked(b.control, f.old.value != 0);
            break;
        case Enc::Choice:
            if (auto *group = qobject_cast<TRadioGroup *>(b.control.data()))
                group->setItemIndex(int(f.old.value) - f.bit);
            break;
        default:
            setTextOf(b.control, valueText(f, f.old.value));
        }
        if (f.old.store)
            collectRow(b);
    }
    if (!f.old.mark)
        return;
    // A radio pair is marked on the panel that holds it.
    QWidget *marked = f.enc == Enc::Bit && b.partner ? b.control->parentWidget() : b.control.data();
    setAquaBackground(marked, old);
    for (const QPointer<QWidget> &copy : b.copies)
        setAquaBackground(copy, old);
}

void FieldKit::collect()
{
    for (const Bound &b : m_bound)
        if ((b.control || b.field->enc == Enc::ClearBits) && (!b.field->collectIf || isChecked(b.collectIf)))
            collectRow(b);
}

void FieldKit::collectRow(const Bound &b)
{
    const Field &f = *b.field;
    if (f.word < 0 || f.word >= ImageWordCount || f.enc == Enc::Shown || (f.storeOnlyIf && !conditionHolds(f)))
        return;
    quint16 &word = G.ParamImage[f.word];
    const QString text = textOf(b.control);
    switch (f.enc) {
    case Enc::Integer:
        word = enc::plainInteger(StrToInt(text));
        break;
    case Enc::TenthsUp:
        word = enc::tenthsHalfUp(StrToFloat(text));
        break;
    case Enc::TenthsEven:
        word = enc::tenthsHalfEven(StrToFloat(text));
        break;
    case Enc::SignedTenths:
        word = enc::signedTenthsHalfAway(StrToFloat(text));
        break;
    case Enc::SignedTenthsEven:
        word = enc::signedTenthsHalfEven(StrToFloat(text));
        break;
    case Enc::SignedInteger:
        word = enc::signedInteger(StrToInt(text));
        break;
    case Enc::Year:
        word = enc::yearToWord(StrToInt(text));
        break;
    case Enc::TimeOfDay:
        word = TimeTextToMinutes(text);
        break;
    case Enc::Hundredths:
        word = enc::hundredthsHalfUp(StrToFloat(text));
        break;
    case Enc::MinutesOfSeconds:
        word = enc::minutesToSeconds(StrToInt(text));
        break;
    case Enc::AmpsOfTenths:
        word = enc::plainInteger(qint64(StrToInt(text)) * 10);
        break;
    case Enc::Bit:
        word = enc::withBit(word, f.bit, isChecked(b.control));
        break;
    case Enc::NonZero:
    case Enc::EqualsOne:
    case Enc::Flag:
        word = isChecked(b.control) ? 1 : 0;
        break;
    case Enc::ClearBits:
        word &= quint16(~f.bit);
        break;
    case Enc::Choice:
        if (auto *group = qobject_cast<TRadioGroup *>(b.control.data()))
            word = quint16(qMax(0, group->itemIndex()) + f.bit);
        break;
    case Enc::Text8:
        StoreText8(quint16(f.word), text);
        break;
    case Enc::Text16:
        StoreText16(quint16(f.word), text);
        break;
    case Enc::Shown:
        break;
    }
}

void FieldKit::copyOut(const Bound &b)
{
    for (const QPointer<QWidget> &copy : b.copies)
        setTextOf(copy, textOf(b.control));
}

// ---- field handlers ----

void FieldKit::refuseEmpty(const Bound &, QWidget *field, Empty how) const
{
    if (how == Empty::Convert || !textOf(field).trimmed().isEmpty())
        return;
    throw FieldRefusal(field, how == Empty::Refuse ? GiveValidValue : QString());
}

void FieldKit::fieldExit(const Field &f)
{
    const Bound *b = boundOf(f);
    if (!b || !b->control)
        return;
    refuseEmpty(*b, b->control, f.empty);
    const Limits lim = limitsOf(f);
    if (!lim.set())
        return;
    const QString text = textOf(b->control);
    setTextOf(b->control, isReal(f.enc) ? ClampFloatText(text, decimalsOf(f.enc), lim.max, lim.min)
                                        : ClampIntText(text, int(lim.max), int(lim.min)));
}

void FieldKit::spinUp(const Field &f)
{
    spin(f, true);
}

void FieldKit::spinDown(const Field &f)
{
    spin(f, false);
}

void FieldKit::spin(const Field &f, bool up)
{
    const Bound *b = boundOf(f);
    if (!b || !b->control)
        return;
    const Limits lim = f.spinRange.set() ? f.spinRange : limitsOf(f);
    const QString text = textOf(b->control);
    setTextOf(b->control, up ? StepUpIntText(text, int(lim.max), int(lim.min), f.step)
                             : StepDownIntText(text, int(lim.max), int(lim.min), f.step));
    copyOut(*b);
}

void FieldKit::setPartnerText(QWidget *partner, const QString &text)
{
    // The partner's change handler must not echo the text back: the focus may already
    // sit in the partner while the exit that writes it runs.
    const bool wasSetting = m_settingPartner;
    m_settingPartner = true;
    setTextOf(partner, text);
    m_settingPartner = wasSetting;
}

void FieldKit::totalChange(const Field &f)
{
    const Bound *b = boundOf(f);
    if (m_settingPartner || !b || !b->control || !b->perCell || !b->control->hasFocus())
        return;
    const QString text = textOf(b->control);
    if (!text.isEmpty())
        setPartnerText(b->perCell, PerCellText(StrToFloat(text), G.CellCount));
}

void FieldKit::perCellChange(const Field &f)
{
    const Bound *b = boundOf(f);
    if (m_settingPartner || !b || !b->control || !b->perCell || !b->perCell->hasFocus())
        return;
    const QString text = textOf(b->perCell);
    // Without a cell count there is no total to compute: the total keeps its value.
    if (!text.isEmpty() && G.CellCount != 0)
        setPartnerText(b->control, FloatToFixedText(StrToFloat(text) * G.CellCount, f.perCellDecimals));
}

void FieldKit::totalExit(const Field &f)
{
    const Bound *b = boundOf(f);
    if (!b || !b->control)
        return;
    refuseEmpty(*b, b->control, Empty::Refuse);
    const Limits lim = limitsOf(f);
    const QString clamped = lim.set()
                                ? ClampFloatText(textOf(b->control), decimalsOf(f.enc), lim.max, lim.min)
                                : textOf(b->control);
    setPartnerText(b->control, clamped);
    if (b->perCell)
        setPartnerText(b->perCell, PerCellText(StrToFloat(clamped), G.CellCount));
}

void FieldKit::perCellExit(const Field &f)
{
    const Bound *b = boundOf(f);
    if (!b || !b->perCell)
        return;
    refuseEmpty(*b, b->perCell, Empty::Refuse);
    totalExit(f);
}

} // namespace kit
