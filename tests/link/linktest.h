#pragma once
// Shared pieces of the link tests: a simulated unit on a pseudo-terminal, a protocol
// pointed at it, and images with recognisable words.

#include "globals.h"
#include "krtprotocol.h"
#include "krtsim.h"
#include "linktesthelpers.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>

#include <fcntl.h>
#include <unistd.h>

// A different value in every word, both bytes varying, word 5 = 0x1234.
inline TParamImage patternImage(quint16 seed)
{
    TParamImage img{};
    quint32 x = 0x9E3779B9u ^ seed;
    for (auto &w : img) {
        x = x * 1664525u + 1013904223u;
        w = quint16(x >> 13);
    }
    img[5] = 0x1234;
    return img;
}

// Fills the three images of G with distinct patterns so that any change shows.
inline void fillGlobalImages()
{
    G.ParamImage = patternImage(11);
    G.CommittedImage = patternImage(22);
    G.ReferenceImage = patternImage(33);
}

inline void verifyGlobalImagesUntouched()
{
    QVERIFY(G.ParamImage == patternImage(11));
    QVERIFY(G.CommittedImage == patternImage(22));
    QVERIFY(G.ReferenceImage == patternImage(33));
}

// Starts the unit and points the run's serial settings at it.
inline bool startUnit(KrtSimulator &sim)
{
    QString error;
    if (!sim.start(&error)) {
        qWarning("simulator: %s", qPrintable(error));
        return false;
    }
    ComSettings.Port = sim.devicePath();
    InitComSettings();
    return true;
}

struct SimLink
{
    std::unique_ptr<KrtSimulator> sim;
    KrtProtocol link;

    explicit SimLink(KrtSimulator::Options options = KrtSimulator::Options())
        : sim(std::make_unique<KrtSimulator>(options))
    {}

    // Starts the unit and opens, configures and greets it; true when all went well.
    bool connect()
    {
        return startUnit(*sim) && link.OpenPort() && link.ConfigurePort() == 1 && link.ConnectToUnit();
    }
};

// Line-error counters that a test steps: `step` is added by stepNow(), or by the call
// `stepAtCall` of read() (call 1 takes the configured port's base).
struct SteppedLineErrors : LineErrorSource
{
    LineErrorCounts counts, step;
    bool counted = true;
    int calls = 0, stepAtCall = 0;
    bool read(QSerialPort &, LineErrorCounts *c) override
    {
        if (++calls == stepAtCall)
            stepNow();
        *c = counts;
        return counted;
    }
    void stepNow()
    {
        counts = {counts.frame + step.frame, counts.parity + step.parity, counts.overrun + step.overrun,
                  counts.brk + step.brk};
    }
};

// From now on every read of the PC's port fails while the line stays up, as with a
// driver fault (the unit's end of a pseudo-terminal can only hang up): the port's
// descriptor becomes a directory, which polls readable and fails reads with EISDIR.
inline void failReadsFromNowOn(QSerialPort &port)
{
    const int dir = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(dir >= 0 && ::dup2(dir, int(port.handle())) >= 0);
    ::close(dir);
}

inline KrtSimulator::Options simOptions(KrtSimulator::Fault fault, bool paced = false)
{
    KrtSimulator::Options o;
    o.fault = fault;
    o.paced = paced;
    return o;
}

// Waits (processing events) until `cond` holds or `ms` pass.
template <typename Cond> bool waitUntil(Cond cond, int ms = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!cond()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}
