#include "connect.h"

#include "ui_connect.h"

#include "dispatch.h"
#include "globals.h"
#include "linkhost.h"
#include "taborder.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTimer>

TfmConnect *fmConnect = nullptr;

TfmConnect::TfmConnect(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ui(new Ui::TfmConnect)
{
    ui->setupUi(this);
    TimerRd = new QTimer(this);
    TimerRd->setObjectName(QStringLiteral("TimerRd"));
    TimerRd->setInterval(TimerIntervalMs);
    connect(TimerRd, &QTimer::timeout, this, &TfmConnect::TimerRdTimer);
    connect(ui->CloseBtn, &QPushButton::clicked, this, &TfmConnect::CloseBtnClick);
    m_link.setProgressHook([this](int bar, int words) { showProgress(bar, words); });
    setReadingTabOrder(this);
}

TfmConnect::~TfmConnect()
{
    delete ui;
    if (fmConnect == this)
        fmConnect = nullptr;
}

void TfmConnect::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TfmConnect::FormActivate()
{
    ui->Label2->setText(QStringLiteral("trying to connect"));
    setBarValue(0);
    ui->Label1->clear();
    TimerRd->start();
}

void TfmConnect::showProgress(int bar, int words)
{
    // The protocol reports at most every 100 ms; both changes are painted with the
    // window's next update, when the transfer processes events, not on the spot.
    ui->Label1->setText(QString::number(words) + QStringLiteral(" of 1024 Words"));
    setBarValue(bar);
    // The last report: a read ends without processing events again, so it is painted now.
    if (words == ImageWordCount)
        repaint(ui->Label1->geometry().united(ui->ProgressBar1->geometry()));
}

void TfmConnect::setBarValue(int value)
{
    // QProgressBar::setValue() repaints at once; with its updates held back it only
    // takes the value, and enabling them again schedules its update.
    ui->ProgressBar1->setUpdatesEnabled(false);
    ui->ProgressBar1->setValue(value);
    ui->ProgressBar1->setUpdatesEnabled(true);
}

void TfmConnect::TimerRdTimer()
{
    TimerRd->stop();
    if (m_running)
        return;
    m_running = true;
    if (G.TransferDirection == 1)
        setWindowTitle(QStringLiteral("Data transmission  KRT-6 -> PC"));
    else if (G.TransferDirection == 2)
        setWindowTitle(QStringLiteral("Data transmission  PC -> KRT-6"));
    show();
    repaint(); // the greeting processes no events for up to six seconds

    m_outcome = TransferOutcome();
    runGuarded([this] {
        m_outcome = RunTransfer(m_link, [this] {
            ui->Label2->setText(QStringLiteral("Transmission running !"));
        });
    });
    if (G.TransferDirection == 1 && m_outcome.imageRead)
        runGuarded([] {
            if (TLinkHost *host = linkHost())
                host->ShowReadImage();
        });

    setBarValue(0);
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    m_link.ClosePort();
    m_running = false;
    m_closing = true;
    done(QDialog::Accepted);
    m_closing = false;
}

void TfmConnect::CloseBtnClick()
{
    m_link.requestCancel();
}

void TfmConnect::closeEvent(QCloseEvent *event)
{
    if (m_closing)
        QDialog::closeEvent(event);
    else
        event->ignore();
}
