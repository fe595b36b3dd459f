#pragma once
// Page 11 of the main window ("Counter cells", TabSheet11): the switching
// voltages of the two counter cells and the DC voltage they refer to.

#include "page.h"
#include "pagekit.h"

#include <memory>

namespace Ui {
class TCounterCellsPageForm;
}

class TCounterCellsPage : public TPage
{
    Q_OBJECT
public:
    TCounterCellsPage(TfrmMain *main, QWidget *sheet);
    ~TCounterCellsPage() override;

    void fill() override { ShowCounterCellsPage(); }
    void collect() override { CollectCounterCellsPage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    void ShowCounterCellsPage();
    void CollectCounterCellsPage();

private:
    std::unique_ptr<Ui::TCounterCellsPageForm> ui;
    kit::FieldKit m_kit;
};
