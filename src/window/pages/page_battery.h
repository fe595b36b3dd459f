#pragma once
// Page 9 of the main window ("Battery", TabSheet9).

#include "page.h"

class TBatteryPage : public TPage
{
    Q_OBJECT
public:
    TBatteryPage(TfrmMain *main, QWidget *sheet);
};
