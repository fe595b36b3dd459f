#include "imagetexts.h"

#include "fieldtext.h"
#include "globals.h"
#include "textcodec.h"

#include <iterator>

namespace {
constexpr int SerialNumberLength = 16;
}

QString FirmwareVersionText(quint16 word, bool *valid)
{
    const int major = word >> 8;
    const int minor = word & 0xFF;
    const bool ok = minor < 100;
    if (valid)
        *valid = ok;
    return QStringLiteral("Version ") + QString::number(major) + QLatin1Char('.') +
           (ok ? QStringLiteral("%1").arg(minor, 2, 10, QLatin1Char('0')) : QStringLiteral("00"));
}

void PackSerialNumber(const QString &text)
{
    QByteArray bytes = toWin1252(text).left(SerialNumberLength);
    bytes.append(QByteArray(SerialNumberLength - bytes.size(), char(0xFF)));
    for (int k = 0; k < SerialNumberLength / 2; ++k)
        G.ParamImage[SerialNumber + k] = quint16(quint8(bytes[2 * k]) << 8 | quint8(bytes[2 * k + 1]));
}

QString UnpackSerialNumber()
{
    QString text = ImageWordsToText(SerialNumber, SerialNumber + SerialNumberLength / 2 - 1);
    while (!text.isEmpty() && text.back() == fromWin1252Char(0xFF))
        text.chop(1);
    return text;
}

QString VoltageRangeText(quint16 range)
{
    switch (range) {
    case 1:
        return QStringLiteral("KRT-6 - H   (80V-300V)");
    case 0:
        return QStringLiteral("KRT-6 - L   (20V-80V)");
    default:
        return QString();
    }
}

QString CustomerLanguageName(quint16 number)
{
    static const char *const names[] = {"English", "German",  "French", "Italian", "Russian",
                                        "Swedish", "Tschech", "Polish", "Spanish"};
    if (number >= std::size(names))
        return QString();
    return QString::fromLatin1(names[number]);
}

QString TenthsText(int tenths)
{
    return FloatToFixedText(tenths / 10.0, 1);
}

QString PerCellText(double total, quint16 cellCount)
{
    if (cellCount == 0)
        return QString();
    return FloatToFixedText(total / cellCount, 2);
}
