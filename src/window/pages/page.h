#pragma once
// One notebook page of the main window as the page framework sees it: a page number
// (1..12), its tab sheet, a filler (image to controls) and a collector (controls to
// ParamImage). The framework runs fill() on every entry into the page, leave() when
// the page is left and collect() from CollectCurrentPage.

#include <QObject>

class QWidget;
class TfrmMain;
namespace kit {
class FieldKit;
}

class TPage : public QObject
{
    Q_OBJECT
public:
    TPage(TfrmMain *main, int number, QWidget *sheet);
    ~TPage() override;

    int number() const { return m_number; }
    QWidget *sheet() const { return m_sheet; }
    TfrmMain *mainWindow() const { return m_main; }

    // Image to controls; sets every control of the page.
    virtual void fill() {}
    // Controls to ParamImage. A text that is not a number throws ConversionError at that
    // field; the fields before it are already stored.
    virtual void collect() {}
    // What leaving the page does: collect it (page 8 overrides this).
    virtual void leave() { collect(); }
    // The page's field table bound to its controls; null for a page without one.
    virtual const kit::FieldKit *fieldKit() const { return nullptr; }

    // Builds a Designer form on a tab sheet; the page owns the form object.
    template <class Form> static Form *setUpForm(QWidget *sheet)
    {
        auto *form = new Form;
        form->setupUi(sheet);
        return form;
    }

private:
    TfrmMain *m_main;
    int m_number;
    QWidget *m_sheet;
};
