#include "page_signalconfig.h"

#include "controls.h"
#include "panel.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {
// Captions of the output rows 0..15 as the page is created.
const char *const RowCaptions[] = {" Error state",  " Event history", " LED  S1",   " LED  S2",
                                   " Alarm A (K4)", " Alarm B (K3)",  " Relay K1",  " Relay K2",
                                   " Relay K11",    " Relay K12",     " Relay K13", " Relay K14",
                                   " Relay K15",    " Relay K16",     " Relay K17", " Relay K18"};
constexpr int RowHeight = 24;
constexpr int RowTop = 40;
constexpr int CaptionWidth = 120;
constexpr int RowHelpContext = 24;
} // namespace

TSignalConfigPage::TSignalConfigPage(TfrmMain *main, QWidget *sheet) : TPage(main, 8, sheet)
{
    if (sheet && !FindControl(sheet, QStringLiteral("Panel_zl1")))
        createRowCaptions();
}

void TSignalConfigPage::createRowCaptions()
{
    for (int row = 0; row < 16; ++row) {
        auto *panel = new TPanel(sheet());
        panel->setObjectName(QStringLiteral("Panel_zl%1").arg(row + 1));
        panel->setText(QString::fromLatin1(RowCaptions[row]));
        panel->setProperty("Tag", row);
        panel->setProperty("HelpContext", RowHelpContext);
        panel->setGeometry(4, RowTop + RowHeight * row, CaptionWidth, RowHeight);
        if (row >= 8) { // the relay board: grey with white text
            panel->setAutoFillBackground(true);
            QPalette pal = panel->palette();
            pal.setColor(QPalette::Window, Qt::gray);
            pal.setColor(QPalette::WindowText, Qt::white);
            panel->setPalette(pal);
        }
    }
}
