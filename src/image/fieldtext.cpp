#include "fieldtext.h"

#include "decimal.h"
#include "encodings.h"
#include "globals.h"
#include "messages.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int SignificantDigits = 10;
constexpr int MinutesPerDay = 24 * 60;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

int StrToInt(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-'))) {
        negative = t.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= t.size())
        throw invalidIntegerError(text);
    qint64 magnitude = 0;
    for (; i < t.size(); ++i) {
        if (!isAsciiDigit(t.at(i)))
            throw invalidIntegerError(text);
        magnitude = magnitude * 10 + (t.at(i).unicode() - '0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            throw invalidIntegerError(text);
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        throw invalidIntegerError(text);
    return int(value);
}

double StrToFloat(const QString &text)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        throw invalidFloatError(text);
    return value;
}

QString FloatToFixedText(double value, int decimals)
{
    decimals = qBound(0, decimals, 30);
    if (!std::isfinite(value))
        return QString::number(value);

    // One rounding, half away from zero, behind the last decimal shown or the tenth
    // significant digit, whichever comes first.
    const dec::Digits d = dec::digitsOf(value);
    const dec::Digits r = dec::rounded(d, qMin(d.point + decimals, SignificantDigits), dec::Rule::HalfAwayFromZero);
    auto digitAt = [&r](int i) { return i >= 0 && i < r.digits.size() ? QLatin1Char(r.digits.at(i)) : QLatin1Char('0'); };

    QString result;
    if (r.negative && !r.digits.isEmpty())
        result += QLatin1Char('-');
    if (r.point <= 0)
        result += QLatin1Char('0');
    for (int i = 0; i < r.point; ++i)
        result += digitAt(i);
    if (decimals > 0) {
        result += QLocale().decimalPoint();
        for (int j = 0; j < decimals; ++j)
            result += digitAt(r.point + j);
    }
    return result;
}

QString ClampIntText(const QString &text, int max, int min)
{
    const int n = StrToInt(text);
    if (n < min)
        return QString::number(min);
    if (n > max)
        return QString::number(max);
    return text.trimmed();
}

QString ClampFloatText(const QString &text, int decimals, double max, double min)
{
    double v = StrToFloat(text);
    if (v < min)
        v = min;
    else if (v > max)
        v = max;
    return FloatToFixedText(v, decimals);
}

QString StepUpIntText(const QString &text, int max, int min, int step)
{
    const qint64 n = qint64(StrToInt(text)) + step;
    return QString::number(n > max ? qint64(min) : n);
}

QString StepDownIntText(const QString &text, int max, int min, int step)
{
    const qint64 n = qint64(StrToInt(text)) - step;
    return QString::number(n < min ? qint64(max) : n);
}

QString MinutesToTimeText(int wordIndex)
{
    if (wordIndex < 0 || wordIndex >= ImageWordCount)
        return QString();
    return enc::minutesToHhmm(G.ParamImage[size_t(wordIndex)]);
}

quint16 TimeTextToMinutes(const QString &text)
{
    QString rest = text;
    rest.remove(QLatin1Char(':'));
    int n = 0;
    try {
        n = StrToInt(rest);
    } catch (const ConversionError &) {
        throw invalidIntegerError(text);
    }
    return enc::hhmmNumberToMinutes(quint16(n)); // the low 16 bits of the number
}

namespace {
// Minutes of the day of "h:mm" or "h:mm:ss"; -1 when the text is no valid time of day.
int timeOfDayMinutes(const QString &text)
{
    static const QRegularExpression timeOfDay(
        QStringLiteral("^\\s*(\\d{1,2})\\s*:\\s*(\\d{1,2})(?:\\s*:\\s*(\\d{1,2}))?\\s*$"));
    const QRegularExpressionMatch m = timeOfDay.match(text);
    if (!m.hasMatch())
        return -1;
    const int hours = m.captured(1).toInt();
    const int minutes = m.captured(2).toInt();
    const int seconds = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (hours > 23 || minutes > 59 || seconds > 59)
        return -1;
    // Whole minutes: the seconds never show in a result.
    return hours * 60 + minutes;
}
} // namespace

bool IsTimeOfDayText(const QString &text)
{
    return timeOfDayMinutes(text) >= 0;
}

bool StepTimeOfDayText(const QString &text, bool up, QString &result)
{
    const int minutes = timeOfDayMinutes(text);
    if (minutes < 0)
        return false;
    int total = minutes + (up ? 1 : -1);
    total = (total + MinutesPerDay) % MinutesPerDay;
    result = enc::minutesToHhmm(quint16(total));
    return true;
}

QChar DecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 ? point.at(0) : QLatin1Char('.');
}

QChar NumKeyFilter(QChar key)
{
    if (key == KeyBackspace || isAsciiDigit(key))
        return key;
    return KeyNull;
}

QChar RealNumKeyFilter(QChar key, qsizetype textLength)
{
    if (key == KeyEnter)
        return KeyNull;
    if (textLength >= 7)
        return key;
    if (key == KeyBackspace || isAsciiDigit(key))
        return key;
    if (textLength >= 1 && key == DecimalSeparator())
        return key;
    return KeyNull;
}

QChar SignedRealNumKeyFilter(QChar key, qsizetype textLength)
{
    if (textLength == 0 && key == QLatin1Char('-'))
        return key;
    return RealNumKeyFilter(key, textLength);
}

QChar TkKeyFilter(QChar key, qsizetype textLength)
{
    if (key == KeyBackspace || isAsciiDigit(key))
        return key;
    if (textLength == 0)
        return key == QLatin1Char('-') ? key : KeyNull;
    return key == QLatin1Char(',') || key == QLatin1Char('.') ? key : KeyNull;
}

QChar TkMinKeyFilter(QChar key)
{
    if (key == KeyBackspace || key == KeyEnter || isAsciiDigit(key) || key == QLatin1Char('-') ||
        key == DecimalSeparator())
        return key;
    return KeyNull;
}

QString PastedText(const QString &text, qsizetype room)
{
    if (room <= 0)
        return QString();
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
        ++end;
    if (end > room) {
        end = room;
        if (text.at(end - 1).isHighSurrogate())
            --end;
    }
    return text.left(end);
}

DragAnswer AnswerDrag(const QString &text, const QString &part, bool copyPossible)
{
    if (part.size() == text.size())
        return DragAnswer::AsProposed;
    return !part.isEmpty() && copyPossible ? DragAnswer::AsCopy : DragAnswer::Refused;
}

namespace {
// One stored unit of a memo text at `i`: how many characters of the text it spans and how
// many it takes in the file.
struct MemoUnit
{
    qsizetype chars;
    qsizetype stored;
};

MemoUnit memoUnitAt(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    const bool hasNext = i + 1 < text.size();
    if (c == QLatin1Char('\r') && hasNext && text.at(i + 1) == QLatin1Char('\n'))
        return {2, 2};
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator ||
        c == QChar::ParagraphSeparator)
        return {1, 2};
    if (c.isHighSurrogate() && hasNext && text.at(i + 1).isLowSurrogate())
        return {2, 1};
    return {1, 1};
}
} // namespace

qsizetype MemoStoredLength(const QString &text)
{
    qsizetype stored = 0;
    for (qsizetype i = 0; i < text.size();) {
        const MemoUnit unit = memoUnitAt(text, i);
        stored += unit.stored;
        i += unit.chars;
    }
    return stored;
}

QString MemoPastedText(const QString &text, qsizetype room)
{
    qsizetype end = 0;
    while (end < text.size()) {
        const MemoUnit unit = memoUnitAt(text, end);
        if (unit.stored > room)
            break;
        room -= unit.stored;
        end += unit.chars;
    }
    return text.left(end);
}
