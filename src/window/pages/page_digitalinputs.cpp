#include "page_digitalinputs.h"

TDigitalInputsPage::TDigitalInputsPage(TfrmMain *main, QWidget *sheet) : TPage(main, 3, sheet) {}
