#pragma once
// Page 7 of the main window ("Communication / Display / etc.", TabSheet7).

#include "page.h"

class TCommunicationPage : public TPage
{
    Q_OBJECT
public:
    TCommunicationPage(TfrmMain *main, QWidget *sheet);
};
