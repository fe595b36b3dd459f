#include "page_signalconfig.h"

#include "ui_page_signalconfig.h"

#include "dispatch.h"
#include "globals.h"
#include "imagecontrol.h"
#include "signalmatrix.h"
#include "signaltexts.h"
#include "textcodec.h"

#include <QLabel>
#include <QMenu>

namespace {
constexpr QRgb Black = 0xff000000;
constexpr QRgb White = 0xffffffff;
// Grid lines: one per column and row border, up to the last shown row.
constexpr int GridWidth = SignalCount * TSignalConfigPage::CellWidth;
constexpr int GridHeight = SignalMatrixShownRows * TSignalConfigPage::CellHeight;
// The five signal labels show the signals c - 2 .. c + 2 around column c: signal s is
// entry s + 4 of the signal text table.
constexpr int FirstLabelOffset = 2;
} // namespace

TSignalConfigPage::TSignalConfigPage(TfrmMain *main, QWidget *sheet)
    : TPage(main, 8, sheet), ui(setUpForm<Ui::TSignalConfigPageForm>(sheet))
{
    connect(ui->Image1, &TImage::mouseDown, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos) {
                runGuarded([&] { Image1MouseDown(buttons, modifiers, pos); });
            });
    connect(ui->Image1, &TImage::mouseMove, this,
            [this](Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos) {
                runGuarded([&] { Image1MouseMove(pos); });
            });

    pum_Signal = new QMenu(sheet);
    pum_Signal->setObjectName(QStringLiteral("pum_Signal"));
    auto item = [this](const char *name, const char *text, void (TSignalConfigPage::*handler)()) {
        QAction *a = pum_Signal->addAction(QString::fromLatin1(text));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this,
                [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
    };
    item("pup_MenuCopy", "Copy", &TSignalConfigPage::pup_MenuCopyClick);
    item("pup_MenuDelete", "Delete", &TSignalConfigPage::pup_MenuDeleteClick);
    item("pup_MenuPaste", "Paste", &TSignalConfigPage::pup_MenuPasteClick);

    for (QWidget *caption : sheet->findChildren<QWidget *>()) {
        if (!caption->objectName().startsWith(QLatin1String("Panel_zl")))
            continue;
        connect(caption, &QWidget::customContextMenuRequested, this, [this, caption](QPoint pos) {
            m_popupComponent = caption;
            pum_Signal->popup(caption->mapToGlobal(pos));
        });
    }
}

TSignalConfigPage::~TSignalConfigPage() = default;

TImage *TSignalConfigPage::image() const
{
    return ui->Image1;
}

void TSignalConfigPage::leave()
{
    G.SignalClipboard = {};
}

void TSignalConfigPage::ShowSignalConfigPage()
{
    BuildSignalTexts();
    ui->Image1->clear();
    if (!G.WriteAccepted && !G.SignalMatrixConverted) {
        G.SignalMatrixConverted = true;
        ConvertOldSignalMatrix(G.ParamImage);
    }
    for (int row = 0; row < SignalMatrixRows; ++row) {
        for (int signal = 0; signal < SignalCount; ++signal) {
            if (SignalAssigned(G.ParamImage, row, signal))
                DrawMatrixDot(signal, row, true);
        }
    }
    for (int i = 0; i <= SignalCount; ++i)
        ui->Image1->fillRect(QRect(CellWidth * i, 0, 1, GridHeight), Black);
    for (int j = 0; j <= SignalMatrixShownRows; ++j)
        ui->Image1->fillRect(QRect(0, CellHeight * j, GridWidth, 1), Black);
}

void TSignalConfigPage::DrawMatrixDot(int column, int row, bool set)
{
    ui->Image1->fillRect(QRect(CellWidth * column + 2, CellHeight * row + 8, 6, 8), set ? Black : White);
}

void TSignalConfigPage::Image1MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    const Qt::MouseButtons held = buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
    const Qt::KeyboardModifiers keys =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held != Qt::LeftButton || keys != Qt::NoModifier)
        return;
    if (pos.x() < 0 || pos.y() < 0)
        return;
    const int column = pos.x() / CellWidth;
    const int row = pos.y() / CellHeight;
    // Row 16 is kept in the image but has no output on this page.
    if (column >= SignalCount || row >= SignalMatrixShownRows)
        return;
    DrawMatrixDot(column, row, ToggleSignal(G.ParamImage, row, column));
}

void TSignalConfigPage::Image1MouseMove(QPoint pos)
{
    const int column = pos.x() / CellWidth;
    QLabel *const labels[] = {ui->lbl_Sigtext1, ui->lbl_Sigtext2, ui->lbl_Sigtext3, ui->lbl_Sigtext4,
                              ui->lbl_Sigtext5};
    // Entries outside the table (the mouse held down and dragged far beside the grid) are
    // empty.
    for (int i = 0; i < 5; ++i)
        labels[i]->setText(fromWin1252(SignalText(column + FirstLabelOffset + i)));
}

int TSignalConfigPage::popupRow() const
{
    if (!m_popupComponent)
        return -1;
    bool ok = false;
    const int row = m_popupComponent->property("Tag").toInt(&ok);
    return ok && row >= 0 && row < SignalMatrixShownRows ? row : -1;
}

void TSignalConfigPage::pup_MenuCopyClick()
{
    const int row = popupRow();
    if (row >= 0)
        G.SignalClipboard = CopySignalRow(G.ParamImage, row);
}

void TSignalConfigPage::pup_MenuPasteClick()
{
    const int row = popupRow();
    if (row < 0)
        return;
    PasteSignalRow(G.ParamImage, row, G.SignalClipboard);
    redrawRow(row);
}

void TSignalConfigPage::pup_MenuDeleteClick()
{
    G.SignalClipboard = {};
    pup_MenuPasteClick();
}

void TSignalConfigPage::redrawRow(int row)
{
    for (int signal = 0; signal < SignalCount; ++signal)
        DrawMatrixDot(signal, row, SignalAssigned(G.ParamImage, row, signal));
}
