#pragma once
// The switchable attention message: a modal form with "Don't show message again".
// The choice lasts for the run.

#include <QDialog>
#include <QPointer>
#include <QString>

class QCheckBox;
class TVerMess;
namespace Ui {
class Tfrm_version;
}

class Tfrm_version : public QDialog
{
    Q_OBJECT

public:
    Tfrm_version(TVerMess *owner, QWidget *parent = nullptr);
    ~Tfrm_version() override;

    QCheckBox *cb_Noshow() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void cmd_OKClick();
    void cmd_HelpClick();
    void cb_NoshowClick();

    Ui::Tfrm_version *ui;
    TVerMess *m_owner;
};

class TVerMess
{
public:
    static constexpr int HelpContext = 36;

    // parent: the window the form is centred on (the main window).
    explicit TVerMess(QWidget *parent = nullptr);
    ~TVerMess();
    TVerMess(const TVerMess &) = delete;
    TVerMess &operator=(const TVerMess &) = delete;

    // Shows text modally and returns true; returns false and shows nothing while
    // "Don't show message again" is ticked.
    bool Show(const QString &text);
    // The next Show displays again; the tick is taken off.
    void disableShow();

    QPointer<Tfrm_version> frm_version;
    bool FShow = false; // true: messages are suppressed
    QString Msg;
};
