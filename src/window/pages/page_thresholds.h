#pragma once
// Page 4 of the main window ("Thresholds", TabSheet4).

#include "page.h"

class TThresholdsPage : public TPage
{
    Q_OBJECT
public:
    TThresholdsPage(TfrmMain *main, QWidget *sheet);
};
