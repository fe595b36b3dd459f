#pragma once
// Number encodings of the parameter image: how a value typed on a page becomes a
// 16-bit word and back. Every page uses these; each field's limits stay with its page.
//
// Rounding. The values arrive as doubles converted from decimal texts, so a typed
// 0.15 is really 0.1499999999999999944... and 0.15 * 10 gives 1.4999999999999998.
// Rounding that product would store 1 instead of 2. Every encoder therefore rounds the
// decimal value as written (the double's shortest round-trip digits, decimal.h), once,
// by its own rule: 0.15 gives 2 tenths, 0.04999999 gives 0, 350.45000001 gives 3505.
//
// Range. Results never wrap: unsigned encodings clamp to 0..65535, signed ones to
// -32768..32767 before the two's complement is taken. A NaN is stored as 0.

#include <QString>
#include <QtGlobal>

namespace enc {

// Tenths, half up: Int(value * 10 + 0.5). Thresholds, rated voltages, counter cells.
quint16 tenthsHalfUp(double value);
// Tenths, half to even: Round(value * 10). Thyristor voltage and current, Tk limit word 41.
quint16 tenthsHalfEven(double value);
// Unsigned tenths back to the value: word / 10.
double fromTenths(quint16 word);

// Signed tenths in two's complement, half away from zero (low temperature, word 49):
// Int(value * 10 - 0.5) below 0, Int(value * 10 + 0.5) otherwise.
quint16 signedTenthsHalfAway(double value);
// Signed tenths in two's complement, half to even (lower Tk limit, word 42).
quint16 signedTenthsHalfEven(double value);
// Two's complement tenths back to the value; words up to 0x8000 read as positive
// (0x8000 is 3276.8), 0x8001 and above as negative (0xFFFF is -0.1).
double fromSignedTenths(quint16 word);

// Hundredths, half up: Int(value * 100 + 0.5) (charge factor, word 640).
quint16 hundredthsHalfUp(double value);
double fromHundredths(quint16 word);

// Signed integer in two's complement (Tk coefficient, word 40), clamped to 16 bits.
quint16 signedInteger(qint64 value);
qint16 toSignedInteger(quint16 word);

// Plain unsigned integer clamped to 0..65535 (counts, delays, hystereses).
quint16 plainInteger(qint64 value);

// Minutes typed as hours and minutes: the number that remains after the colon is
// removed (e.g. 130 for "1:30") becomes n div 100 * 60 + n mod 100 minutes.
// Minutes of 60 or more are not checked ("00:75" gives 75). The largest result is
// 39339 (from 65499), so it always fits.
quint16 hhmmNumberToMinutes(quint16 number);
// Stored minutes as "hh:mm": hours with at least two digits, minutes with two.
QString minutesToHhmm(quint16 minutes);

// Minutes stored as seconds (fan delay, boost times): minutes * 60, clamped to 65535
// (1092 minutes is the largest value that fits exactly); shown as word div 60.
quint16 minutesToSeconds(qint64 minutes);
quint16 secondsToMinutes(quint16 word);

// Year stored as year - 2000, clamped to 0..65535; shown as word + 2000.
quint16 yearToWord(int year);
int wordToYear(quint16 word);

// Flag in bit 0; the other bits of the word are kept.
bool flagOf(quint16 word);
quint16 withFlag(quint16 word, bool on);

// One bit per item (bit 0..15); a bit number outside 0..15 reads false and changes nothing.
bool bitOf(quint16 word, int bit);
quint16 withBit(quint16 word, int bit, bool on);

} // namespace enc
