#include "page_countercells.h"

TCounterCellsPage::TCounterCellsPage(TfrmMain *main, QWidget *sheet) : TPage(main, 11, sheet) {}
