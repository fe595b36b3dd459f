#include "charset.h"

#include "ui_charset.h"

#include "entrylimit.h"
#include "lcdfont.h"
#include "messages.h"
#include "taborder.h"
#include "textcodec.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

TFrm_CharSet *Frm_CharSet = nullptr;

namespace {
constexpr int FirstHighDigit = 1; // codes 0x00..0x0F are not offered
constexpr int GridPointSize = 14;

QTableWidgetItem *cellItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}
} // namespace

TFrm_CharSet::TFrm_CharSet(QWidget *parent) : QWidget(parent, Qt::Window), ui(new Ui::TFrm_CharSet)
{
    ui->setupUi(this);
    m_charCount = 0;
    m_charString.clear();
    ui->SG1->setFont(lcdFont(GridPointSize));
    setLcdFace(ui->Ed1);
    limitEntry(ui->Ed1);
    fillGrid();

    connect(ui->SG1, &QTableWidget::cellClicked, this, &TFrm_CharSet::SG1Click);
    connect(ui->Ed1, &QLineEdit::textChanged, this, &TFrm_CharSet::Ed1Change);
    connect(ui->Bu_Copy, &QPushButton::clicked, this, &TFrm_CharSet::Bu_CopyClick);
    connect(ui->Bu_Del, &QPushButton::clicked, this, &TFrm_CharSet::Bu_DelClick);
    connect(ui->Bu_Exit, &QPushButton::clicked, this, &TFrm_CharSet::Bu_ExitClick);
    setReadingTabOrder(this);
}

TFrm_CharSet::~TFrm_CharSet()
{
    if (Frm_CharSet == this)
        Frm_CharSet = nullptr;
    delete ui;
}

int TFrm_CharSet::cellCode(int row, int column)
{
    return 16 * (row + FirstHighDigit) + column;
}

void TFrm_CharSet::fillGrid()
{
    QTableWidget *grid = ui->SG1;
    QStringList low;
    for (int c = 0; c < grid->columnCount(); ++c)
        low << QString::number(c, 16).toUpper();
    QStringList high;
    for (int r = 0; r < grid->rowCount(); ++r)
        high << QString::number(r + FirstHighDigit, 16).toUpper();
    grid->setHorizontalHeaderLabels(low);
    grid->setVerticalHeaderLabels(high);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->verticalHeader()->setSectionsClickable(false);
    // The undefined bytes of Windows-1252 show as the font's box, like on the unit.
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setItem(r, c, cellItem(QString(fromWin1252Char(quint8(cellCode(r, c))))));
    // The grid is as large as its cells: no scrolling, no empty room.
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(
        grid->verticalHeader()->sizeHint().width() + grid->horizontalHeader()->length() + frame,
        grid->horizontalHeader()->sizeHint().height() + grid->verticalHeader()->length() + frame);
}

void TFrm_CharSet::SG1Click(int row, int column)
{
    m_charCount = int(ui->Ed1->text().size());
    if (m_charCount == 0)
        m_charString.clear();
    // Characters deleted from Ed1 by hand do not let the composed text grow past 16.
    if (m_charCount < MaxCharCount && m_charString.size() < MaxCharCount) {
        const int code = cellCode(row, column);
        m_charString.append(fromWin1252Char(quint8(code)));
        ui->Ed1->setText(m_charString);
        ui->La_Hex->setText(QStringLiteral("0x") + QString::number(code, 16).toUpper());
    } else {
        showMessage(QStringLiteral("Max. 16 characters!"), MsgKind::None, MbOk);
    }
}

void TFrm_CharSet::Ed1Change()
{
    ui->La_Anz->setText(QString::number(ui->Ed1->text().size()));
}

void TFrm_CharSet::Bu_CopyClick()
{
    ui->Ed1->setFocus();
    ui->Ed1->selectAll();
    ui->Ed1->copy();
}

void TFrm_CharSet::Bu_DelClick()
{
    ui->Ed1->clear();
}

void TFrm_CharSet::Bu_ExitClick()
{
    close();
}

void showCharacterPicker()
{
    if (!Frm_CharSet)
        return;
    Frm_CharSet->show();
    Frm_CharSet->raise();
    Frm_CharSet->activateWindow();
}
