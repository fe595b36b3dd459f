#pragma once
// Decimal rounding of numbers as they were written. A value typed as "0.15" arrives as the
// double 0.1499999999999999944...; its shortest round-trip form gives back the digits the
// user wrote, and every rounding of the program (the number texts of the fields and the
// encodings of the image) works on those digits, once, with its own rule.

#include <QByteArray>
#include <QtGlobal>

namespace dec {

// value = (negative ? -1 : 1) x 0.D1D2D3... x 10^point; `digits` has no leading or
// trailing zeros; empty digits mean 0.
struct Digits
{
    bool negative = false;
    QByteArray digits;
    int point = 0;
};

// The digits of the shortest text that reads back as `value` (finite values only).
Digits digitsOf(double value);

// Truncate drops the rest (towards zero).
enum class Rule { HalfUp, HalfEven, HalfAwayFromZero, Truncate };

// Keeps the first `keep` digits (keep may exceed the digits or be 0 or negative) and rounds
// the rest away by `rule`; a carry may add a digit in front (point then grows by one).
Digits rounded(const Digits &d, int keep, Rule rule);

// value x 10^decimals rounded to a whole number by `rule`, saturated to +-2^62.
// HalfUp rounds a tie towards plus infinity.
qint64 scaledInteger(double value, int decimals, Rule rule);

} // namespace dec
