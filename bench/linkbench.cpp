// Times a whole read and a whole write through the transfer window (open, configure,
// greeting, transfer with its progress, close) against the simulated KRT-6 paced at
// 9600 baud, and compares:
//   wall time / wire-time bound   (bound = bytes that crossed the line x 10 bits / 9600)
//   CPU time of the configurator / wall time: the whole process (window, progress and
//   protocol) without the simulated unit's thread
//   wakes: how often the main thread blocked and woke again (voluntary switches)
// Goals: read within 1.05 of the bound, write within 1.10, CPU below 2 % each.
//
// Usage: krt6linkbench [runs]   (default 3 runs of each direction; offscreen platform
// unless QT_QPA_PLATFORM says otherwise)

#include "connect.h"
#include "globals.h"
#include "krtprotocol.h"
#include "krtsim.h"
#include "messages.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

double seconds(const timeval &user, const timeval &system)
{
    return double(user.tv_sec + system.tv_sec) + double(user.tv_usec + system.tv_usec) / 1e6;
}

double processCpuSeconds()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return seconds(ru.ru_utime, ru.ru_stime);
}

long mainThreadWakes()
{
    rusage ru{};
    getrusage(RUSAGE_THREAD, &ru);
    return ru.ru_nvcsw;
}

struct Run
{
    double wall = 0;
    double bound = 0;
    double cpu = 0;
    long wakes = 0;
    qint64 bytes = 0;
    bool ok = false;
};

Run transfer(KrtSimulator &sim, TfmConnect &window, quint8 direction)
{
    G.TransferDirection = direction;
    window.show();
    QCoreApplication::processEvents();
    const auto before = sim.stats();
    const double cpu0 = processCpuSeconds() - sim.threadCpuSeconds();
    const long wakes0 = mainThreadWakes();
    QElapsedTimer t;
    t.start();
    window.TimerRdTimer(); // the timer's tick: the whole transfer, then the window closes
    Run r;
    r.wall = double(t.nsecsElapsed()) / 1e9;
    r.cpu = processCpuSeconds() - sim.threadCpuSeconds() - cpu0;
    r.wakes = mainThreadWakes() - wakes0;
    // The unit has taken the last bytes (the CRC echo of a read) by the time it is idle again.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200 && direction == 1 && sim.stats().lastReadEcho.size() < 2)
        QCoreApplication::processEvents();
    const auto after = sim.stats();
    r.bytes = (after.bytesReceived - before.bytesReceived) + (after.bytesSent - before.bytesSent);
    r.bound = double(r.bytes) * 10.0 / 9600.0;
    const TransferOutcome &out = window.lastOutcome();
    r.ok = direction == 1 ? out.imageRead : out.writeConfirmed;
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    int messages = 0;
    setMessagePresenter([&messages](const MessageRequest &r) {
        ++messages;
        std::fprintf(stderr, "message: %s\n", qPrintable(r.text));
        return int(MbOk);
    });

    KrtSimulator::Options options;
    options.paced = true;
    KrtSimulator sim(options);
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    ComSettings.Port = sim.devicePath();
    InitComSettings();
    for (int i = 0; i < ImageWordCount; ++i)
        G.CommittedImage[i] = quint16(i * 0x9E37u + 0x1234u);
    TfmConnect window;

    std::printf("KRT-6 link benchmark through the transfer window, simulated unit paced at 9600 baud "
                "(1.04 ms a byte), %d runs each\n\n",
                runs);
    std::printf("%-6s %6s %8s %8s %8s %8s %8s %6s\n", "", "bytes", "bound s", "wall s", "wall/bd", "cpu s",
                "cpu %", "wakes");
    bool allOk = true;
    for (quint8 direction : {quint8(1), quint8(2)}) {
        std::vector<double> ratio, share;
        for (int i = 0; i < runs; ++i) {
            const Run r = transfer(sim, window, direction);
            allOk = allOk && r.ok;
            ratio.push_back(r.wall / r.bound);
            share.push_back(100.0 * r.cpu / r.wall);
            std::printf("%-6s %6lld %8.3f %8.3f %8.3f %8.3f %8.2f %6ld%s\n",
                        direction == 1 ? "read" : "write", static_cast<long long>(r.bytes), r.bound, r.wall,
                        r.wall / r.bound, r.cpu, 100.0 * r.cpu / r.wall, r.wakes, r.ok ? "" : "  FAILED");
        }
        const double goal = direction == 1 ? 1.05 : 1.10;
        std::printf(
            "%-6s median wall/bound %.3f (goal <= %.2f: %s), median CPU %.2f %% (goal < 2 %%: %s)\n\n",
            direction == 1 ? "read" : "write", median(ratio), goal, median(ratio) <= goal ? "met" : "MISSED",
            median(share), median(share) < 2.0 ? "met" : "MISSED");
    }
    sim.stop();
    if (!allOk || messages > 0) {
        std::fprintf(stderr, "a transfer failed\n");
        return 1;
    }
    return 0;
}
