#pragma once
// Page 9 of the main window ("Battery", TabSheet9): cell count and tapping point,
// capacity and charging limit, the unsymmetry alarm, the current control delays, the
// battery test with its schedule, and the temperature compensation. Storing a changed
// cell count offers to scale the absolute voltages of pages 4, 5, 9 and 10 with it.

#include "page.h"
#include "pagekit.h"

#include <memory>

namespace Ui {
class TBatteryPageForm;
}

class TBatteryPage : public TPage
{
    Q_OBJECT
public:
    TBatteryPage(TfrmMain *main, QWidget *sheet);
    ~TBatteryPage() override;

    void fill() override { ShowBatteryPage(); }
    void collect() override { CollectBatteryPage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    // Also run by the report when the page was not entered: data of an old version get
    // their current defaults written into ParamImage here.
    void ShowBatteryPage();
    // Sets CellCount from the page and asks about a changed count before storing it.
    void CollectBatteryPage();

    // The test duration must be a time of day.
    void ed_timeOnExit();
    // The lower Tk limit: a text that is no number becomes 0.
    void em_TkminExit();
    // The automatic test's schedule is shown while the test is enabled.
    void CheckBox1Click();

private:
    void cellCountChange();

    std::unique_ptr<Ui::TBatteryPageForm> ui;
    kit::FieldKit m_kit;
};
