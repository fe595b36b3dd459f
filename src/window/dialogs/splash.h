#pragma once
// The start-up splash: shown modally with the hourglass cursor for two seconds.

#include <QDialog>

class QTimer;
namespace Ui {
class TfmSplash;
}

class TfmSplash : public QDialog
{
    Q_OBJECT

public:
    static constexpr int DisplayMs = 2000;

    explicit TfmSplash(QWidget *parent = nullptr);
    ~TfmSplash() override;

    QTimer *Timer1() const { return m_timer; }

    // Esc and close requests do nothing: only the timer ends the splash.
    void reject() override {}

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormActivate();
    void Timer1Timer();
    void restoreCursor();

    Ui::TfmSplash *ui;
    QTimer *m_timer;
    bool m_cursorSet = false;
    bool m_finished = false;
};

// The one splash of the run (set by the main block).
extern TfmSplash *fmSplash;
