// Times reads and writes as a user runs them: the configurator's main window shown on the
// platform in use (xcb on a display, offscreen without one), the toolbar's read or write
// button clicked, the transfer window shown modally by the command, against the simulated
// KRT-6 paced at 9600 baud and run as a program of its own (krt6sim --paced), so that the
// process measured is the configurator alone. For each transfer, from the tick of the
// transfer window's timer to the window's end:
//   wall / wire-time bound   (bound = the transfer's bytes x 10 bits / 9600 baud)
//   CPU share                CPU time of the whole process (every thread: GUI, platform,
//                            protocol) / wall time
//   wakes                    how often the main thread blocked and woke again
// Goals: read within 1.05 of the bound, write within 1.10, the CPU share below 2 % in
// every transfer (the median and the maximum are reported).
//
// Usage: krt6linkbench [runs]   (default 3 of each direction). The platform is Qt's
// default (QT_QPA_PLATFORM, else xcb when DISPLAY is set), offscreen when there is no
// display; e.g. xvfb-run -a ./build/bench/krt6linkbench 30

#include "comsettings.h"
#include "connect.h"
#include "globals.h"
#include "krtprotocol.h"
#include "mainwindow.h"
#include "messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

double processCpuSeconds()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

long mainThreadWakes()
{
    rusage ru{};
    getrusage(RUSAGE_THREAD, &ru);
    return ru.ru_nvcsw;
}

// The bytes of a transfer on both wires: the greeting "PCCOM:" and its '>', then
//   read:  0x80, 2048 image bytes and the CRC, the CRC echoed;
//   write: 0x81 and its echo, 2048 image bytes, 64 acknowledgements, the CRC and its echo.
constexpr qint64 ReadBytes = 6 + 1 + 1 + KrtProtocol::ReadByteCount + 2;
constexpr qint64 WriteBytes = 6 + 1 + 2 + KrtProtocol::ImageByteCount + 64 + 2 + 2;

QElapsedTimer sinceStart;

struct Sample
{
    double cpu = 0;
    long wakes = 0;
    qint64 ns = 0;
    void take()
    {
        cpu = processCpuSeconds();
        wakes = mainThreadWakes();
        ns = sinceStart.nsecsElapsed();
    }
};

// Takes a sample when the transfer window's timer ticks, before the tick runs.
class TickWatch : public QObject
{
public:
    Sample start;
    bool ticked = false;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Timer && !ticked) {
            ticked = true;
            start.take();
        }
        return false;
    }
};

struct Run
{
    double wall = 0;
    double cpu = 0;
    long wakes = 0;
    bool ok = false;
};

// Runs the event loop for `ms`, as the program idles between commands.
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

Run transfer(QAbstractButton *button, bool read, TickWatch &watch, const Sample &end)
{
    watch.ticked = false;
    button->click(); // the command shows the transfer window and returns when it closed
    Run r;
    r.wall = double(end.ns - watch.start.ns) / 1e9;
    r.cpu = end.cpu - watch.start.cpu;
    r.wakes = end.wakes - watch.start.wakes;
    const TransferOutcome &out = fmConnect->lastOutcome();
    r.ok = watch.ticked && (read ? out.imageRead : out.writeConfirmed);
    return r;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    sinceStart.start();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    int unexpected = 0;
    setMessagePresenter([&unexpected](const MessageRequest &r) {
        if (r.text.startsWith(QStringLiteral("Save changes")))
            return int(MbNo); // the read asks to save the project first: not now
        ++unexpected;
        std::fprintf(stderr, "message: %s\n", qPrintable(r.text));
        return int(MbOk);
    });

    QProcess unit;
    unit.setStandardErrorFile(QProcess::nullDevice()); // its line for every image received
    unit.start(QStringLiteral(KRT_SIM_PROGRAM), {QStringLiteral("--paced"), QStringLiteral("--until-eof")});
    QElapsedTimer wait;
    wait.start();
    while (!unit.canReadLine() && wait.elapsed() < 5000)
        unit.waitForReadyRead(100);
    ComSettings.Port = QString::fromLocal8Bit(unit.readLine()).trimmed();
    if (!ComSettings.Port.startsWith(QStringLiteral("/dev/"))) {
        std::fprintf(stderr, "krt6sim did not start (%s)\n", KRT_SIM_PROGRAM);
        return 1;
    }
    InitComSettings();

    auto *main = new TfrmMain;
    fmConnect = new TfmConnect;
    main->setTransferCommandsEnabled(true);
    main->show();
    for (int i = 0; i < 500 && !(main->windowHandle() && main->windowHandle()->isExposed()); ++i)
        settle(10);
    settle(300);

    TickWatch watch;
    fmConnect->TimerRd->installEventFilter(&watch);
    Sample end;
    QObject::connect(fmConnect, &QDialog::finished, [&end] { end.take(); });

    std::printf("KRT-6 link benchmark: the configurator as a user runs it (platform %s), the toolbar's "
                "read and write\nagainst krt6sim --paced (9600 baud, 1.04 ms a byte), %d runs each; CPU "
                "of the whole process\n\n",
                qPrintable(QGuiApplication::platformName()), runs);
    std::printf("%-6s %6s %8s %8s %8s %8s %8s %6s\n", "", "bytes", "bound s", "wall s", "wall/bd", "cpu s",
                "cpu %", "wakes");
    bool allOk = true, goalsMet = true;
    for (const bool read : {true, false}) {
        const char *name = read ? "BitBtn_rd_LCtoPC" : "BitBtn_wr_LCtoPC";
        auto *button = main->findChild<QAbstractButton *>(QLatin1String(name));
        const qint64 bytes = read ? ReadBytes : WriteBytes;
        const double bound = double(bytes) * 10.0 / 9600.0;
        std::vector<double> ratio, share;
        for (int i = 0; i < runs; ++i) {
            const Run r = transfer(button, read, watch, end);
            settle(200);
            allOk = allOk && r.ok;
            ratio.push_back(r.wall / bound);
            share.push_back(100.0 * r.cpu / r.wall);
            std::printf("%-6s %6lld %8.3f %8.3f %8.3f %8.3f %8.2f %6ld%s\n", read ? "read" : "write",
                        static_cast<long long>(bytes), bound, r.wall, r.wall / bound, r.cpu,
                        100.0 * r.cpu / r.wall, r.wakes, r.ok ? "" : "  FAILED");
        }
        const double goal = read ? 1.05 : 1.10;
        const double maxShare = *std::max_element(share.begin(), share.end());
        const bool met = median(ratio) <= goal && maxShare < 2.0;
        goalsMet = goalsMet && met;
        std::printf("%-6s wall/bound median %.3f, max %.3f (goal <= %.2f); CPU median %.2f %%, max %.2f %% "
                    "(goal < 2 %% in every run): %s\n\n",
                    read ? "read" : "write", median(ratio), *std::max_element(ratio.begin(), ratio.end()), goal,
                    median(share), maxShare, met ? "met" : "MISSED");
    }
    delete fmConnect;
    fmConnect = nullptr;
    delete main;
    unit.closeWriteChannel();
    unit.waitForFinished(5000);
    if (!allOk || unexpected > 0) {
        std::fprintf(stderr, "a transfer failed\n");
        return 1;
    }
    return goalsMet ? 0 : 2;
}
