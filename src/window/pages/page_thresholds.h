#pragma once
// Page 4 of the main window ("Thresholds", TabSheet4): the alarm thresholds of the DC
// voltages and currents, the temperature, the battery operation and the insulation, each
// with its delay and hysteresis; every total voltage also shown per battery cell.

#include "page.h"
#include "pagekit.h"

#include <memory>

namespace Ui {
class TThresholdsPageForm;
}

class TThresholdsPage : public TPage
{
    Q_OBJECT
public:
    TThresholdsPage(TfrmMain *main, QWidget *sheet);
    ~TThresholdsPage() override;

    void fill() override { ShowThresholdsPage(); }
    void collect() override { CollectThresholdsPage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    // Also run by the report when the page was not entered: data of an old version get
    // their current defaults written into ParamImage here.
    void ShowThresholdsPage();
    void CollectThresholdsPage();

private:
    std::unique_ptr<Ui::TThresholdsPageForm> ui;
    kit::FieldKit m_kit;
};
