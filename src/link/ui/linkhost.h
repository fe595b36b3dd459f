#pragma once
// What the link windows ask of the main window, and all they know of it: the text of
// its interface panel, the enabled state of its transfer commands, and bringing the
// window up to date after a good read. The main window installs itself as the host for
// its lifetime; without a host these requests do nothing.

#include <QString>

class TLinkHost
{
public:
    // The interface panel (Panel12): "Interface: " and the port, or the no-port text.
    virtual void setInterfacePanelText(const QString &text) = 0;
    // The toolbar read and write buttons, the Data menu and the RS232 item.
    virtual void setTransferCommandsEnabled(bool enabled) = 0;
    // Runs after a read that the unit confirmed, with the image already stored.
    virtual void ShowReadImage() = 0;

protected:
    ~TLinkHost() = default;
};

TLinkHost *linkHost();
void setLinkHost(TLinkHost *host);
