#pragma once
// Page 1 of the main window ("Text", TabSheet1).

#include "page.h"

class TTextPage : public TPage
{
    Q_OBJECT
public:
    TTextPage(TfrmMain *main, QWidget *sheet);
};
