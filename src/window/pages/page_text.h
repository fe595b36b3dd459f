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

class QWidget;

namespace Ui {
class TTextPageForm;
}


class TTextPage : public TPage
{
    Q_OBJECT
public:
    // Most characters the memo control accepts (its lines counted with CR LF).
    static constexpr int MemoControlMaxLength = 4450;

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

    Ui::TTextPageForm *ui;

private:
    void logoChanged(int line);
    void limitMemo();

    bool m_limitingMemo = false;
};
