#pragma once
// Page 11 of the main window ("Counter cells", TabSheet11).

#include "page.h"

class TCounterCellsPage : public TPage
{
    Q_OBJECT
public:
    TCounterCellsPage(TfrmMain *main, QWidget *sheet);
};
