#include "voltage.h"

#include "ui_voltage.h"

#include "controls.h"
#include "globals.h"
#include "helplayer.h"
#include "taborder.h"

#include <QCloseEvent>
#include <QPushButton>

TfmVoltage *fmVoltage = nullptr;

TfmVoltage::TfmVoltage(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ui(new Ui::TfmVoltage)
{
    ui->setupUi(this);
    installHelpKey(this);
    connect(ui->Button2, &QPushButton::clicked, this, &TfmVoltage::Button2Click);
    setReadingTabOrder(this);
}

TfmVoltage::~TfmVoltage()
{
    delete ui;
}

TRadioGroup *TfmVoltage::RadioGroup1() const
{
    return ui->RadioGroup1;
}

void TfmVoltage::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TfmVoltage::FormActivate()
{
    ui->RadioGroup1->setItemIndex(0);
}

void TfmVoltage::Button2Click()
{
    G.VoltageRange = ui->RadioGroup1->itemIndex() == 0 ? 0 : 1;
    ui->RadioGroup1->setItemIndex(-1);
    m_accepting = true;
    accept();
    m_accepting = false;
}

void TfmVoltage::closeEvent(QCloseEvent *event)
{
    if (m_accepting)
        QDialog::closeEvent(event);
    else
        event->ignore();
}
