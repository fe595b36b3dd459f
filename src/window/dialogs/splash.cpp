#include "splash.h"

#include "ui_splash.h"

#include "unitpicture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>

TfmSplash *fmSplash = nullptr;

TfmSplash::TfmSplash(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(new Ui::TfmSplash), m_timer(new QTimer(this))
{
    ui->setupUi(this);
    ui->Image1->setPixmap(unitPicture(96));
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer); // the full two seconds, not 5 % less
    m_timer->setInterval(DisplayMs);
    connect(m_timer, &QTimer::timeout, this, &TfmSplash::Timer1Timer);
}

TfmSplash::~TfmSplash()
{
    restoreCursor();
    delete ui;
}

void TfmSplash::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
    // The two seconds count from the showing, so a splash shown late still stays its time.
    if (!m_finished && !m_timer->isActive())
        m_timer->start();
}

void TfmSplash::FormActivate()
{
    if (!m_cursorSet && !m_finished) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_cursorSet = true;
    }
}

void TfmSplash::Timer1Timer()
{
    restoreCursor();
    m_timer->stop();
    m_finished = true;
    done(QDialog::Accepted);
}

void TfmSplash::hideEvent(QHideEvent *event)
{
    // The hourglass ends with the splash, however it is hidden.
    restoreCursor();
    QDialog::hideEvent(event);
}

void TfmSplash::closeEvent(QCloseEvent *event)
{
    if (m_finished)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void TfmSplash::restoreCursor()
{
    if (m_cursorSet) {
        QApplication::restoreOverrideCursor();
        m_cursorSet = false;
    }
}
