#pragma once
// Page 5 of the main window ("Devices", TabSheet5).

#include "page.h"

class TDevicesPage : public TPage
{
    Q_OBJECT
public:
    TDevicesPage(TfrmMain *main, QWidget *sheet);
};
