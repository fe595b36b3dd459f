#include "page_charge.h"

TChargePage::TChargePage(TfrmMain *main, QWidget *sheet) : TPage(main, 10, sheet) {}
