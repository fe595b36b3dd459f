#include "comsettings.h"

#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>

TCOM ComSettings;

void InitComSettings(TCOM &settings)
{
    settings.Baudrate = 9600;
    settings.Databits = 8;
    settings.Stopbits = 0;
    settings.Paritybits = 0;
}

bool TryOpenPort(const QString &portName, QString *systemText)
{
    QSerialPort port;
    port.setPortName(portName);
    if (!port.open(QIODevice::ReadOnly)) {
        if (systemText)
            *systemText = port.errorString();
        return false;
    }
    port.close();
    return true;
}

QStringList ProbeComPorts()
{
    QStringList found;
#ifdef Q_OS_WIN
    for (int n = 1; n <= 20; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        if (TryOpenPort(name))
            found << name;
    }
#else
    static const QStringList families = {QStringLiteral("ttyS"), QStringLiteral("ttyUSB"),
                                         QStringLiteral("ttyACM")};
    static const QRegularExpression pattern(QStringLiteral("^(ttyS|ttyUSB|ttyACM)(\\d+)$"));
    struct Candidate
    {
        int family;
        int number;
        QString name;
    };
    QList<Candidate> candidates;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const auto m = pattern.match(info.portName());
        if (m.hasMatch())
            candidates.append({int(families.indexOf(m.captured(1))), m.captured(2).toInt(), info.portName()});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        return a.family != b.family ? a.family < b.family : a.number < b.number;
    });
    for (const Candidate &c : candidates) {
        if (TryOpenPort(c.name))
            found << c.name;
    }
#endif
    return found;
}
