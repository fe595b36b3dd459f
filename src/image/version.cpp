#include "version.h"

#include "globals.h"

#include <limits>

const QString VersionPrefix = QStringLiteral("Version ");
const QString UnknownVersionText =
    QStringLiteral("This configfile is from an unkown KRT-6 version. Please check all parameters.");
const QString VersionNotReadableText = QStringLiteral("Error. The evidence of version can not display.");

namespace {

constexpr qint64 OldLowerExclusive = 9900;  // 0.99
constexpr qint64 OldUpperExclusive = 25000; // 2.50
constexpr int Decimals = 4;

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Blanks and control characters (codes up to 0x20) at both ends removed.
QString trimControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

bool parseVersionNumber(const QString &text, qint64 *tenThousandths)
{
    const QString s = trimControls(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
        negative = s.at(i) == QLatin1Char('-');
        ++i;
    }
    QString digits; // integer and fraction digits together
    qsizetype fractionDigits = 0;
    while (i < s.size() && isDigit(s.at(i)))
        digits.append(s.at(i++));
    if (i < s.size() && s.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < s.size() && isDigit(s.at(i))) {
            digits.append(s.at(i++));
            ++fractionDigits;
        }
    }
    if (digits.isEmpty())
        return false;
    qint64 exponent = 0;
    if (i < s.size() && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E'))) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
            expNegative = s.at(i) == QLatin1Char('-');
            ++i;
        }
        if (i >= s.size() || !isDigit(s.at(i)))
            return false;
        while (i < s.size() && isDigit(s.at(i))) {
            if (exponent < 1000000) // saturate: far beyond any representable value
                exponent = exponent * 10 + (s.at(i).unicode() - '0');
            ++i;
        }
        if (expNegative)
            exponent = -exponent;
    }
    if (i != s.size())
        return false;

    // value = digits * 10^shift ten-thousandths
    while (digits.size() > 1 && digits.at(0) == QLatin1Char('0'))
        digits.remove(0, 1);
    const qint64 shift = exponent - fractionDigits + Decimals;
    const qsizetype keep = shift >= 0 ? digits.size() : digits.size() + shift;

    constexpr __int128 Limit = std::numeric_limits<qint64>::max();
    __int128 value = 0;
    for (qsizetype k = 0; k < keep && k < digits.size(); ++k) {
        value = value * 10 + (digits.at(k).unicode() - '0');
        if (value > Limit)
            return false;
    }
    if (shift > 0) {
        if (value != 0) {
            for (qint64 k = 0; k < shift; ++k) {
                value *= 10;
                if (value > Limit)
                    return false;
            }
        }
    } else if (keep < digits.size()) {
        // Digits dropped: round to nearest, a tie to even.
        int cmp = -1; // dropped part compared with one half
        if (keep >= 0) {
            const QChar first = digits.at(keep);
            if (first > QLatin1Char('5')) {
                cmp = 1;
            } else if (first == QLatin1Char('5')) {
                cmp = 0;
                for (qsizetype k = keep + 1; k < digits.size(); ++k) {
                    if (digits.at(k) != QLatin1Char('0')) {
                        cmp = 1;
                        break;
                    }
                }
            }
        }
        if (cmp > 0 || (cmp == 0 && value % 2 != 0))
            ++value;
        if (value > Limit)
            return false;
    }
    *tenThousandths = negative ? -qint64(value) : qint64(value);
    return true;
}

VersionCheck checkVersionText(const QString &firmwareText)
{
    VersionCheck check;
    if (!firmwareText.startsWith(VersionPrefix)) {
        check.outcome = VersionOutcome::UnknownPrefix;
        check.message = UnknownVersionText;
        return check;
    }
    check.numberText = firmwareText.mid(VersionPrefix.size());
    if (!parseVersionNumber(check.numberText, &check.value)) {
        check.outcome = VersionOutcome::Unconvertible;
        check.message = VersionNotReadableText;
        return check;
    }
    if (check.value > OldLowerExclusive && check.value < OldUpperExclusive) {
        check.outcome = VersionOutcome::Old;
        check.message = QStringLiteral("This is a configfile from a KRT-6 version ") + check.numberText +
                        QStringLiteral(".\n\rSome additional data is marked or will be converted !\n\r"
                                       "For help you can contact us under info.");
        return check;
    }
    check.outcome = VersionOutcome::Current;
    return check;
}

void applyVersionCheck(const VersionCheck &check)
{
    if (check.outcome == VersionOutcome::Old)
        G.WriteAccepted = false;
}
