#pragma once
// Page 6 of the main window ("Outputs", TabSheet6).

#include "page.h"

class TOutputsPage : public TPage
{
    Q_OBJECT
public:
    TOutputsPage(TfrmMain *main, QWidget *sheet);
};
