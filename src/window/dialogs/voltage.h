#pragma once
// The nominal voltage range question of a new project. Each showing starts with L
// chosen; OK leaves the answer in G.VoltageRange (0 = L, 1 = H). Only OK closes it.

#include <QDialog>

class TRadioGroup;
namespace Ui {
class TfmVoltage;
}

class TfmVoltage : public QDialog
{
    Q_OBJECT

public:
    explicit TfmVoltage(QWidget *parent = nullptr);
    ~TfmVoltage() override;

    TRadioGroup *RadioGroup1() const;

    void reject() override {}

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormActivate();
    void Button2Click();

    Ui::TfmVoltage *ui;
    bool m_accepting = false;
};

// The one voltage range dialog of the run (set by the main block).
extern TfmVoltage *fmVoltage;
