#include "page_mainsmonitor.h"

TMainsMonitorPage::TMainsMonitorPage(TfrmMain *main, QWidget *sheet) : TPage(main, 12, sheet) {}
