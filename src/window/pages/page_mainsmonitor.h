#pragma once
// Page 12 of the main window (" Mains Mon. KRT3 ", TabSheet12): the phases,
// voltage limits, alarm delay and display of the mains monitoring module KRT-3.

#include "page.h"
#include "pagekit.h"

#include <memory>

namespace Ui {
class TMainsMonitorPageForm;
}

class TMainsMonitorPage : public TPage
{
    Q_OBJECT
public:
    TMainsMonitorPage(TfrmMain *main, QWidget *sheet);
    ~TMainsMonitorPage() override;

    void fill() override { ShowMainsMonitorPage(); }
    void collect() override { CollectMainsMonitorPage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    void ShowMainsMonitorPage();
    void CollectMainsMonitorPage();

private:
    std::unique_ptr<Ui::TMainsMonitorPageForm> ui;
    kit::FieldKit m_kit;
};
