#pragma once
// Page 3 of the main window ("Digital inputs", TabSheet3).

#include "page.h"

class TDigitalInputsPage : public TPage
{
    Q_OBJECT
public:
    TDigitalInputsPage(TfrmMain *main, QWidget *sheet);
};
