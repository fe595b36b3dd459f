#include "rs232.h"

#include "ui_rs232.h"

#include "comsettings.h"
#include "helplayer.h"
#include "linkhost.h"
#include "messages.h"
#include "taborder.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

Tfrm_RS232 *frm_RS232 = nullptr;

namespace {
PortProbe &portProbe()
{
    static PortProbe probe;
    return probe;
}

constexpr int PortTextMaxLength = 20;

// The name the port box shows before any port was found.
QString firstPortName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM1");
#else
    return QStringLiteral("ttyS0");
#endif
}
} // namespace

PortProbe setPortProbe(PortProbe probe)
{
    PortProbe previous = std::move(portProbe());
    portProbe() = std::move(probe);
    return previous;
}

void setInterfacePanelText(const QString &text)
{
    if (TLinkHost *host = linkHost())
        host->setInterfacePanelText(text);
}

void setTransferCommandsEnabled(bool enabled)
{
    if (TLinkHost *host = linkHost())
        host->setTransferCommandsEnabled(enabled);
}

Tfrm_RS232::Tfrm_RS232(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ui(new Ui::Tfrm_RS232)
{
    ui->setupUi(this);
    installHelpKey(this);
    ui->cb_Port->lineEdit()->setMaxLength(PortTextMaxLength);
    ui->cb_Port->setEditText(firstPortName());
    connect(ui->cmd_Ok, &QPushButton::clicked, this, &Tfrm_RS232::cmd_OkClick);
    setReadingTabOrder(this);
    FormCreate();
}

Tfrm_RS232::~Tfrm_RS232()
{
    delete ui;
    if (frm_RS232 == this)
        frm_RS232 = nullptr;
}

void Tfrm_RS232::FormCreate()
{
    InitComSettings();
    const QStringList ports = portProbe() ? portProbe()() : ProbeComPorts();
    ui->cb_Port->addItems(ports);
    if (!ports.isEmpty()) {
        ComSettings.Port = ports.first();
        setTransferCommandsEnabled(true);
        setInterfacePanelText(QStringLiteral("Interface: ") + ComSettings.Port);
        return;
    }
    showMessage(QStringLiteral("No Serial RS232/COM Port\n\rCan not read from/write to KRT-6"),
                MsgKind::Error, MbOk);
    setInterfacePanelText(QStringLiteral("No RS232 Interface found"));
    setTransferCommandsEnabled(false);
}

void Tfrm_RS232::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void Tfrm_RS232::FormActivate()
{
    const int index = ui->cb_Port->findText(ComSettings.Port, Qt::MatchExactly);
    if (index >= 0)
        ui->cb_Port->setCurrentIndex(index);
    ui->edt_Databits->setText(QString::number(ComSettings.Databits));
    ui->edt_Stopbits->setText(QString::number(ComSettings.Stopbits + 1));
    ui->edt_Parity->setText(QString::number(ComSettings.Paritybits));
    ui->cb_Baudrate->setCurrentText(QString::number(ComSettings.Baudrate));
    setInterfacePanelText(QStringLiteral("Interface: ") + ComSettings.Port);
}

void Tfrm_RS232::cmd_OkClick()
{
    const QString name = ui->cb_Port->currentText();
    QString systemText;
    if (TryOpenPort(name, &systemText)) {
        ComSettings.Port = name;
        ComSettings.Baudrate = 9600; // whatever the baud-rate box shows
        setInterfacePanelText(QStringLiteral("Port: ") + ComSettings.Port);
        // A port that opens makes the transfer commands usable again, also when the
        // probe at start-up found none.
        setTransferCommandsEnabled(true);
    } else {
        showMessage(QStringLiteral("Cannot open Port:") + name + QStringLiteral("\n\r") + systemText,
                    MsgKind::Error, MbOk);
        setInterfacePanelText(QStringLiteral("No RS232 Interface found"));
    }
    m_accepting = true;
    accept();
    m_accepting = false;
}

void Tfrm_RS232::closeEvent(QCloseEvent *event)
{
    if (m_accepting)
        QDialog::closeEvent(event);
    else
        event->ignore();
}
