#include "krtsim.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr auto ByteTime = std::chrono::nanoseconds(1'000'000'000LL * 10 / 9600); // 1.0417 ms
constexpr int ImageBytes = 2048;
constexpr int BlockBytes = 32;
constexpr quint8 AckByte = 0x06;

constexpr int HeadBytes = 5000;
constexpr int FileBytes = 7048;

QByteArray headLine(const QByteArray &text)
{
    QByteArray line = text.left(48);
    line.append(QByteArray(48 - line.size(), ' '));
    return line + "\r\n";
}

struct FaultRow
{
    KrtSimulator::Fault fault;
    const char *name;
    const char *effect; // one line for --help and the README
};
constexpr FaultRow FaultRows[] = {
    {KrtSimulator::Fault::None, "none", "a sound unit (the default)"},
    {KrtSimulator::Fault::Silent, "silent", "answers nothing at all"},
    {KrtSimulator::Fault::OldUnit, "old-unit", "answers only \"PC:\", never \"PCCOM:\""},
    {KrtSimulator::Fault::WrongReadCrc, "wrong-read-crc", "read: a checksum that does not match"},
    {KrtSimulator::Fault::ZeroAck, "zero-ack", "write: block 10 acknowledged with 0, then stops"},
    {KrtSimulator::Fault::WrongCrcEcho, "wrong-crc-echo", "write: echoes a wrong checksum, keeps nothing"},
    {KrtSimulator::Fault::Burst2051, "burst-2051", "read: 2051 bytes at once, one more than due"},
    {KrtSimulator::Fault::Short2049, "short-2049", "read: 2049 bytes, then nothing"},
    {KrtSimulator::Fault::HangUp, "hang-up", "read or write: closes the line half way"},
    {KrtSimulator::Fault::WrongWriteEcho, "wrong-write-echo", "write: answers 0x81 with 0x80, goes on"},
};
} // namespace

const char *KrtSimulator::faultName(Fault f)
{
    for (const FaultRow &row : FaultRows)
        if (row.fault == f)
            return row.name;
    return "?";
}

bool KrtSimulator::faultFromName(const QString &name, Fault *f)
{
    for (const FaultRow &row : FaultRows) {
        if (name == QLatin1String(row.name)) {
            *f = row.fault;
            return true;
        }
    }
    return false;
}

QString KrtSimulator::faultHelp()
{
    QString help;
    for (const FaultRow &row : FaultRows)
        help += QStringLiteral("\n  %1: %2").arg(QLatin1String(row.name), QLatin1String(row.effect));
    return help;
}

quint16 KrtSimulator::crc(const QByteArray &bytes)
{
    // Table-free form: the register's top bit against the next data bit, data bits
    // taken least significant first.
    quint16 reg = 0x1D0F;
    for (char c : bytes) {
        quint8 b = quint8(c);
        for (int k = 0; k < 8; ++k, b >>= 1) {
            const quint16 feedback = ((reg >> 15) ^ b) & 1;
            reg = quint16((reg << 1) ^ (feedback ? 0x1021 : 0));
        }
    }
    return reg;
}

KrtSimulator::Image KrtSimulator::defaultImage()
{
    Image img{};
    img[70] = 24;      // cells
    img[960] = 0;      // range L
    img[962] = 0x023C; // firmware 2.60
    auto putText = [&img](int first, const QByteArray &text16) {
        QByteArray t = text16.left(16);
        t.append(QByteArray(16 - t.size(), ' '));
        for (int k = 0; k < 8; ++k)
            img[first + k] = quint16(quint8(t[2 * k]) << 8 | quint8(t[2 * k + 1]));
    };
    putText(256, "KRT-6 simulator");
    putText(264, "9600 8N1");
    putText(965, "SIM-0001");
    return img;
}

KrtSimulator::KrtSimulator() : KrtSimulator(Options()) {}

KrtSimulator::KrtSimulator(Options options) : m_options(options), m_image(defaultImage()) {}

KrtSimulator::~KrtSimulator()
{
    stop();
}

bool KrtSimulator::start(QString *error)
{
    auto failed = [&](const char *what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(what),
                                                  QString::fromLocal8Bit(std::strerror(errno)));
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
        return false;
    };
    if (running())
        return true;
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return failed("posix_openpt");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return failed("grantpt/unlockpt");
    const char *name = ::ptsname(m_master);
    if (!name)
        return failed("ptsname");
    m_devicePath = QString::fromLocal8Bit(name);

    // Raw mode for the pair: no echo, no line editing, no translation of CR and LF.
    termios tio{};
    if (::tcgetattr(m_master, &tio) != 0)
        return failed("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(m_master, TCSANOW, &tio) != 0)
        return failed("tcsetattr");
    m_slaveKeep = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slaveKeep >= 0)
        ::tcsetattr(m_slaveKeep, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    m_stop = false;
    m_state = State::Idle;
    m_greeted = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void KrtSimulator::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slaveKeep >= 0)
        ::close(m_slaveKeep);
    m_master = m_slaveKeep = -1;
}

double KrtSimulator::threadCpuSeconds()
{
    if (!m_thread.joinable())
        return 0;
    clockid_t clock;
    timespec ts{};
    if (::pthread_getcpuclockid(m_thread.native_handle(), &clock) != 0 || ::clock_gettime(clock, &ts) != 0)
        return 0;
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

KrtSimulator::Image KrtSimulator::image() const
{
    std::lock_guard lock(m_mutex);
    return m_image;
}

void KrtSimulator::setImage(const Image &image)
{
    std::lock_guard lock(m_mutex);
    m_image = image;
}

KrtSimulator::Stats KrtSimulator::stats() const
{
    std::lock_guard lock(m_mutex);
    return m_stats;
}

void KrtSimulator::setImageAcceptedHook(std::function<void(const Image &)> hook)
{
    std::lock_guard lock(m_mutex);
    m_acceptedHook = std::move(hook);
}

void KrtSimulator::run()
{
    char buf[4096];
    while (!m_stop && m_state != State::Dead) {
        giveUpIfAbandoned(Clock::now());
        pollfd p{m_master, POLLIN, 0};
        const int r = ::poll(&p, 1, 20);
        if (r <= 0)
            continue;
        if (!(p.revents & POLLIN)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5)); // no reader on the other end
            continue;
        }
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0) {
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        {
            std::lock_guard lock(m_mutex);
            m_stats.bytesReceived += n;
        }
        const auto now = Clock::now();
        for (ssize_t i = 0; i < n && !m_stop && m_state != State::Dead; ++i) {
            Clock::time_point arrival = now;
            if (m_options.paced) {
                // The byte is whole at the unit one character time after the line was free.
                m_rxClock = std::max(now, m_rxClock) + ByteTime;
                arrival = m_rxClock;
                std::this_thread::sleep_until(arrival);
            }
            giveUpIfAbandoned(arrival);
            m_answered = false;
            onByte(quint8(buf[i]), arrival);
            if (m_answered && i + 1 < n && (m_state == State::WriteData || m_state == State::WriteCrc)) {
                // The rest of this chunk was on its way before the answer left.
                std::lock_guard lock(m_mutex);
                m_stats.bytesAheadOfAnswer += n - i - 1;
            }
        }
    }
}

void KrtSimulator::onByte(quint8 b, Clock::time_point)
{
    const Fault fault = m_options.fault;
    switch (m_state) {
    case State::Dead:
        return;
    case State::Idle:
        if (m_greeted && b == 0x80) {
            m_greeted = false;
            startRead();
            return;
        }
        if (m_greeted && b == 0x81) {
            m_greeted = false;
            {
                std::lock_guard lock(m_mutex);
                ++m_stats.writeCommands;
                m_stats.lastWriteData.clear();
                m_stats.lastWriteCrc.clear();
            }
            m_collect.clear();
            m_state = State::WriteData;
            send(QByteArray(1, char(fault == Fault::WrongWriteEcho ? 0x80 : 0x81)), m_options.paced);
            m_answered = true;
            return;
        }
        m_recent.append(char(b));
        if (m_recent.size() > 6)
            m_recent.remove(0, m_recent.size() - 6);
        if (m_recent.endsWith("PCCOM:")) {
            m_recent.clear();
            {
                std::lock_guard lock(m_mutex);
                ++m_stats.pccomGreetings;
            }
            if (fault != Fault::Silent && fault != Fault::OldUnit) {
                m_greeted = true;
                send(">", m_options.paced);
            }
        } else if (m_recent.endsWith("PC:")) {
            m_recent.clear();
            {
                std::lock_guard lock(m_mutex);
                ++m_stats.pcGreetings;
            }
            if (fault != Fault::Silent) {
                m_greeted = true;
                send(">", m_options.paced);
            }
        }
        return;
    case State::ReadEcho:
        m_collect.append(char(b));
        if (m_collect.size() == 2) {
            std::lock_guard lock(m_mutex);
            m_stats.lastReadEcho = m_collect;
            m_state = State::Idle;
        }
        return;
    case State::WriteData:
        m_collect.append(char(b));
        if (fault == Fault::HangUp && m_collect.size() == ImageBytes / 2) {
            {
                std::lock_guard lock(m_mutex);
                m_stats.lastWriteData = m_collect;
            }
            hangUp();
            return;
        }
        if (m_collect.size() % BlockBytes == 0) {
            const int block = int(m_collect.size()) / BlockBytes;
            const bool zero = fault == Fault::ZeroAck && block == m_options.zeroAckBlock;
            {
                std::lock_guard lock(m_mutex);
                ++m_stats.acksSent;
                m_stats.lastWriteData = m_collect;
            }
            send(QByteArray(1, zero ? char(0) : char(AckByte)), m_options.paced);
            m_answered = true;
            if (zero) {
                m_state = State::Idle;
                return;
            }
            if (m_collect.size() == ImageBytes) {
                m_state = State::WriteCrc;
                m_collect.clear();
            }
        }
        return;
    case State::WriteCrc: {
        m_collect.append(char(b));
        if (m_collect.size() < 2)
            return;
        m_state = State::Idle;
        QByteArray data;
        std::function<void(const Image &)> hook;
        Image accepted{};
        {
            std::lock_guard lock(m_mutex);
            m_stats.lastWriteCrc = m_collect;
            data = m_stats.lastWriteData;
        }
        const quint16 received = quint16(quint8(m_collect[0]) | quint8(m_collect[1]) << 8);
        QByteArray echo = m_collect;
        if (fault == Fault::WrongCrcEcho) {
            echo[0] = char(echo[0] ^ 0x5A);
        } else if (received == crc(data)) {
            for (int i = 0; i < 1024; ++i)
                accepted[i] = quint16(quint8(data[2 * i]) | quint8(data[2 * i + 1]) << 8);
            std::lock_guard lock(m_mutex);
            m_image = accepted;
            ++m_stats.imagesAccepted;
            hook = m_acceptedHook;
        }
        send(echo, m_options.paced);
        if (hook)
            hook(accepted);
        return;
    }
    }
}

void KrtSimulator::startRead()
{
    const Fault fault = m_options.fault;
    QByteArray bytes;
    {
        std::lock_guard lock(m_mutex);
        ++m_stats.readCommands;
        for (quint16 w : m_image) {
            bytes.append(char(w & 0xFF));
            bytes.append(char(w >> 8));
        }
    }
    quint16 c = crc(bytes);
    if (fault == Fault::WrongReadCrc)
        c ^= 0x0101;
    bytes.append(char(c & 0xFF));
    bytes.append(char(c >> 8));

    m_collect.clear();
    m_state = State::ReadEcho;
    switch (fault) {
    case Fault::Burst2051:
        bytes.append(char(0x55));
        send(bytes, false);
        break;
    case Fault::Short2049:
        send(bytes.left(2049), m_options.paced);
        m_state = State::Idle;
        break;
    case Fault::HangUp:
        send(bytes.left(ImageBytes / 2), m_options.paced);
        hangUp();
        break;
    default:
        send(bytes, m_options.paced);
    }
    std::lock_guard lock(m_mutex);
    m_stats.lastReadSent = bytes;
}

void KrtSimulator::send(const QByteArray &bytes, bool paced)
{
    qsizetype done = 0;
    while (done < bytes.size() && !m_stop && m_master >= 0) {
        qsizetype chunk = bytes.size() - done;
        if (paced) {
            // Back to back while the line is busy, so that late wake-ups do not add up.
            const auto now = Clock::now();
            m_txClock = (now - m_txClock > ByteTime ? now : m_txClock) + ByteTime;
            std::this_thread::sleep_until(m_txClock);
            chunk = 1;
        }
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(chunk));
        if (n > 0) {
            done += n;
            std::lock_guard lock(m_mutex);
            m_stats.bytesSent += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{m_master, POLLOUT, 0};
            ::poll(&p, 1, 20);
        } else {
            break;
        }
    }
    m_lastAnswer = Clock::now();
}

bool KrtSimulator::waitingForPc() const
{
    return m_state == State::ReadEcho || m_state == State::WriteData || m_state == State::WriteCrc;
}

void KrtSimulator::giveUpIfAbandoned(Clock::time_point now)
{
    if (!waitingForPc() || now - m_lastAnswer <= std::chrono::milliseconds(m_options.recoveryPauseMs))
        return;
    m_state = State::Idle;
    m_collect.clear();
    // On a real line what the PC's closed port did not take is gone; the pseudo-terminal
    // would keep it for the PC's next greeting.
    if (m_slaveKeep >= 0)
        ::tcflush(m_slaveKeep, TCIFLUSH);
    std::lock_guard lock(m_mutex);
    ++m_stats.recoveries;
}

void KrtSimulator::hangUp()
{
    m_state = State::Dead;
    if (m_slaveKeep >= 0)
        ::close(m_slaveKeep);
    if (m_master >= 0)
        ::close(m_master);
    m_master = m_slaveKeep = -1;
}

bool KrtSimulator::loadProjectFile(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray data = f.read(FileBytes + 1);
    if (data.size() != FileBytes) {
        if (error)
            *error = QStringLiteral("not a project file (%1%2 bytes, 7048 expected)")
                         .arg(data.size() > FileBytes ? "over " : "")
                         .arg(data.size() > FileBytes ? FileBytes : data.size());
        return false;
    }
    // Each of the 100 head lines ends in CR LF; a file whose line ends were converted
    // has its image shifted.
    for (int n = 0; n < 100; ++n) {
        if (data.mid(n * 50 + 48, 2) != "\r\n") {
            if (error)
                *error = QStringLiteral("not a project file (head line %1 does not end in CR LF)").arg(n);
            return false;
        }
    }
    Image img{};
    for (int k = 0; k < 1024; ++k)
        img[k] = quint16(quint8(data[HeadBytes + 2 * k]) << 8 | quint8(data[HeadBytes + 2 * k + 1]));
    std::lock_guard lock(m_mutex);
    m_image = img;
    m_head = data.left(HeadBytes);
    return true;
}

bool KrtSimulator::saveProjectFile(const QString &path, QString *error) const
{
    QByteArray head;
    Image img;
    {
        std::lock_guard lock(m_mutex);
        head = m_head;
        img = m_image;
    }
    if (head.size() != HeadBytes) {
        head.clear();
        for (int n = 0; n < 100; ++n) {
            QByteArray text;
            switch (n) {
            case 0:
                text = "Config file KRT-6 from V2.5";
                break;
            case 5:
                text = "Project     :  KRT-6 simulator";
                break;
            case 6:
                text = "Firmware    :  Version 2.60";
                break;
            case 8:
                text = "Version :  2.60";
                break;
            case 10:
                text = "Memo :";
                break;
            default:
                break;
            }
            head += headLine(text);
        }
    }
    QByteArray data = head;
    for (quint16 w : img) {
        data.append(char(w >> 8));
        data.append(char(w & 0xFF));
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}
