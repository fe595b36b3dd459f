#include "encodings.h"

#include <algorithm>
#include <cmath>

namespace enc {
namespace {

constexpr double Snap = 1e6;

// Clamps before converting, so no double -> integer conversion is ever out of range.
qint64 clampToRange(double value, qint64 low, qint64 high)
{
    if (std::isnan(value))
        return 0;
    if (value <= double(low))
        return low;
    if (value >= double(high))
        return high;
    return qint64(value);
}

quint16 clampUnsigned(double rounded)
{
    return quint16(clampToRange(rounded, 0, 65535));
}

quint16 clampSigned(double rounded)
{
    return quint16(qint16(clampToRange(rounded, -32768, 32767)));
}

// Int(x + 0.5): add a half, then truncate toward zero.
double halfUpTruncated(double scaled)
{
    return std::trunc(scaled + 0.5);
}

double halfEven(double scaled)
{
    const double floorValue = std::floor(scaled);
    const double diff = scaled - floorValue;
    if (diff < 0.5)
        return floorValue;
    if (diff > 0.5)
        return floorValue + 1.0;
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

double halfAway(double scaled)
{
    return scaled < 0 ? std::trunc(scaled - 0.5) : std::trunc(scaled + 0.5);
}

} // namespace

double snapScaled(double value, double scale)
{
    const double scaled = value * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 1e9)
        return scaled; // far outside every field; the clamp decides
    return std::round(scaled * Snap) / Snap;
}

quint16 tenthsHalfUp(double value)
{
    return clampUnsigned(halfUpTruncated(snapScaled(value, 10)));
}

quint16 tenthsHalfEven(double value)
{
    return clampUnsigned(halfEven(snapScaled(value, 10)));
}

double fromTenths(quint16 word)
{
    return word / 10.0;
}

quint16 signedTenthsHalfAway(double value)
{
    return clampSigned(halfAway(snapScaled(value, 10)));
}

quint16 signedTenthsHalfEven(double value)
{
    return clampSigned(halfEven(snapScaled(value, 10)));
}

double fromSignedTenths(quint16 word)
{
    return qint16(word) / 10.0;
}

quint16 hundredthsHalfUp(double value)
{
    return clampUnsigned(halfUpTruncated(snapScaled(value, 100)));
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
