#pragma once
// Page 1 of the main window ("Text", TabSheet1): the two logo lines of the unit's LCD,
// the display language, the voltage variant label, the DIN-rail box and the project
// head fields (serial number, project name, firmware, path, memo). The layout comes
// from page_text.ui; this class holds the behaviour.
//
// Three handlers write ParamImage directly: the language choice (word 80) and the two
// logo exits (words 256..263 and 264..271).

#include "page.h"
#include "pagekit.h"

#include <QString>

class QLineEdit;
class QWidget;

namespace Ui {
class TTextPageForm;
}


// The head fields of a project, on page 1.
enum class HeadField { WorkNumber, ProjectName, Firmware, Path };

class TTextPage : public TPage
{
    Q_OBJECT
public:
    TTextPage(TfrmMain *main, QWidget *sheet);
    ~TTextPage() override;

    void fill() override { ShowTextPage(); }
    void collect() override { CollectTextPage(); }

    // Filler: logo lines, their colour, the voltage label, the language choice and the
    // customer language name (a name number above 8 is set to 0 in ParamImage).
    void ShowTextPage();
    // Collector: word 80 from the language choice, the logo lines padded to 16.
    void CollectTextPage();

    // Store one logo line into ParamImage (blank padded to 16 characters).
    void ed_logo1Exit();
    void ed_logo2Exit();
    // Character count; the modified flags while data is loaded.
    void ed_logo1Change();
    void ed_logo2Change();
    // Word 80 := the chosen language (0 for none).
    void rg_languageClick();
    // Relabels the output rows 2..7 of the signal configuration page.
    void cb_dinClick();

    // The memo as one string, its lines joined by CR LF; and back.
    QString memoText() const;
    void setMemoText(const QString &text);

    // What the project and transfer commands see of the page: the head fields (a text
    // set here is shown whole, whatever the field's typing limit), the firmware field's
    // old-data colour, the notice of old data, the memo and its label, the language
    // choice, the DIN-rail box and the logo lines.
    using Head = HeadField;
    QString headText(Head field) const;
    void setHeadText(Head field, const QString &text);
    bool firmwareAqua() const;
    void setFirmwareAqua(bool aqua);
    void setOldDataNotice(bool shown);
    void setMemoShown(bool shown);
    void focusMemo();
    void focusLogo();
    int languageIndex() const;
    void setLanguageEnabled(bool enabled);
    void setDinRail(bool on);
    void setLogoText(int line, const QString &text);

private:
    QLineEdit *headEdit(Head field) const;

    Ui::TTextPageForm *ui;
    void logoChanged(int line);
    bool m_settingMemo = false; // the memo is set by code: no edit
};
