#include "page_text.h"

TTextPage::TTextPage(TfrmMain *main, QWidget *sheet) : TPage(main, 1, sheet) {}
