#pragma once
// The about box.

#include <QDialog>

namespace Ui {
class Tfm_Info;
}

class Tfm_Info : public QDialog
{
    Q_OBJECT

public:
    explicit Tfm_Info(QWidget *parent = nullptr);
    ~Tfm_Info() override;

private:
    void Button1Click();

    Ui::Tfm_Info *ui;
};

// The one about box of the run (set by the main block).
extern Tfm_Info *fm_Info;
