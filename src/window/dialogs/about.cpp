#include "about.h"

#include "ui_about.h"

#include "unitpicture.h"

#include <QPushButton>

Tfm_Info *fm_Info = nullptr;

Tfm_Info::Tfm_Info(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ui(new Ui::Tfm_Info)
{
    ui->setupUi(this);
    ui->Image1->setPixmap(unitPicture(64));
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
