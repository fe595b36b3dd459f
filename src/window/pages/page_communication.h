#pragma once
// Page 7 of the main window ("Communication / Display / etc.", TabSheet7): the
// Modbus address of the KRT-1, the display fallback menu, the input that switches the
// rectifiers off and the rectifier efficiency management.

#include "page.h"
#include "pagekit.h"

#include <memory>

namespace Ui {
class TCommunicationPageForm;
}

class TCommunicationPage : public TPage
{
    Q_OBJECT
public:
    TCommunicationPage(TfrmMain *main, QWidget *sheet);
    ~TCommunicationPage() override;

    void fill() override { ShowCommunicationPage(); }
    void collect() override { CollectCommunicationPage(); }
    const kit::FieldKit *fieldKit() const override { return &m_kit; }

    void ShowCommunicationPage();
    void CollectCommunicationPage();

private:
    std::unique_ptr<Ui::TCommunicationPageForm> ui;
    kit::FieldKit m_kit;
};
