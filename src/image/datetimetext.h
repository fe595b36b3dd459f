#pragma once
// Date and time texts in the system's formats, as the project file head, the clock
// and the report write them.

#include <QLocale>
#include <QString>
#include <QTime>

// The locale's long time format (hours, minutes and seconds) without its time-zone
// field: "HH:mm:ss" for German, "h:mm:ss AP" for US English.
QString LongTimeFormatWithoutZone(const QLocale &locale);

// `time` in that format.
QString LongTimeText(const QTime &time, const QLocale &locale);
