#include "decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace dec {

Digits digitsOf(double value)
{
    Digits d;
    if (!std::isfinite(value) || value == 0)
        return d;
    d.negative = value < 0;
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const QByteArray text(buf, int(result.ptr - buf)); // "d.ddde+XX" or "de+XX"
    const qsizetype e = text.indexOf('e');
    QByteArray mantissa = text.left(e);
    mantissa.replace(".", "");
    d.point = std::atoi(text.constData() + e + 1) + 1;
    while (mantissa.endsWith('0'))
        mantissa.chop(1);
    d.digits = mantissa;
    return d;
}

Digits rounded(const Digits &d, int keep, Rule rule)
{
    if (keep >= d.digits.size())
        return d;
    Digits r = d;
    if (keep < 0) {
        r.digits.clear();
        r.point = 0;
        return r;
    }
    const char first = d.digits.at(keep);
    const bool restNonZero = d.digits.size() > keep + 1; // no trailing zeros are kept
    bool up = false;
    if (rule == Rule::Truncate) {
        up = false;
    } else if (first > '5' || (first == '5' && restNonZero)) {
        up = true;
    } else if (first == '5') {
        switch (rule) {
        case Rule::HalfAwayFromZero:
            up = true;
            break;
        case Rule::HalfUp:
            up = !d.negative;
            break;
        case Rule::HalfEven:
            up = keep > 0 && (d.digits.at(keep - 1) - '0') % 2 == 1;
            break;
        case Rule::Truncate:
            break;
        }
    }
    r.digits.truncate(keep);
    if (up) {
        qsizetype i = r.digits.size() - 1;
        while (i >= 0 && r.digits.at(i) == '9')
            r.digits[i--] = '0';
        if (i >= 0) {
            r.digits[i] = char(r.digits.at(i) + 1);
        } else {
            r.digits.prepend('1');
            ++r.point;
        }
    }
    while (r.digits.endsWith('0'))
        r.digits.chop(1);
    if (r.digits.isEmpty())
        r.point = 0;
    return r;
}

qint64 scaledInteger(double value, int decimals, Rule rule)
{
    constexpr qint64 Limit = qint64(1) << 62;
    if (std::isnan(value))
        return 0;
    if (std::isinf(value))
        return value < 0 ? -Limit : Limit;
    const Digits d = digitsOf(value);
    const Digits r = rounded(d, d.point + decimals, rule);
    const int wholeDigits = r.point + decimals;
    if (r.digits.isEmpty() || wholeDigits <= 0)
        return 0;
    if (wholeDigits > 18)
        return r.negative ? -Limit : Limit;
    qint64 n = 0;
    for (int i = 0; i < wholeDigits; ++i)
        n = n * 10 + (i < r.digits.size() ? r.digits.at(i) - '0' : 0);
    return r.negative ? -n : n;
}

} // namespace dec
