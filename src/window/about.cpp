#include "about.h"

#include "ui_about.h"

#include <QPushButton>
#include <QStyle>

Tfm_Info *fm_Info = nullptr;

Tfm_Info::Tfm_Info(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ui(new Ui::Tfm_Info)
{
    ui->setupUi(this);
    ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    connect(ui->Button1, &QPushButton::clicked, this, &Tfm_Info::Button1Click);
}

Tfm_Info::~Tfm_Info()
{
    delete ui;
}

void Tfm_Info::Button1Click()
{
    accept();
}
