#pragma once
// The main window's side of the device link: the read and write commands, the toolbar
// twins and the RS232 item are TfrmMain's handlers (transfercommands.cpp); what the
// transfer window does after a good read is here.

#include <QString>
#include <QtGlobal>

// Brings the main window up to date from the image a good read has just stored:
// DeviceDataRead, page 1 and language enabled, signal texts, firmware text and its
// version check, voltage range, DIN-rail box, project name, cell count, logo lines and
// serial number, and the commands that need data.
void ShowReadImage();
