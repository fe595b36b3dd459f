#pragma once
// Page 10 of the main window ("Boost -/ Manual  charge / System test", TabSheet10).

#include "page.h"

class TChargePage : public TPage
{
    Q_OBJECT
public:
    TChargePage(TfrmMain *main, QWidget *sheet);
};
