#pragma once
// The COM port dialog ("RS 232"). Created once at start-up: it sets the line parameters
// of ComSettings, probes the ports, takes the first one that opens and keeps the main
// window's interface panel (Panel12) and the transfer commands in step. Shown later from
// the RS232 menu item or a click on the panel, it lets the user take another port, also
// a typed path such as the pseudo-terminal of the simulated unit. OK is the only way out.

#include <QDialog>
#include <QStringList>

#include <functional>

namespace Ui {
class Tfrm_RS232;
}

// The port probe run at creation; ProbeComPorts() unless a test installs another.
using PortProbe = std::function<QStringList()>;
PortProbe setPortProbe(PortProbe probe); // nullptr: ProbeComPorts again; returns the previous

class Tfrm_RS232 : public QDialog
{
    Q_OBJECT
public:
    explicit Tfrm_RS232(QWidget *parent = nullptr);
    ~Tfrm_RS232() override;

    void reject() override {} // no cancel: Escape does nothing

    Ui::Tfrm_RS232 *ui;

    void cmd_OkClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormActivate();

    bool m_accepting = false;
};

// The one COM port dialog of the run (set by the main block).
extern Tfrm_RS232 *frm_RS232;

// Texts of the main window's interface panel and the enabled state of the transfer
// commands (toolbar read and write, the Data menu, the RS232 item); both do nothing
// while there is no main window.
void setInterfacePanelText(const QString &text);
void setTransferCommandsEnabled(bool enabled);
