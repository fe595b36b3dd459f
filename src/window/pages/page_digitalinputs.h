#pragma once
// Page 3 of the main window ("Digital inputs", TabSheet3): name, contact type and delay
// of the eight inputs of the unit and of the eight inputs of the digital input board
// KRT-5 (rows 9..16, group GroupBox21, present while word 617 holds 1).

#include "page.h"
#include "pagekit.h"

#include <memory>

namespace Ui {
class TDigitalInputsPageForm;
}

class TDigitalInputsPage : public TPage
{
    Q_OBJECT
public:
    TDigitalInputsPage(TfrmMain *main, QWidget *sheet);
    ~TDigitalInputsPage() override;

    void fill() override { ShowDigitalInputsPage(); }
    void collect() override { CollectDigitalInputsPage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    // Without the board its group is hidden and its controls keep what they showed.
    void ShowDigitalInputsPage();
    // The board's names are stored only while the board is present; its delays and
    // contact types always, from whatever its controls hold.
    void CollectDigitalInputsPage();

private:
    std::unique_ptr<Ui::TDigitalInputsPageForm> ui;
    kit::FieldKit m_kit;
};
