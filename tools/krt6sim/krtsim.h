#pragma once
// A simulated KRT-6 on a pseudo-terminal.
//
// start() opens a pseudo-terminal pair in raw mode and serves the unit's side on the
// master end from a thread of its own; devicePath() is the end the configurator opens
// (put it into the COM port dialog, or into ComSettings.Port). The unit:
//
//   "PCCOM:"  -> '>'   (an old unit answers only "PC:")
//   "PC:"     -> '>'
//   after a greeting:
//   0x80      -> the 2048 image bytes (word 0 low, word 0 high, ...) and their CRC, low
//                byte first; then it takes the two bytes the PC echoes
//   0x81      -> echo 0x81; after every 16 words (32 bytes) one acknowledgement byte
//                (0x06); after the 2048 bytes it takes the CRC and echoes it. The image
//                is kept when the CRC matches.
//
// A PC that stops part way (a cancelled transfer, a closed port) must not spoil the
// transfers after it: every wait for the PC (the echo of the read's CRC, the next block
// of a write and its CRC) ends when what is due has not come within recoveryPauseMs of
// the unit's last answer, longer than the PC's own receive time-out (2000 ms). What was
// received is then dropped, nothing is stored, and the unit waits for a greeting again.
//
// Fault modes replace parts of that; pacing sends and takes every byte at the time it
// needs on a 9600-baud line (10 bits, 1.04 ms). The object is thread-safe: the test or
// benchmark reads its image and counters while the thread serves the line.
//
// Qt Core and POSIX only.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

class KrtSimulator
{
public:
    using Image = std::array<quint16, 1024>;

    enum class Fault {
        None,
        Silent,         // answers nothing at all
        OldUnit,        // ignores "PCCOM:", answers "PC:"
        WrongReadCrc,   // read: sends a CRC that does not match the image
        ZeroAck,        // write: acknowledges block `zeroAckBlock` (1..64) with 0 and stops
        WrongCrcEcho,   // write: echoes a CRC other than the one received, keeps nothing
        Burst2051,      // read: 2051 bytes in one write (image, CRC, one byte more)
        Short2049,      // read: 2049 bytes, then silence
        HangUp,         // read or write: closes the line after half of the image
        WrongWriteEcho, // write: answers 0x81 with 0x80, then takes the image as usual
    };

    // How long the unit waits for the PC before it gives up a transfer: a little longer
    // than the PC's receive time-out of 2000 ms, so that the unit never leaves a PC that
    // is still waiting for it.
    static constexpr int RecoveryPauseMs = 2200;

    struct Options
    {
        Fault fault = Fault::None;
        bool paced = false; // 9600-baud timing in both directions
        int zeroAckBlock = 10;
        int recoveryPauseMs = RecoveryPauseMs;
    };

    // What the unit saw and did, for tests.
    struct Stats
    {
        int pccomGreetings = 0; // "PCCOM:" received
        int pcGreetings = 0;    // "PC:" received
        int readCommands = 0;   // 0x80 answered
        int writeCommands = 0;  // 0x81 answered
        int acksSent = 0;
        int imagesAccepted = 0;   // writes whose CRC matched and whose image was kept
        QByteArray lastReadSent;  // the bytes sent after the last 0x80
        QByteArray lastReadEcho;  // the two bytes the PC sent back after it
        QByteArray lastWriteData; // the image bytes received after the last 0x81
        QByteArray lastWriteCrc;  // the two CRC bytes received after them
        qint64 bytesReceived = 0;
        qint64 bytesSent = 0;
        // Bytes of a write that reached the unit before the answer they must wait for (the
        // echo of 0x81, an acknowledgement, ...) was sent: a PC that keeps to the protocol
        // leaves this at 0.
        qint64 bytesAheadOfAnswer = 0;
        int recoveries = 0; // transfers given up because the PC stopped part way
    };

    static const char *faultName(Fault f);
    static bool faultFromName(const QString &name, Fault *f);
    // One line per mode, "\n  name: what it does", for --help.
    static QString faultHelp();

    KrtSimulator();
    explicit KrtSimulator(Options options);
    ~KrtSimulator();
    KrtSimulator(const KrtSimulator &) = delete;
    KrtSimulator &operator=(const KrtSimulator &) = delete;

    // Opens the pseudo-terminal pair and starts serving it.
    bool start(QString *error = nullptr);
    // Stops the thread and closes both ends. Called by the destructor.
    void stop();
    bool running() const { return m_thread.joinable(); }
    QString devicePath() const { return m_devicePath; }

    // CPU seconds the serving thread has used so far (0 when it is not running); a
    // benchmark takes it off the CPU of its whole process.
    double threadCpuSeconds();

    Image image() const;
    void setImage(const Image &image);
    Stats stats() const;
    // Called on the simulator's thread after a write was accepted.
    void setImageAcceptedHook(std::function<void(const Image &)> hook);

    // A plausible image: version 2.60, 24 cells, range L, logo and serial number set,
    // the other words 0.
    static Image defaultImage();

    // Project files: 7048 bytes, image at byte 5000, high byte first. load keeps the
    // text head for save; without one, save writes a minimal head.
    bool loadProjectFile(const QString &path, QString *error = nullptr);
    bool saveProjectFile(const QString &path, QString *error = nullptr) const;

    // The CRC of the link (start 0x1D0F), computed here on its own.
    static quint16 crc(const QByteArray &bytes);

private:
    using Clock = std::chrono::steady_clock;
    enum class State { Idle, ReadEcho, WriteData, WriteCrc, Dead };

    void run();
    void onByte(quint8 b, Clock::time_point arrival);
    void startRead();
    void send(const QByteArray &bytes, bool paced);
    void hangUp();
    bool waitingForPc() const;
    void giveUpIfAbandoned(Clock::time_point now);

    Options m_options;
    int m_master = -1;
    int m_slaveKeep = -1; // held open so that the master never sees a hang-up between transfers
    QString m_devicePath;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};

    // Serving state, only touched by the thread.
    State m_state = State::Idle;
    bool m_greeted = false;
    bool m_answered = false; // onByte() has just sent an answer the PC must wait for
    QByteArray m_recent;
    QByteArray m_collect;
    Clock::time_point m_rxClock{};
    Clock::time_point m_txClock{};
    Clock::time_point m_lastAnswer{}; // when the unit's last answer had left

    mutable std::mutex m_mutex; // guards what follows
    Image m_image{};
    QByteArray m_head;
    Stats m_stats;
    std::function<void(const Image &)> m_acceptedHook;
};
