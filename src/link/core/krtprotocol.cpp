#include "krtprotocol.h"

#include "projectfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/ioctl.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/serial.h>
#endif

namespace {

// True when the device has modem lines. A pseudo-terminal rejects the modem-line
// requests as an inappropriate ioctl; there is nothing to clear on it.
bool hasModemLines(QSerialPort &port)
{
#ifdef Q_OS_UNIX
    int status = 0;
    const bool rejected =
        ::ioctl(int(port.handle()), TIOCMGET, &status) == -1 && (errno == ENOTTY || errno == EINVAL);
    errno = 0; // leave no stale code for the serial layer's next error text
    if (rejected)
        return false;
#else
    Q_UNUSED(port);
#endif
    return true;
}

// The error of the serial layer that counts as a failure: time-outs of a single wait
// are part of polling.
bool isRealError(QSerialPort::SerialPortError e)
{
    return e != QSerialPort::NoError && e != QSerialPort::TimeoutError;
}

// True when the other end hung up the line (the unit's cable or adapter is gone). Reads
// then end without an error code of their own.
bool lineHungUp(QSerialPort &port)
{
#ifdef Q_OS_UNIX
    pollfd p{int(port.handle()), POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
#else
    Q_UNUSED(port);
    return false;
#endif
}

} // namespace

bool DriverLineErrors::read(QSerialPort &port, LineErrorCounts *counts)
{
#ifdef Q_OS_LINUX
    serial_icounter_struct icount{};
    const int saved = errno;
    const bool ok = ::ioctl(int(port.handle()), TIOCGICOUNT, &icount) == 0;
    errno = saved;
    if (!ok)
        return false;
    *counts = LineErrorCounts{quint32(icount.frame), quint32(icount.parity), quint32(icount.overrun),
                              quint32(icount.brk)};
    return true;
#else
    Q_UNUSED(port);
    Q_UNUSED(counts);
    return false;
#endif
}

QString LineErrorText(const LineErrorCounts &before, const LineErrorCounts &now)
{
    QStringList seen;
    if (now.frame != before.frame)
        seen << QStringLiteral("framing error");
    if (now.parity != before.parity)
        seen << QStringLiteral("parity error");
    if (now.overrun != before.overrun)
        seen << QStringLiteral("overrun error");
    if (now.brk != before.brk)
        seen << QStringLiteral("break");
    return seen.join(QStringLiteral(", "));
}

KrtProtocol::~KrtProtocol()
{
    ClosePort();
}

void KrtProtocol::processEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void KrtProtocol::report(int bar, int words, bool last)
{
    if (!last && m_lastReport.isValid() && m_lastReport.elapsed() < ProgressIntervalMs)
        return;
    m_lastReport.start();
    if (m_progress)
        m_progress(bar, words);
}

bool KrtProtocol::fail(const QString &text, int buttons, int helpContext)
{
    m_status = LinkStatus::Failed;
    showMessage(text, MsgKind::Error, buttons, helpContext);
    return false;
}

bool KrtProtocol::failWithSystemText(const QString &literal)
{
    return fail(literal + systemText());
}

QString KrtProtocol::systemText()
{
#ifdef Q_OS_UNIX
    if (lineHungUp(m_port))
        return QString::fromLocal8Bit(std::strerror(EIO));
#endif
    return m_port.errorString();
}

bool KrtProtocol::failReading()
{
    // A line that is gone fails like a failed queue query ("Com Error"); a failed read of
    // bytes that were there is a read error.
    const bool readError = m_port.error() == QSerialPort::ReadError && !lineHungUp(m_port);
    return failWithSystemText(readError ? QStringLiteral("Read ComError:\r\n")
                                        : QStringLiteral("Com Error:\r\n"));
}

void KrtProtocol::takeLineErrorBaseline()
{
    LineErrorSource *source = m_lineErrors ? m_lineErrors : &m_driverLineErrors;
    m_lineCounts = LineErrorCounts();
    m_lineCounted = source->read(m_port, &m_lineCounts);
}

// True while the driver counted no new line error; else shows `literal` with the errors
// named and returns false. Every error is reported once: the counts seen become the base.
bool KrtProtocol::lineClear(const QString &literal)
{
    if (!m_lineCounted)
        return true;
    LineErrorSource *source = m_lineErrors ? m_lineErrors : &m_driverLineErrors;
    LineErrorCounts now;
    if (!source->read(m_port, &now))
        return true; // a line that hung up is reported by the reads
    const QString seen = LineErrorText(m_lineCounts, now);
    m_lineCounts = now;
    if (seen.isEmpty())
        return true;
    m_lineErrorSeen = true;
    return fail(literal + seen);
}

bool KrtProtocol::abortRead()
{
    m_status = LinkStatus::Aborted;
    showMessage(QStringLiteral("Transmission abort"), MsgKind::Information, MbOk | MbHelp, HelpNoAnswer);
    return false;
}

bool KrtProtocol::abortWrite()
{
    m_status = LinkStatus::Aborted;
    showMessage(QStringLiteral("Transmission abort\n\rWrite again!"), MsgKind::Warning, MbOk | MbHelp,
                HelpNoAnswer);
    return false;
}

bool KrtProtocol::OpenPort(const TCOM &settings)
{
    ClosePort();
    m_settings = settings;
    m_status = LinkStatus::Ok;
    m_lineCounted = false;
    m_port.setPortName(settings.Port);
    if (settings.Port.isEmpty() || !m_port.open(QIODevice::ReadWrite)) {
        const QString system =
            settings.Port.isEmpty() ? QStringLiteral("No such file or directory") : m_port.errorString();
        return fail(QStringLiteral("Error opening port ") + settings.Port + QStringLiteral(" : ") +
                    QStringLiteral("\r\n") + system);
    }
    m_port.clearError();
    return true;
}

void KrtProtocol::ClosePort()
{
    if (!m_port.isOpen())
        return;
    // Bytes still in our buffer (the CRC echo of a read) must reach the unit.
    QElapsedTimer t;
    t.start();
    while (m_port.bytesToWrite() > 0 && !isRealError(m_port.error()) && t.elapsed() < AnswerWaitMs)
        m_port.waitForBytesWritten(PollSliceMs);
    m_port.close();
}

qint64 KrtProtocol::writeBytes(const quint8 *data, qint64 size, bool flush)
{
    const qint64 written = m_port.write(reinterpret_cast<const char *>(data), size);
    if (written < 0)
        return -1;
    // Hand the bytes to the driver now; what it cannot take yet goes with the next wait.
    if (flush)
        m_port.flush();
    if (isRealError(m_port.error()))
        return -1;
    return written;
}

KrtProtocol::WaitResult KrtProtocol::waitReadable(int maxMs)
{
    if (isRealError(m_port.error()))
        return WaitResult::Error;
    if (m_port.bytesAvailable() > 0)
        return WaitResult::Ready;
    const bool ready = m_port.waitForReadyRead(qBound(0, maxMs, PollSliceMs));
    if (isRealError(m_port.error()))
        return WaitResult::Error;
    m_port.clearError();
    return ready || m_port.bytesAvailable() > 0 ? WaitResult::Ready : WaitResult::Idle;
}

int KrtProtocol::ConfigurePort()
{
    m_status = LinkStatus::Ok;
    if (!m_port.isOpen())
        return fail(QStringLiteral("Get Com Error\n\r") + m_port.errorString()), 0;

    static const QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                   QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                   QSerialPort::SpaceParity};
    static const QSerialPort::StopBits stops[] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                                  QSerialPort::TwoStop};
    // The standard rates of a serial port that fit the 16-bit field, and the 5 to 8 data
    // bits a UART sends. The serial layer would set any other rate as a custom one and
    // silently turn other data bits into 8, so such a setting is refused, before anything
    // is set, as one the port cannot take.
    static const quint16 rates[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600};
    if (std::find(std::begin(rates), std::end(rates), m_settings.Baudrate) == std::end(rates) ||
        m_settings.Databits < 5 || m_settings.Databits > 8 || m_settings.Paritybits >= std::size(parities) ||
        m_settings.Stopbits >= std::size(stops)) {
        m_status = LinkStatus::Failed;
        showMessage(QStringLiteral("Set Com Error\n\r") + QStringLiteral("The parameter is incorrect."),
                    MsgKind::Error, MbOk);
        return 0;
    }
    const bool ok = m_port.setBaudRate(m_settings.Baudrate) &&
                    m_port.setDataBits(QSerialPort::DataBits(m_settings.Databits)) &&
                    m_port.setParity(parities[m_settings.Paritybits]) &&
                    m_port.setStopBits(stops[m_settings.Stopbits]) &&
                    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok)
        return failWithSystemText(QStringLiteral("Set Com Error\n\r")), 0;

    if (hasModemLines(m_port)) {
        if (!m_port.setDataTerminalReady(false) || !m_port.setRequestToSend(false))
            return failWithSystemText(QStringLiteral("Clear DTR/RTS Com Error\n\r")), 0;
    }
    m_port.clearError();
    takeLineErrorBaseline();
    return 1;
}

// One phase of the greeting: up to three attempts with `greeting`. Returns false when
// the phase ended on a port error (its message shown); *acknowledged tells whether a
// '>' came.
bool KrtProtocol::greetingPhase(const QByteArray &greeting, bool *acknowledged)
{
    *acknowledged = false;
    const auto *bytes = reinterpret_cast<const quint8 *>(greeting.constData());
    for (int attempt = 0; attempt < GreetingAttempts; ++attempt) {
        // A greeting taken only in part is sent again at once, at most three times.
        for (int repeat = 0; repeat <= 3; ++repeat) {
            const qint64 written = writeBytes(bytes, greeting.size());
            if (written < 0)
                return failWithSystemText(QStringLiteral("Com Write error\n\r"));
            if (written == greeting.size())
                break;
        }
        QElapsedTimer window;
        window.start();
        for (;;) {
            const WaitResult w = waitReadable(int(GreetingWindowMs - window.elapsed()) + 1);
            if (w == WaitResult::Error) {
                return failReading();
            }
            if (!lineClear(QStringLiteral("Error retrieving CommError : \r\n")))
                return false;
            if (w == WaitResult::Ready) {
                const QByteArray reply = m_port.readAll();
                if (reply.contains('>')) {
                    *acknowledged = true;
                    return true;
                }
            }
            if (window.elapsed() > GreetingWindowMs)
                break;
        }
    }
    return true;
}

bool KrtProtocol::ConnectToUnit()
{
    m_status = LinkStatus::Ok;
    G.WriteAccepted = false;
    m_port.clearError();
    m_lineErrorSeen = false;

    bool acknowledged = false;
    greetingPhase(QByteArrayLiteral("PCCOM:"), &acknowledged); // a port error here still lets "PC:" run
    if (acknowledged) {
        G.WriteAccepted = true;
        m_status = LinkStatus::Ok;
        return true;
    }
    if (m_lineErrorSeen)
        return false;
    m_port.clearError();
    if (!greetingPhase(QByteArrayLiteral("PC:"), &acknowledged))
        return false;
    if (acknowledged) {
        m_status = LinkStatus::Ok;
        return true;
    }
    return fail(QStringLiteral("Transmission Error\r\nNo answer from KRT-6"), MbOk | MbHelp, HelpNoAnswer);
}

bool KrtProtocol::ReadImageFromUnit(TParamImage &image)
{
    m_status = LinkStatus::Ok;
    const quint8 command = ReadCommand;
    if (writeBytes(&command, 1) != 1)
        return failWithSystemText(QStringLiteral("COM Write error:\r\n"));

    QByteArray buffer(ReadByteCount, '\0');
    int received = 0;
    int threshold = 20;
    QElapsedTimer lastActivity;
    lastActivity.start();
    m_lastReport.invalidate();
    QElapsedTimer pass;

    while (received < ReadByteCount) {
        pass.start();
        if (cancelRequested())
            return abortRead();
        const WaitResult w = waitReadable(int(ReadSilenceMs - lastActivity.elapsed()) + 1);
        if (w == WaitResult::Error) {
            return failReading();
        }
        if (!lineClear(QStringLiteral("Error retreiving CommError : \r\n")))
            return false;
        const qint64 queued = m_port.bytesAvailable();
        if (queued > 0) {
            if (received + queued > ReadByteCount)
                return fail(QStringLiteral("Transmission Error Nr.1"));
            const qint64 got = m_port.read(buffer.data() + received, queued);
            if (got < 0)
                return failWithSystemText(QStringLiteral("Read ComError:\r\n"));
            received += int(got);
            lastActivity.restart();
            if (received > threshold) {
                threshold += 20;
                report(received / 2, received / 2);
            }
        } else if (lastActivity.elapsed() > ReadSilenceMs) {
            return fail(QStringLiteral("Transmission Error\r\nTimeout"));
        }
        processEvents();
        // Let the driver gather the next bytes for the rest of this pass, but no longer
        // than the bytes still missing take on the line.
        const qint64 rest = std::min(GatherMs - pass.elapsed(), lineMs(ReadByteCount - received));
        if (received < ReadByteCount && rest > 0)
            QThread::msleep(rest);
    }
    report(ImageWordCount + 1, ImageWordCount, true);

    const auto *bytes = reinterpret_cast<const quint8 *>(buffer.constData());
    const quint16 crc = CrcOverBytes(bytes, ImageByteCount);
    const quint16 receivedCrc = quint16(bytes[ImageByteCount] + 256 * bytes[ImageByteCount + 1]);
    if (crc != receivedCrc) {
        const quint8 zeros[2] = {0, 0};
        writeBytes(zeros, 2);
        return fail(QStringLiteral("Transmission Error\r\nChecksum error"));
    }
    writeBytes(bytes + ImageByteCount, 2);
    for (int i = 0; i < ImageWordCount; ++i)
        image[i] = quint16(bytes[2 * i] + 256 * bytes[2 * i + 1]);
    return true;
}

qint64 KrtProtocol::lineMs(int bytes) const
{
    // Start bit, data bits, stop bit: about ten bits a byte.
    const qint64 baud = qMax<qint64>(m_settings.Baudrate, 300);
    return (qint64(bytes) * 10 * 1000 + baud - 1) / baud + 1;
}

bool KrtProtocol::WaitForAnswer(quint8 *buffer, int count)
{
    if (count < 1)
        return false;
    QElapsedTimer start;
    start.start();
    for (;;) {
        processEvents();
        if (cancelRequested())
            return abortWrite();
        if (isRealError(m_port.error())) {
            return failReading();
        }
        if (!lineClear(QStringLiteral("Error retreiving CommError : \r\n")))
            return false;
        if (m_port.bytesAvailable() >= count) {
            if (m_port.read(reinterpret_cast<char *>(buffer), count) != count)
                return failWithSystemText(QStringLiteral("Read ComError:\r\n"));
            return true;
        }
        if (start.elapsed() > AnswerWaitMs)
            return fail(QStringLiteral("Transmission Writeerror\r\nNo answer from KRT-6"));
        // Block until more bytes come (or a slice passes); errors are seen on the next pass.
        if (!m_port.waitForReadyRead(qBound(0, int(AnswerWaitMs - start.elapsed()) + 1, AnswerSliceMs)) &&
            m_port.error() == QSerialPort::TimeoutError)
            m_port.clearError();
    }
}

bool KrtProtocol::WriteImageToUnit(const TParamImage &image)
{
    m_status = LinkStatus::Ok;
    m_port.clearError();
    quint16 crc = CrcStartValue;

    const quint8 command = WriteCommand;
    const qint64 sent = writeBytes(&command, 1);
    if (sent < 0)
        return failWithSystemText(QStringLiteral("Com Write error\n\r"));
    if (sent != 1)
        return fail(QStringLiteral("Transmission Error Nr.2"));

    quint8 answer[2] = {0, 0};
    if (!WaitForAnswer(answer, 1))
        return false;
    if (answer[0] != WriteCommand)
        return fail(QStringLiteral("Transmission Error\n\rNo answer from KRT-6"));

    m_lastReport.invalidate();
    for (int i = 0; i < ImageWordCount; ++i) {
        const quint8 pair[2] = {quint8(image[i] & 0xFF), quint8(image[i] >> 8)};
        crc = CrcUpdate(crc, pair[0]);
        crc = CrcUpdate(crc, pair[1]);
        // A block of 16 words goes to the driver at once, before its acknowledgement.
        const bool blockEnd = i % WordsPerAck == WordsPerAck - 1;
        const qint64 n = writeBytes(pair, 2, blockEnd);
        if (n < 0)
            return failWithSystemText(QStringLiteral("Com Write error\n\r"));
        if (n != 2)
            return fail(QStringLiteral("Transmission error Nr.2"));
        if (blockEnd) {
            report(i, i + 1, i == ImageWordCount - 1);
            if (!WaitForAnswer(answer, 1))
                return false;
            if (answer[0] == 0)
                return fail(QStringLiteral("Communication Error"));
        }
    }

    const quint8 crcBytes[2] = {quint8(crc & 0xFF), quint8(crc >> 8)};
    const qint64 n = writeBytes(crcBytes, 2);
    if (n < 0)
        return failWithSystemText(QStringLiteral("Com Write error\n\r"));
    if (n != 2)
        return fail(QStringLiteral("Transmission Error Nr.2"));
    if (!WaitForAnswer(answer, 2))
        return false;
    if (quint16(answer[0] + 256 * answer[1]) != crc)
        return fail(QStringLiteral("Transmission Error\n\rChecksum Error"));
    return true;
}

void StoreReceivedImage(const TParamImage &image)
{
    loadImageIntoAllCopies(image);
    G.ImageModified = true;
}

TransferOutcome RunTransfer(KrtProtocol &link, const std::function<void()> &connected)
{
    TransferOutcome out;
    link.clearCancel();
    // The greeting sets WriteAccepted for the unit it meets. A transfer that does not
    // complete changes nothing of the program: the flag then keeps its value, so that a
    // silent or lost unit does not turn the loaded data into data of an old version.
    const bool writeAcceptedBefore = G.WriteAccepted;
    out.portOpened = link.OpenPort(ComSettings);
    if (out.portOpened) {
        out.connected = link.ConfigurePort() > 0 && link.ConnectToUnit();
        if (out.connected) {
            if (connected)
                connected();
            if (G.TransferDirection == 1) {
                TParamImage image{};
                out.imageRead = link.ReadImageFromUnit(image);
                if (out.imageRead)
                    StoreReceivedImage(image);
            } else if (G.TransferDirection == 2) {
                out.writeConfirmed = link.WriteImageToUnit(G.CommittedImage);
                if (out.writeConfirmed)
                    G.ImageModified = false;
            }
        }
    }
    out.status = link.lastStatus();
    link.ClosePort();
    if (!out.imageRead && !out.writeConfirmed)
        G.WriteAccepted = writeAcceptedBefore;
    return out;
}
