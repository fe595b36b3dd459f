#include "vermess.h"

#include "ui_vermess.h"

#include "helplayer.h"
#include "messagebox.h"
#include "taborder.h"

#include <QCheckBox>
#include <QPushButton>
#include <QStyle>

Tfrm_version::Tfrm_version(TVerMess *owner, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ui(new Ui::Tfrm_version),
      m_owner(owner)
{
    ui->setupUi(this);
    ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    connect(ui->cmd_OK, &QPushButton::clicked, this, &Tfrm_version::cmd_OKClick);
    connect(ui->cmd_Help, &QPushButton::clicked, this, &Tfrm_version::cmd_HelpClick);
    // The box's click: by the user and when code changes the tick.
    connect(ui->cb_Noshow, &QCheckBox::toggled, this, &Tfrm_version::cb_NoshowClick);
    setReadingTabOrder(this);
}

Tfrm_version::~Tfrm_version()
{
    delete ui;
}

QCheckBox *Tfrm_version::cb_Noshow() const
{
    return ui->cb_Noshow;
}

void Tfrm_version::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void Tfrm_version::FormShow()
{
    ui->lbl_msg->setText(displayedText(m_owner->Msg));
}

void Tfrm_version::cmd_OKClick()
{
    accept();
}

void Tfrm_version::cmd_HelpClick()
{
    requestHelp(TVerMess::HelpContext);
}

void Tfrm_version::cb_NoshowClick()
{
    m_owner->FShow = ui->cb_Noshow->isChecked();
}

TVerMess::TVerMess(QWidget *parent) : frm_version(new Tfrm_version(this, parent)) {}

TVerMess::~TVerMess()
{
    delete frm_version; // null when its parent window has already taken it down
}

bool TVerMess::Show(const QString &text)
{
    if (FShow)
        return false;
    Msg = text;
    if (frm_version)
        frm_version->exec();
    return true;
}

void TVerMess::disableShow()
{
    FShow = false;
    // Keep the tick in step, so the form never shows it ticked while messages show.
    if (frm_version)
        frm_version->cb_Noshow()->setChecked(false);
}
