#include "page_devices.h"

TDevicesPage::TDevicesPage(TfrmMain *main, QWidget *sheet) : TPage(main, 5, sheet) {}
