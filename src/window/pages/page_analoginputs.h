#pragma once
// Page 2 of the main window ("Analog inputs", TabSheet2): for each of the six analog
// channels (Vdc1..Vdc3, Idc1..Idc3) whether the unit displays it and the label it shows
// beside the value, and the shunt ratings of the three current channels.
//
// A row's display choice and its label edit are kept in step: "Yes" goes with an enabled,
// non-empty label, "No" with an empty, disabled one. The choice has no word of its own;
// an empty label (four zero words) means "No".

#include "page.h"
#include "pagekit.h"

#include <memory>

class QLineEdit;
class TRadioGroup;

namespace Ui {
class TAnalogInputsPageForm;
}

class TAnalogInputsPage : public TPage
{
    Q_OBJECT
public:
    TAnalogInputsPage(TfrmMain *main, QWidget *sheet);
    ~TAnalogInputsPage() override;

    void fill() override { ShowAnalogInputsPage(); }
    void collect() override { CollectAnalogInputsPage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    void ShowAnalogInputsPage();
    void CollectAnalogInputsPage();

    // A row's display choice changed (by the user or by ed_UIdc_Change): "Yes" puts the
    // composed label (e.g. "Udc1 :  ") into the row's edit and focuses it, unless the page
    // is being filled; "No" empties the edit.
    void rg_I_UdcClick(TRadioGroup *sender);
    // A label edit changed (by the user or by code): a text other than empty or "00000000"
    // chooses "Yes" and enables the edit, else "No" and disables it.
    void ed_UIdc_Change(QLineEdit *sender);

private:
    std::unique_ptr<Ui::TAnalogInputsPageForm> ui;
    kit::FieldKit m_kit;
    bool m_analogTextsBusy = false; // true while ShowAnalogInputsPage runs
};
