#pragma once
// Page 2 of the main window ("Analog inputs", TabSheet2).

#include "page.h"

class TAnalogInputsPage : public TPage
{
    Q_OBJECT
public:
    TAnalogInputsPage(TfrmMain *main, QWidget *sheet);
};
