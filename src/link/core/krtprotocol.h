#pragma once
// The serial protocol of the KRT-6, without any window.
//
// The PC is the master; the unit only answers. One transfer is, in this order:
//
//   OpenPort        open ComSettings.Port for reading and writing
//   ConfigurePort   line parameters of ComSettings, no flow control, DTR and RTS low
//   ConnectToUnit   greeting "PCCOM:" (current unit) then "PC:" (old unit), each up to
//                   three times with a 1000 ms window for the '>'; sets G.WriteAccepted
//   ReadImageFromUnit  (command 0x80) or WriteImageToUnit (command 0x81)
//   ClosePort       always, also after a failure
//
// On the wire a word travels low byte first; so does the CRC (crc16.h).
//
// Every failure has already been shown through showMessage() (messages.h) when the
// step returns false, exactly once; the caller shows nothing more. lastStatus() tells a
// failure from a cancel. A failed or cancelled read hands back nothing: the image
// argument is written only on success, so the program's images stay untouched.
//
// Threading: all of it runs on the thread that owns the object (the GUI thread). The
// greeting waits without processing events (up to about six seconds). The read loop and
// the waits of the write call QCoreApplication::processEvents() on every pass, so the
// transfer window repaints and its Cancel button is delivered; requestCancel() (the
// button's handler) is then seen at the top of the next read pass or after the event
// processing of the write's next wait, which shows the abort box and returns false
// with lastStatus() == LinkStatus::Aborted.
//
// Line errors: where the driver counts them (TIOCGICOUNT: 8250 UARTs, most USB serial
// adapters), every poll of the greeting, the read loop and the waits of the write checks
// whether framing or parity errors, overruns or breaks were counted since the port was
// configured; any new one ends the step with its message ("Error retrieving CommError : "
// in the greeting, "Error retreiving CommError : " in the read and the write, each
// followed by CR LF and the errors named). A line error in the greeting ends the whole
// greeting: a garbled line does not make a current unit an old one. A port without
// counters (a pseudo-terminal) is not checked. The counters are read through
// LineErrorSource, which tests replace.
//
// Waiting never spins: the steps block in QSerialPort::waitForReadyRead() for at most
// PollSliceMs at a time (AnswerSliceMs in the waits of the write, which end as soon as
// the answer comes); the time-outs keep their lengths (GreetingWindowMs,
// ReadSilenceMs, AnswerWaitMs). The image bytes of a read come about one a millisecond:
// a pass of the read loop lasts at least GatherMs, so that the thread wakes once for a
// batch of bytes instead of once for each, and the progress is reported at most every
// ProgressIntervalMs, in both directions.
//
// RunTransfer() below runs a whole transfer with the effects on G that belong to it;
// the transfer window only adds its labels, its progress bar and the main window's
// updates after a good read.

#include "comsettings.h"
#include "crc16.h"
#include "globals.h"
#include "messages.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>

#include <atomic>
#include <functional>

// Line errors counted by a serial driver since it started counting: characters with a
// framing or a parity error, characters lost to an overrun, breaks received.
struct LineErrorCounts
{
    quint32 frame = 0;
    quint32 parity = 0;
    quint32 overrun = 0;
    quint32 brk = 0;
};

// Where the protocol reads the line-error counters of its open port.
class LineErrorSource
{
public:
    virtual ~LineErrorSource() = default;
    // The port's counters now; false when the port keeps none.
    virtual bool read(QSerialPort &port, LineErrorCounts *counts) = 0;
};

// The driver's counters (TIOCGICOUNT on the port's descriptor). A device that keeps none
// rejects the request (a pseudo-terminal: ENOTTY or EINVAL); so does a line that hung up.
class DriverLineErrors : public LineErrorSource
{
public:
    bool read(QSerialPort &port, LineErrorCounts *counts) override;
};

// The kinds of line error counted in `now` but not in `before`, named and joined with
// ", " ("framing error, parity error, overrun error, break"); empty when there is none.
QString LineErrorText(const LineErrorCounts &before, const LineErrorCounts &now);

enum class LinkStatus {
    Ok,      // the last step succeeded
    Failed,  // the last step failed; its message was shown
    Aborted, // the last step was cancelled; the abort message was shown
};

class KrtProtocol
{
public:
    static constexpr quint8 ReadCommand = 0x80;
    static constexpr quint8 WriteCommand = 0x81;
    static constexpr int ImageByteCount = 2 * ImageWordCount; // 2048
    static constexpr int ReadByteCount = ImageByteCount + 2;  // image and CRC: 2050
    static constexpr int WordsPerAck = 16;
    static constexpr int GreetingAttempts = 3;
    static constexpr int GreetingWindowMs = 1000;  // per greeting attempt
    static constexpr int ReadSilenceMs = 2000;     // read: longest pause between bytes
    static constexpr int AnswerWaitMs = 2000;      // write: each wait, from its start
    static constexpr int PollSliceMs = 20;         // longest single wait for readiness
    static constexpr int AnswerSliceMs = 40;       // longest single wait for an answer of the write
    static constexpr int GatherMs = 20;            // shortest pass of the read loop (but the last)
    static constexpr int ProgressIntervalMs = 100; // shortest time between progress reports
    static constexpr int HelpNoAnswer = 34;        // help context of the no-answer and abort boxes

    // Progress of the image transfer: `bar` is the value for the progress bar (maximum
    // 1025), `words` the n of the window's "n of 1024 Words". The read reports
    // count div 2 for both when its count passes another 20 bytes and (1025, 1024) at
    // the end; the write reports (i, i + 1) after word i = 15, 31, ... 1023, before it
    // waits for the acknowledgement. Reports closer than ProgressIntervalMs to the one
    // before are left out, except the last of each direction.
    using ProgressHook = std::function<void(int bar, int words)>;

    KrtProtocol() = default;
    ~KrtProtocol();
    KrtProtocol(const KrtProtocol &) = delete;
    KrtProtocol &operator=(const KrtProtocol &) = delete;

    void setProgressHook(ProgressHook hook) { m_progress = std::move(hook); }
    // Where the line-error counters come from; nullptr: the driver's.
    void setLineErrorSource(LineErrorSource *source) { m_lineErrors = source; }

    // Opens settings.Port for reading and writing and remembers the settings for
    // ConfigurePort. Failure: "Error opening port <Port> : \r\n<system text>".
    bool OpenPort(const TCOM &settings = ComSettings);
    // Pushes out what is still buffered for the unit, then closes. Safe when closed.
    void ClosePort();
    bool isOpen() const { return m_port.isOpen(); }

    // Applies baud rate, data bits, parity and stop bits of the settings given to
    // OpenPort, no flow control, and holds DTR and RTS low. Returns 1 on success, 0 on
    // failure. A port without modem lines (a pseudo-terminal) skips DTR and RTS. A baud
    // rate that is no standard rate up to 57600, data bits outside 5 to 8, or a parity or
    // stop-bit code past its table (comsettings.h) is refused with "Set Com Error\n\r"
    // and "The parameter is incorrect.", before anything is set.
    int ConfigurePort();

    // The greeting. G.WriteAccepted := 0 first, 1 when "PCCOM:" was acknowledged;
    // stays 0 when only "PC:" was. Silent unit: "Transmission Error\r\nNo answer from
    // KRT-6" with a Help button (context 34) after six windows of 1000 ms.
    bool ConnectToUnit();

    // Command 0x80: receives 2048 image bytes and the CRC into a local buffer, checks
    // the CRC and echoes it (or 00 00 when it differs). On success `image` receives the
    // 1024 words; on failure or cancel it is not touched.
    bool ReadImageFromUnit(TParamImage &image);

    // Command 0x81: sends `image` in blocks of 16 words, each acknowledged by one byte
    // (0 stops with "Communication Error"), then the CRC, and checks its echo. True when
    // the unit echoed the CRC sent.
    bool WriteImageToUnit(const TParamImage &image);

    // Waits up to 2000 ms for `count` bytes from the unit and reads them into `buffer`.
    // Processes events on every pass and honours a cancel request.
    bool WaitForAnswer(quint8 *buffer, int count);

    // The Cancel button of the transfer window. May be called from any thread.
    void requestCancel() { m_cancel.store(true); }
    void clearCancel() { m_cancel.store(false); }
    bool cancelRequested() const { return m_cancel.load(); }

    // Outcome of the last step (OpenPort ... WriteImageToUnit).
    LinkStatus lastStatus() const { return m_status; }

    // The port object, for tests.
    QSerialPort &port() { return m_port; }

private:
    enum class WaitResult { Ready, Idle, Error };
    WaitResult waitReadable(int maxMs);
    qint64 writeBytes(const quint8 *data, qint64 size, bool flush = true);
    bool greetingPhase(const QByteArray &greeting, bool *acknowledged);
    bool fail(const QString &text, int buttons = MbOk, int helpContext = 0);
    bool failWithSystemText(const QString &literal);
    bool failReading();
    void takeLineErrorBaseline();
    bool lineClear(const QString &literal);
    QString systemText();
    bool abortRead();
    bool abortWrite();
    void report(int bar, int words, bool last = false);
    qint64 lineMs(int bytes) const; // time that many bytes take on the line, rounded up
    static void processEvents();

    QSerialPort m_port;
    TCOM m_settings;
    ProgressHook m_progress;
    QElapsedTimer m_lastReport; // invalid until the first report of a transfer
    std::atomic<bool> m_cancel{false};
    DriverLineErrors m_driverLineErrors;
    LineErrorSource *m_lineErrors = nullptr;
    LineErrorCounts m_lineCounts;   // as of the last check
    bool m_lineCounted = false;     // the port keeps counters
    bool m_lineErrorSeen = false;   // the greeting ended on a line error
    LinkStatus m_status = LinkStatus::Ok;
};

// What RunTransfer did.
struct TransferOutcome
{
    bool portOpened = false;
    bool connected = false;      // port configured and the unit greeted
    bool imageRead = false;      // direction 1: a good image was stored into G
    bool writeConfirmed = false; // direction 2: the unit echoed the CRC
    LinkStatus status = LinkStatus::Ok;
};

// The transfer of the transfer window's timer tick without its window parts:
// clears the cancel request, opens ComSettings.Port ("Error opening port ..." on
// failure), configures it, greets the unit, calls `connected` (the window sets
// "Transmission running !"), then by G.TransferDirection:
//   1: reads the image; on success copies it into G.CommittedImage, G.ParamImage and
//      G.ReferenceImage and sets G.ImageModified := 1.
//   2: writes G.CommittedImage; when the unit confirmed the CRC, G.ImageModified := 0
//      (the unit now holds what the program holds).
// Any other direction transfers nothing after the greeting. A transfer that fails or is
// cancelled leaves G.WriteAccepted as it was before the greeting. The port is closed in
// every case. Messages are shown by the steps; nothing else is shown here.
TransferOutcome RunTransfer(KrtProtocol &link, const std::function<void()> &connected = {});

// The effects of a good read on the shared state (all three images, ImageModified).
void StoreReceivedImage(const TParamImage &image);
