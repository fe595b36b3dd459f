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

private:
    // The caption panels Panel_zl1..Panel_zl16 of the output rows (Tag = row 0..15).
    void createRowCaptions();
};
