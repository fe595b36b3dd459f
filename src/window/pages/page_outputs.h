#pragma once
// Page 6 of the main window ("Outputs", TabSheet6): switching delay and contact
// type of the outputs of the unit and of the relay board KRT-4.

#include "page.h"
#include "pagekit.h"

#include <memory>

namespace Ui {
class TOutputsPageForm;
}

class TOutputsPage : public TPage
{
    Q_OBJECT
public:
    TOutputsPage(TfrmMain *main, QWidget *sheet);
    ~TOutputsPage() override;

    void fill() override { ShowOutputsPage(); }
    void collect() override { CollectOutputsPage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    void ShowOutputsPage();
    void CollectOutputsPage();

private:
    std::unique_ptr<Ui::TOutputsPageForm> ui;
    kit::FieldKit m_kit;
};
