#include "page_thresholds.h"

TThresholdsPage::TThresholdsPage(TfrmMain *main, QWidget *sheet) : TPage(main, 4, sheet) {}
