#pragma once
// Page 8 of the main window ("Signal configuration", TabSheet8): which of the 64 signals
// drive which of the 16 outputs, as a grid of dots that a click toggles. The page writes
// ParamImage at once on every click, paste and delete, so it has no collector; leaving
// it empties the copied row.

#include "page.h"

#include <QPointer>

#include <memory>

class QMenu;
class TImage;

namespace Ui {
class TSignalConfigPageForm;
}

class TSignalConfigPage : public TPage
{
    Q_OBJECT
public:
    // Cell of one signal (column) and output (row) in Image1, and its dot inside.
    static constexpr int CellWidth = 10;
    static constexpr int CellHeight = 24;

    TSignalConfigPage(TfrmMain *main, QWidget *sheet);
    ~TSignalConfigPage() override;

    void fill() override { ShowSignalConfigPage(); }
    void collect() override {}
    void leave() override;

    // The filler: signal texts rebuilt, an old-layout matrix converted once, the grid
    // drawn from ParamImage.
    void ShowSignalConfigPage();
    // Paints the dot of one cell: black when set, white otherwise.
    void DrawMatrixDot(int column, int row, bool set);
    // A press toggles the cell under it when it is the left button alone, without
    // Shift, Ctrl or Alt.
    void Image1MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    // The names of the signal under the mouse and its two neighbours on each side.
    void Image1MouseMove(QPoint pos);
    // The popup menu of the row captions; the row is the Tag of the caption it was
    // opened on.
    void pup_MenuCopyClick();
    void pup_MenuPasteClick();
    void pup_MenuDeleteClick();

    TImage *image() const;
    QMenu *popupMenu() const { return pum_Signal; }

private:
    void redrawRow(int row);
    int popupRow() const;

    std::unique_ptr<Ui::TSignalConfigPageForm> ui;
    QMenu *pum_Signal = nullptr;
    QPointer<QWidget> m_popupComponent;
};
