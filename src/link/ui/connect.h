#pragma once
// The transfer window ("Data transmission  KRT-6 <-> PC"). The read and write commands
// set G.TransferDirection and show it modally; 50 ms later the first tick of its timer
// runs the whole transfer (open, configure, greet, read or write, close), brings the
// main window up to date after a good read and closes the window. Every failure has
// shown its one message when the transfer returns. "&Cancel" stops a running read or
// write with the abort message.

#include "krtprotocol.h"

#include <QDialog>

class QTimer;
namespace Ui {
class TfmConnect;
}

class TfmConnect : public QDialog
{
    Q_OBJECT
public:
    static constexpr int TimerIntervalMs = 50;

    explicit TfmConnect(QWidget *parent = nullptr);
    ~TfmConnect() override;

    void reject() override {} // Escape does not end a transfer; "&Cancel" does

    Ui::TfmConnect *ui;
    QTimer *TimerRd = nullptr;

    // The outcome of the last transfer, for the commands and for tests.
    const TransferOutcome &lastOutcome() const { return m_outcome; }

    void TimerRdTimer();
    void CloseBtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormActivate();
    void showProgress(int bar, int words);
    void setBarValue(int value);

    KrtProtocol m_link;
    TransferOutcome m_outcome;
    bool m_running = false;
    bool m_closing = false;
};

// The one transfer window of the run (set by the main block).
extern TfmConnect *fmConnect;
