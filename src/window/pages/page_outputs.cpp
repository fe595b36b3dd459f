#include "page_outputs.h"

TOutputsPage::TOutputsPage(TfrmMain *main, QWidget *sheet) : TPage(main, 6, sheet) {}
