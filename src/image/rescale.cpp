#include "rescale.h"

#include <cstdio>
#include <cstring>

quint16 RescaledTenths(quint16 word, quint16 oldCount, quint16 newCount)
{
    if (oldCount == 0 || newCount == 0)
        return word;
    // The ratio is kept as a double and the product taken in extended precision; the
    // tenth is then rounded on the decimal digits of that product, half away from zero.
    const double ratio = double(newCount) / (double(oldCount) * 10.0);
    const long double volts = static_cast<long double>(word) * static_cast<long double>(ratio);
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.17Lf", volts);
    const char *point = std::strchr(digits, '.');
    qint64 tenths = 0;
    for (const char *p = digits; p < point; ++p)
        tenths = tenths * 10 + (*p - '0');
    tenths = tenths * 10 + (point[1] - '0');
    if (point[2] >= '5')
        ++tenths;
    return quint16(qMin<qint64>(tenths, 65535));
}

bool RescaleAbsoluteVoltages(TParamImage &image, quint16 oldCount, quint16 newCount)
{
    if (oldCount == 0 || newCount == 0)
        return false;
    for (int word : AbsoluteVoltageWords)
        image[word] = RescaledTenths(image[word], oldCount, newCount);
    return true;
}
