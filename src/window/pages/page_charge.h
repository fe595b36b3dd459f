#pragma once
// Page 10 of the main window ("Boost -/ Manual  charge / System test", TabSheet10): the
// boost charge with its follow-up charge, the manual charge and the system test. The two
// charging currents are held within their share of the rectifier's nominal current,
// with the offer to change that current on page 5.

#include "page.h"
#include "pagekit.h"

#include <memory>

namespace Ui {
class TChargePageForm;
}

class TChargePage : public TPage
{
    Q_OBJECT
public:
    TChargePage(TfrmMain *main, QWidget *sheet);
    ~TChargePage() override;

    void fill() override { ShowChargePage(); }
    void collect() override { CollectChargePage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    // Also run by the report when the page was not entered: data of an old version get
    // their current defaults written into ParamImage here.
    void ShowChargePage();
    void CollectChargePage();

    // The manual charge current: at most 80 % of the nominal current.
    void ed_MCh_SollW_IGRExit();
    // The system test current: at most the nominal current.
    void ed_sysTest_SollW_IGRExit();

private:
    // Lowers a current above `limitTenths` x `share` to that limit and offers page 5.
    void chargingCurrentExit(QLineEdit *edit, double share, const QString &question);

    std::unique_ptr<Ui::TChargePageForm> ui;
    kit::FieldKit m_kit;
};
