#pragma once
// Page 8 of the main window ("Signal configuration", TabSheet8).

// The page has no collector: leaving it does not collect.

#include "page.h"

class TSignalConfigPage : public TPage
{
    Q_OBJECT
public:
    TSignalConfigPage(TfrmMain *main, QWidget *sheet);

    void collect() override {}
    void leave() override {}
};
