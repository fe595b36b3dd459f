#include "encodings.h"

#include "decimal.h"

#include <algorithm>
#include <cmath>

namespace enc {
namespace {

quint16 clampUnsigned(qint64 value)
{
    return quint16(std::clamp<qint64>(value, 0, 65535));
}

quint16 clampSigned(qint64 value)
{
    return quint16(qint16(std::clamp<qint64>(value, -32768, 32767)));
}

} // namespace

quint16 tenthsHalfUp(double value)
{
    return clampUnsigned(dec::scaledInteger(value, 1, dec::Rule::HalfUp));
}

quint16 tenthsHalfEven(double value)
{
    return clampUnsigned(dec::scaledInteger(value, 1, dec::Rule::HalfEven));
}

double fromTenths(quint16 word)
{
    return word / 10.0;
}

quint16 signedTenthsHalfAway(double value)
{
    return clampSigned(dec::scaledInteger(value, 1, dec::Rule::HalfAwayFromZero));
}

quint16 signedTenthsHalfEven(double value)
{
    return clampSigned(dec::scaledInteger(value, 1, dec::Rule::HalfEven));
}

double fromSignedTenths(quint16 word)
{
    // Words up to 0x8000 read as positive: 0x8000 is 3276.8, 0x8001 is -3276.7.
    return word <= 0x8000 ? word / 10.0 : -(65536.0 - word) / 10.0;
}

quint16 hundredthsHalfUp(double value)
{
    return clampUnsigned(dec::scaledInteger(value, 2, dec::Rule::HalfUp));
}

double fromHundredths(quint16 word)
{
    return word / 100.0;
}

quint16 signedInteger(qint64 value)
{
    return quint16(qint16(std::clamp<qint64>(value, -32768, 32767)));
}

qint16 toSignedInteger(quint16 word)
{
    return qint16(word);
}

quint16 plainInteger(qint64 value)
{
    return quint16(std::clamp<qint64>(value, 0, 65535));
}

quint16 hhmmNumberToMinutes(quint16 number)
{
    return quint16(number / 100 * 60 + number % 100);
}

QString minutesToHhmm(quint16 minutes)
{
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

quint16 minutesToSeconds(qint64 minutes)
{
    if (minutes <= 0)
        return 0;
    if (minutes >= 65535 / 60 + 1)
        return 65535;
    return quint16(minutes * 60);
}

quint16 secondsToMinutes(quint16 word)
{
    return quint16(word / 60);
}

quint16 yearToWord(int year)
{
    return quint16(std::clamp<qint64>(qint64(year) - 2000, 0, 65535));
}

int wordToYear(quint16 word)
{
    return int(word) + 2000;
}

bool flagOf(quint16 word)
{
    return (word & 1) != 0;
}

quint16 withFlag(quint16 word, bool on)
{
    return quint16((word & ~1u) | (on ? 1u : 0u));
}

bool bitOf(quint16 word, int bit)
{
    if (bit < 0 || bit > 15)
        return false;
    return (word >> bit) & 1u;
}

quint16 withBit(quint16 word, int bit, bool on)
{
    if (bit < 0 || bit > 15)
        return word;
    const quint16 mask = quint16(1u << bit);
    return on ? quint16(word | mask) : quint16(word & ~mask);
}

} // namespace enc
