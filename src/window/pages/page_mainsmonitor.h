#pragma once
// Page 12 of the main window ("Mains Mon. KRT3", TabSheet12).

#include "page.h"

class TMainsMonitorPage : public TPage
{
    Q_OBJECT
public:
    TMainsMonitorPage(TfrmMain *main, QWidget *sheet);
};
