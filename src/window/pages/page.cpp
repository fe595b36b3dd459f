#include "page.h"

#include "mainwindow.h"

TPage::TPage(TfrmMain *main, int number, QWidget *sheet)
    : QObject(main), m_main(main), m_number(number), m_sheet(sheet)
{}

TPage::~TPage() = default;
