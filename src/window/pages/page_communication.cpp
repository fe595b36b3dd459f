#include "page_communication.h"

TCommunicationPage::TCommunicationPage(TfrmMain *main, QWidget *sheet) : TPage(main, 7, sheet) {}
