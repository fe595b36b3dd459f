#pragma once
// The main window's side of the device link: the read and write commands, the toolbar
// twins and the RS232 item are TfrmMain's handlers (transfercommands.cpp); what the
// transfer window does after a good read is here.

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

// Brings the main window up to date from the image a good read has just stored:
// DeviceDataRead, page 1 and language enabled, signal texts, firmware text and its
// version check, voltage range, DIN-rail box, project name, cell count, logo lines and
// serial number, and the commands that need data.
void ShowReadImage();
