// Times a whole read and a whole write (open, configure, greeting, transfer, close)
// against the simulated KRT-6 paced at 9600 baud, and compares:
//   wall time / wire-time bound   (bound = bytes that crossed the line x 10 bits / 9600)
//   CPU time of the protocol thread / wall time
// Goals: read within 1.05 of the bound, write within 1.10, CPU below 5 %.
//
// Usage: krt6linkbench [runs]   (default 3 runs of each direction)

#include "globals.h"
#include "krtprotocol.h"
#include "krtsim.h"
#include "messages.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

double threadCpuSeconds()
{
    rusage ru{};
    getrusage(RUSAGE_THREAD, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

struct Run
{
    double wall = 0;
    double bound = 0;
    double cpu = 0;
    qint64 bytes = 0;
    bool ok = false;
};

Run transfer(KrtSimulator &sim, quint8 direction)
{
    G.TransferDirection = direction;
    const auto before = sim.stats();
    KrtProtocol link;
    const double cpu0 = threadCpuSeconds();
    QElapsedTimer t;
    t.start();
    const TransferOutcome out = RunTransfer(link);
    Run r;
    r.wall = double(t.nsecsElapsed()) / 1e9;
    r.cpu = threadCpuSeconds() - cpu0;
    // The unit has taken the last bytes (the CRC echo of a read) by the time it is idle again.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200 && direction == 1 && sim.stats().lastReadEcho.size() < 2)
        QCoreApplication::processEvents();
    const auto after = sim.stats();
    r.bytes = (after.bytesReceived - before.bytesReceived) + (after.bytesSent - before.bytesSent);
    r.bound = double(r.bytes) * 10.0 / 9600.0;
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
    QCoreApplication app(argc, argv);
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

    std::printf("KRT-6 link benchmark, simulated unit paced at 9600 baud (1.04 ms a byte), %d runs each\n\n",
                runs);
    std::printf("%-6s %6s %8s %8s %8s %8s %8s\n", "", "bytes", "bound s", "wall s", "wall/bd", "cpu s",
                "cpu %");
    bool allOk = true;
    for (quint8 direction : {quint8(1), quint8(2)}) {
        std::vector<double> ratio, share;
        for (int i = 0; i < runs; ++i) {
            const Run r = transfer(sim, direction);
            allOk = allOk && r.ok;
            ratio.push_back(r.wall / r.bound);
            share.push_back(100.0 * r.cpu / r.wall);
            std::printf("%-6s %6lld %8.3f %8.3f %8.3f %8.3f %8.2f%s\n", direction == 1 ? "read" : "write",
                        static_cast<long long>(r.bytes), r.bound, r.wall, r.wall / r.bound, r.cpu,
                        100.0 * r.cpu / r.wall, r.ok ? "" : "  FAILED");
        }
        const double goal = direction == 1 ? 1.05 : 1.10;
        std::printf(
            "%-6s median wall/bound %.3f (goal <= %.2f: %s), median CPU %.2f %% (goal < 5 %%: %s)\n\n",
            direction == 1 ? "read" : "write", median(ratio), goal, median(ratio) <= goal ? "met" : "MISSED",
            median(share), median(share) < 5.0 ? "met" : "MISSED");
    }
    sim.stop();
    if (!allOk || messages > 0) {
        std::fprintf(stderr, "a transfer failed\n");
        return 1;
    }
    return 0;
}
