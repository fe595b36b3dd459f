#pragma once
// Text helpers of the field checks. They take the text of an edit and give back a
// corrected text; they never touch the parameter image (except MinutesToTimeText,
// which only reads it). Qt Core only, so that they run without any window.
//
// Numbers are converted strictly: a text that is not a number (the empty text
// included) throws ConversionError (messages.h), which the caller lets through to the
// place where the event is dispatched, or catches to show its own message.
// Real numbers use the decimal separator of QLocale().

#include <QChar>
#include <QString>
#include <QtGlobal>

// Whole decimal number, optional sign, surrounding blanks allowed; must fit 32 bits.
// Throws invalidIntegerError(text) otherwise.
int StrToInt(const QString &text);

// Real number with QLocale()'s decimal separator (no thousands separators); must be
// finite. Throws invalidFloatError(text) otherwise.
double StrToFloat(const QString &text);

// Fixed notation with exactly `decimals` digits behind QLocale()'s decimal separator,
// no thousands separator, at most 10 significant digits, the last digit rounded half
// away from zero: 2.25 with 1 decimal gives "2.3" (with a point as separator).
QString FloatToFixedText(double value, int decimals);

// The text itself (without surrounding blanks) when min <= value <= max (a typed "007"
// stays "007"), otherwise the bound it passed, in decimal.
QString ClampIntText(const QString &text, int max, int min);

// The value clamped to min..max and always formatted with FloatToFixedText.
QString ClampFloatText(const QString &text, int decimals, double max, double min);

// text + step, or min when that is above max (wrap-around); a value that was already
// outside the limits is not clamped.
QString StepUpIntText(const QString &text, int max, int min, int step);

// text - step, or max when that is below min (wrap-around).
QString StepDownIntText(const QString &text, int max, int min, int step);

// Minutes of G.ParamImage[wordIndex] as "hh:mm" (hours may have more digits:
// 6000 gives "100:00"). Empty for a word index outside the image.
QString MinutesToTimeText(int wordIndex);

// "hh:mm" typed as hours and minutes: the colons removed, the rest n as a whole number
// (low 16 bits) gives n div 100 * 60 + n mod 100 minutes, in 16 bits. Minutes of 60 or
// more are not checked ("00:75" gives 75). Throws invalidIntegerError(text).
quint16 TimeTextToMinutes(const QString &text);

// Time of day "h:mm" or "h:mm:ss" (hours 0..23, minutes and seconds 0..59) stepped by
// one minute up or down, wrapping around midnight, written as "hh:mm". False (and
// `result` untouched) when the text is not a valid time of day.
bool StepTimeOfDayText(const QString &text, bool up, QString &result);
// True when the text is such a time of day.
bool IsTimeOfDayText(const QString &text);

// Characters the key filters know. A refused key becomes the null character.
constexpr QChar KeyNull = QChar(0);
constexpr QChar KeyBackspace = QChar(8);
constexpr QChar KeyEnter = QChar(13);

// The decimal separator of QLocale() as one character.
QChar DecimalSeparator();

// Integer edits: Backspace and the digits 0..9 pass; Enter and everything else is refused.
QChar NumKeyFilter(QChar key);

// Real-number edits; `textLength` is the length of the edit's text before the key.
// Enter is always refused. Length 0: Backspace and digits pass. Length 1..6: also the
// decimal separator (a second one too). Length 7 or more: every other key passes.
QChar RealNumKeyFilter(QChar key, qsizetype textLength);

// Signed real-number edits (the low temperature): as RealNumKeyFilter, but an empty
// edit also takes the minus sign, and the decimal separator only after the first
// character. A minus can therefore only be typed first.
QChar SignedRealNumKeyFilter(QChar key, qsizetype textLength);

// The Tk coefficient: Enter is refused; an empty edit takes Backspace, the minus sign and
// the digits, one with text Backspace, the digits, "," and ".".
QChar TkKeyFilter(QChar key, qsizetype textLength);
// The lower Tk limit: Backspace, Enter, the minus sign, the digits and the decimal
// separator pass, wherever they are typed.
QChar TkMinKeyFilter(QChar key);

// The part of a pasted or dropped text that a one-line edit takes when `room` characters
// are left in it: the text up to its first line break (CR or LF), at most `room`
// characters of it, never half of a surrogate pair. Empty when room is 0 or less.
QString PastedText(const QString &text, qsizetype room);

// How a field with a length answers a drag of `text` of which only `part` fits: as the
// source proposes when the whole text fits, as a copy of the part when only a part fits
// and the source allows a copy, refused otherwise. So the source of a move never removes
// text that the field did not take.
enum class DragAnswer { AsProposed, AsCopy, Refused };
DragAnswer AnswerDrag(const QString &text, const QString &part, bool copyPossible);

// Characters a memo text takes in the project file, which stores one byte a character
// and CR LF between lines: every line break (CR LF, a lone CR or LF, U+2028, U+2029)
// counts 2, a character outside the Basic Multilingual Plane (stored as one '?') 1.
qsizetype MemoStoredLength(const QString &text);

// The part of a text brought into the memo (pasted, dropped, typed by an input method)
// when `room` characters as stored are left: as much from its start as fits, never half
// of a line break or of a surrogate pair. Line breaks are kept.
QString MemoPastedText(const QString &text, qsizetype room);
