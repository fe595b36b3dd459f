#pragma once
// The LCD character picker: the character codes 0x10..0xFF of the unit's display in the
// LCD face, in a grid whose row header gives the high and whose column header gives the
// low hex digit of a code. Clicks build a text of up to 16 characters in Ed1, which Copy
// puts on the clipboard; the LCD text fields paste it from there (lcdpopup.h). The picker
// is shown without being modal: the main window stays usable beside it.

#include <QString>
#include <QWidget>

namespace Ui {
class TFrm_CharSet;
}

class TFrm_CharSet : public QWidget
{
    Q_OBJECT
public:
    // Most characters the clicks put together; typing into Ed1 stops at its own length.
    static constexpr int MaxCharCount = 16;

    // With a parent the picker is a window of its own over it, which does not keep the
    // program running after the main window closed.
    explicit TFrm_CharSet(QWidget *parent = nullptr);
    ~TFrm_CharSet() override;

    // The character code of a grid cell: its row gives the high digit (1..F), its column
    // the low digit (0..F).
    static int cellCode(int row, int column);

    // A click on a grid cell: appends its character to the composed text (at most 16,
    // else "Max. 16 characters!") and shows its code in La_Hex.
    void SG1Click(int row, int column);
    // La_Anz := the number of characters in Ed1.
    void Ed1Change();
    // Ed1's whole text to the clipboard.
    void Bu_CopyClick();
    // Empties Ed1; the next click starts a new text.
    void Bu_DelClick();
    void Bu_ExitClick();

private:
    void fillGrid();

    Ui::TFrm_CharSet *ui;
    int m_charCount = 0;  // characters in Ed1 at the last click
    QString m_charString; // the text the clicks composed
};

// The one picker of the run (set by the main block; null while there is none).
extern TFrm_CharSet *Frm_CharSet;

// Shows the picker (when there is one) without making it modal, in front of the others.
void showCharacterPicker();
