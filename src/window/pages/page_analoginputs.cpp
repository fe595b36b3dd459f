#include "page_analoginputs.h"

TAnalogInputsPage::TAnalogInputsPage(TfrmMain *main, QWidget *sheet) : TPage(main, 2, sheet) {}
