#pragma once
// The page kit. A page declares its fields as a table, one row per field: the control's
// object name, the image word and its encoding, the exit limits for the ranges H and L,
// the spin button with its range and step, the key filter, the disabled copies, the
// per-cell partner and the default shown for data of an old version. FieldKit binds the
// rows to the page's controls (exit clamps, spin buttons, key filters, per-cell pairs),
// fills them from ParamImage and collects them back. Rows stand in collector order, so
// that a field that cannot be converted stops the collector where its page expects.
//
// The edits of LCD texts (Text8, Text16) carry the popup menu of LCD texts (lcdpopup.h).
//
// What a table cannot say (a question, a rule across pages, a refusal of its own) stays
// a method of the page, named after its handler.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class QLineEdit;
class QWidget;
class TSpinButton;

// The background of a control that shows a default for data of an old version: aqua
// (0, 255, 255) when on, the system's colour otherwise. Works for edits (their base),
// and for check boxes, radio buttons and panels (the colour of their background role).
void setAquaBackground(QWidget *widget, bool aqua);
bool hasAquaBackground(const QWidget *widget);

namespace kit {

// How a field's text or check mark stands for its image word.
enum class Enc : quint8 {
    Integer,          // decimal text; stored clamped to 0..65535
    TenthsUp,         // one decimal; value x 10 rounded half up
    TenthsEven,       // one decimal; value x 10 rounded half to even
    SignedTenths,     // one decimal, two's complement, half away from zero; 0x8001.. negative
    SignedTenthsEven, // one decimal, plain two's complement (0x8000 is -3276.8), half to even
    SignedInteger,    // decimal text, two's complement
    Year,             // the year shown, year - 2000 stored
    TimeOfDay,        // minutes shown as "hh:mm"
    Hundredths,       // two decimals; value x 100 rounded half up
    MinutesOfSeconds, // whole minutes shown, seconds stored
    AmpsOfTenths,     // whole amperes shown, tenths stored
    Bit,              // bit `bit` of the word, the other bits kept: a check box, or a radio
                      // pair whose control is checked while the bit is set
    NonZero,          // check box checked when the word is not 0; stores 1 or 0
    EqualsOne,        // check box checked when the word is exactly 1; stores 1 or 0
    Flag,             // check box checked when bit 0 is set; stores 1 or 0
    Choice,           // radio group: item = word - `bit`; other words choose item 0;
                      // stores item + `bit` (no item chosen stores `bit`)
    Shown,            // shown only, never stored
    ClearBits,        // no control: the collector clears the bits of mask `bit` in the word
    Text8,            // LCD label of up to 8 characters in 4 words, NUL padded
    Text16,           // LCD name of 16 characters in 8 words, blank padded; shown without
                      // its trailing blanks and control characters
};

// Key filter of an edit.
enum class Key : quint8 { Any, Num, Real, Signed, Tk, TkMin };

// What the exit of a field does with an empty text: let the conversion fail (the error
// box), refuse with "Give a valid value please!", or take the focus back silently.
enum class Empty : quint8 { Convert, Refuse, Silent };

struct Limits
{
    double min = 0;
    double max = -1;
    constexpr bool set() const { return max >= min; }
};

// The default a field shows on aqua for data of an old version, and whether the filler
// also writes it into ParamImage.
struct OldData
{
    bool on = false;
    double value = 0;
    bool store = false;
    bool mark = true; // shown on aqua
};

struct Field
{
    const char *control = nullptr;
    int word = -1;
    Enc enc = Enc::Integer;
    int bit = 0; // Bit: the bit number; Choice: the word of item 0
    Limits h{};  // exit limits in range H, and in L unless `l` is set; none: no clamp
    Limits l{};
    const char *spin = nullptr;
    Limits spinRange{}; // the spin button's range where it differs from the exit limits
    int step = 1;
    Key key = Key::Any;
    const char *partner = nullptr; // radio pair: the button checked while the bit is clear
    const char *copy1 = nullptr;   // disabled copies: they show the field's text
    const char *copy2 = nullptr;
    const char *perCell = nullptr; // a total voltage's per-cell edit
    int perCellDecimals = 2;       // decimals of the total that typing a per-cell value writes
    bool fillClamp = false;        // the filler shows the value clamped to the exit limits
    Empty empty = Empty::Convert;
    bool ownExit = false; // the page binds the field's exit handler itself
    OldData old{};
    int onlyIfWord = -1; // filled only while this word holds `onlyIfValue`
    quint16 onlyIfValue = 1;
    const char *collectIf = nullptr; // stored only while this check box is checked
    bool storeOnlyIf = false;        // stored only while `onlyIfWord` holds `onlyIfValue`, too
};

// Row builders the pages' tables share.

// A whole number with its spin button; the spin wraps within the exit limits.
constexpr Field integer(const char *edit, int word, const char *spin, int max, int min = 0, OldData old = {})
{
    return {.control = edit,
            .word = word,
            .h = {double(min), double(max)},
            .spin = spin,
            .key = Key::Num,
            .old = old};
}
// One decimal with the same limits in both ranges.
constexpr Field tenths(const char *edit, int word, double min, double max, bool fillClamp = false,
                       OldData old = {})
{
    return {.control = edit,
            .word = word,
            .enc = Enc::TenthsUp,
            .h = {min, max},
            .key = Key::Real,
            .fillClamp = fillClamp,
            .old = old};
}
// A battery voltage: 0.0..300.0 V in range H, 0.0..80.0 V in range L, with its per-cell
// edit where it has one.
constexpr Field voltage(const char *edit, int word, const char *perCell = nullptr, int perCellDecimals = 2,
                        bool fillClamp = true)
{
    return {.control = edit,
            .word = word,
            .enc = Enc::TenthsUp,
            .h = {0, 300},
            .l = {0, 80},
            .key = Key::Real,
            .perCell = perCell,
            .perCellDecimals = perCellDecimals,
            .fillClamp = fillClamp};
}
// A radio pair on one bit of a word: `set` is checked while the bit is set, `clear`
// while it is clear.
constexpr Field radioBit(const char *set, const char *clear, int word, int bit, OldData old = {})
{
    return {.control = set, .word = word, .enc = Enc::Bit, .bit = bit, .partner = clear, .old = old};
}
// The row, filled only while `word` holds 1 (a board that is present).
constexpr Field onlyWhile(Field f, int word)
{
    f.onlyIfWord = word;
    return f;
}

// The controls of one page bound to its table. The connections belong to `owner` (the
// page), so no handler outlives it.
class FieldKit
{
public:
    FieldKit(QObject *owner, QWidget *root, std::span<const Field> table);

    // Image to controls, row by row; old-data defaults on aqua (and into ParamImage where
    // the row says so); then the per-cell texts from the totals.
    void fill();
    // Controls to ParamImage in table order. A text that is not a number throws
    // ConversionError at its field; the fields before it are stored.
    void collect();

    // Controls the table names that the page does not have (empty when all are bound).
    QStringList unresolved() const { return m_unresolved; }
    // The control of a row, by its name (letter case ignored); null if not in the table.
    QWidget *control(const char *name) const;
    const Field *row(const char *name) const;

    // The handlers every row gets: exit clamp, spin steps (then the copies), and the four
    // per-cell pair handlers of a total and its per-cell edit.
    void fieldExit(const Field &f);
    void spinUp(const Field &f);
    void spinDown(const Field &f);
    void totalChange(const Field &f);
    void perCellChange(const Field &f);
    void totalExit(const Field &f);
    void perCellExit(const Field &f);

    // The exit limits of a row for the present VoltageRange, or what the page's limits
    // hook says for it.
    Limits limitsOf(const Field &f) const;
    // Limits that depend on other fields (a count that bounds its redundant count, a
    // minimum that bounds its maximum): the hook is asked first, for exits and spins; a
    // row it does not answer for keeps its table limits.
    using LimitsHook = std::function<std::optional<Limits>(const Field &f)>;
    void setLimitsHook(LimitsHook hook) { m_limitsHook = std::move(hook); }
    // The per-cell texts of every pair, from the totals' texts.
    void showPerCell();
    // The text a row shows for an image word, and for a value in its unit.
    static QString wordText(const Field &f, quint16 word);
    static QString valueText(const Field &f, double value);
    std::span<const Field> table() const { return m_table; }

private:
    struct Bound
    {
        const Field *field;
        QPointer<QWidget> control;
        QPointer<QWidget> partner;
        QPointer<QWidget> copies[2];
        QPointer<QWidget> perCell;
        QPointer<QWidget> collectIf;
    };

    void bind();
    QWidget *lookup(const char *name);
    const Bound *boundOf(const Field &f) const;
    void fillRow(const Bound &b);
    void fillOldData(const Bound &b);
    void collectRow(const Bound &b);
    void copyOut(const Bound &b);
    void spin(const Field &f, bool up);
    void refuseEmpty(const Bound &b, QWidget *field, Empty how) const;
    void setPartnerText(QWidget *partner, const QString &text);

    QObject *m_owner;
    QWidget *m_root;
    std::span<const Field> m_table;
    std::vector<Bound> m_bound;
    QStringList m_unresolved;
    LimitsHook m_limitsHook;
    bool m_settingPartner = false;
};

} // namespace kit
