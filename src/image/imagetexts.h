#pragma once
// Texts that the pages and the report build from image words: the firmware version, the
// serial number, the voltage range, the customer language names and the per-cell value.
// Qt Core only.

#include <QString>
#include <QtGlobal>

// The firmware text of image word 962: "Version " + major + "." + the minor number in
// two digits. A minor number of three digits is no valid one: `valid` becomes false and
// the minor part reads "00".
QString FirmwareVersionText(quint16 word, bool *valid = nullptr);

// Packs a serial number into words 965..972 of ParamImage: Windows-1252 bytes, cut to
// 16 and padded to 16 with 0xFF, two per word, the first in the high byte.
void PackSerialNumber(const QString &text);

// The serial number of words 965..972 as the main window shows it: the text up to a zero
// word or zero low byte, without the 0xFF padding of PackSerialNumber.
QString UnpackSerialNumber();

// Text of the voltage label for a VoltageRange value (empty for neither 0 nor 1).
QString VoltageRangeText(quint16 range);

// Name of the customer language number (word 79); empty above 8.
QString CustomerLanguageName(quint16 number);

// A number of tenths with one decimal in QLocale()'s separator: 552 gives "55.2".
QString TenthsText(int tenths);

// A total voltage divided by the cell count, fixed with two decimals in QLocale()'s
// separator; empty for a cell count of 0.
QString PerCellText(double total, quint16 cellCount);
