#pragma once
// Page 5 of the main window ("Devices", TabSheet5): the devices the unit supervises and
// their ratings. Lowering the rectifier's nominal current below a charging current of
// page 10 offers to lower that current and takes the user there; the relay and digital
// input boards show or hide their groups on pages 6 and 3.

#include "page.h"
#include "pagekit.h"

#include <memory>

namespace Ui {
class TDevicesPageForm;
}

class TDevicesPage : public TPage
{
    Q_OBJECT
public:
    TDevicesPage(TfrmMain *main, QWidget *sheet);
    ~TDevicesPage() override;

    void fill() override { ShowDevicesPage(); }
    void collect() override { CollectDevicesPage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    // Also run by the report when the page was not entered: data of an old version get
    // their current defaults written into ParamImage here.
    void ShowDevicesPage();
    void CollectDevicesPage();

    // The nominal current's exit: clamps it, then offers to lower the manual charge and
    // system test currents (words 557 and 577) that it no longer carries.
    void em_nom_currExit();
    // The redundant inverters never exceed the inverter count, even while typing.
    void ed_red_anz_WR_UNVChange();
    // An emptied inverter nominal voltage becomes 200 at once.
    void ed_UNVnomChange();
    void rb_KRT4_jaClick();
    void rb_KRT4_neinClick();
    void rb_KRT5_jaClick();
    void rb_KRT5_neinClick();

private:
    void showBoardGroup(const char *name, bool shown);

    std::unique_ptr<Ui::TDevicesPageForm> ui;
    kit::FieldKit m_kit;
};
