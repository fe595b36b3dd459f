#pragma once
// Serial settings of the run and the port probe of the COM port dialog.

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The serial settings record. Paritybits and Stopbits hold the platform's codes of a
// serial device control block: parity 0 none, 1 odd, 2 even, 3 mark, 4 space; stop bits
// 0 one, 1 one and a half, 2 two.
struct TCOM
{
    // The port as the user sees it: on Linux the device name ("ttyS0", "ttyUSB0") or any
    // path the user typed (for example the pseudo-terminal of the simulated unit); on
    // Windows "COM" and the number. Empty until the dialog probed the ports.
    QString Port;
    quint16 Baudrate = 9600;
    quint8 Databits = 8;
    quint8 Paritybits = 0;
    quint8 Stopbits = 0;
};

// The one instance, read by every transfer.
extern TCOM ComSettings;

// The fixed line parameters set when the dialog is created: 9600 baud, 8 data bits,
// no parity, one stop bit (Port is left as it is).
void InitComSettings(TCOM &settings = ComSettings);

// Tries to open `portName` for reading only, as the probe and the dialog's OK do, and
// closes it again. On failure `systemText` (when given) receives the system's text.
bool TryOpenPort(const QString &portName, QString *systemText = nullptr);

// The ports that open, in the probe's fixed order: on Linux the serial devices that
// exist, ttyS, then ttyUSB, then ttyACM, each by number; on Windows COM1 to COM20.
QStringList ProbeComPorts();
