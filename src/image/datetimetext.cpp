#include "datetimetext.h"

QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue; // the time zone
        out += c;
    }
    return out.simplified();
}

QString LongTimeText(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, LongTimeFormatWithoutZone(locale));
}
