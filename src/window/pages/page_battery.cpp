#include "page_battery.h"

TBatteryPage::TBatteryPage(TfrmMain *main, QWidget *sheet) : TPage(main, 9, sheet) {}
