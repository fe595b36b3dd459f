#include "page_signalconfig.h"

TSignalConfigPage::TSignalConfigPage(TfrmMain *main, QWidget *sheet) : TPage(main, 8, sheet) {}
