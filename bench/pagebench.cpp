// Times a tab click as a user makes it, on a new project's image (range L, 24 cells): the
// mouse pressed on a tab of the notebook, the shown page left (its collector) and the
// other entered (its filler), then the layout and the paint of the window that follow.
// Clicks between the two heaviest pages (4 "Thresholds" and 5 "Devices") are measured
// next to clicks between two light pages (11 "Counter cells" and 12 " Mains Mon. KRT3 ").
// For each click: CPU time of the process and wall time from the press to the end of the
// paint; the medians and the slowest click of each pair are reported.
//
// Usage: krt6pagebench [rounds]   (default 100 round trips a pair; the platform in use,
// offscreen when there is no display)

#include "benchwindow.h"
#include "globals.h"
#include "pagecontrol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>
#include <ctime>

namespace {
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Counts the paint events of a page's sheet.
class PaintCount : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

struct Times
{
    std::vector<double> cpu, wall;
    bool painted = true;
};

// Clicks the tab of page `to` and processes events until its sheet was painted.
void click(TfrmMain *w, int to, Times &times)
{
    auto *bar = static_cast<TPageTabBar *>(w->pageControl()->tabBar());
    PaintCount count;
    w->tabSheet(to)->installEventFilter(&count);
    QElapsedTimer wall;
    const double cpu0 = cpuMs();
    wall.start();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->pageTabRect(to - 1).center());
    while (count.paints == 0 && wall.elapsed() < 1000)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents(); // what the paint posted in turn
    times.cpu.push_back(cpuMs() - cpu0);
    times.wall.push_back(wall.nsecsElapsed() / 1e6);
    times.painted = times.painted && count.paints > 0 && w->shownPageNumber() == to;
}

Times clicksBetween(TfrmMain *w, int a, int b, int rounds)
{
    Times times;
    click(w, a, times);
    times = Times();
    for (int i = 0; i < rounds; ++i) {
        click(w, b, times);
        click(w, a, times);
    }
    return times;
}

void print(const char *what, const Times &t)
{
    std::printf("%-28s CPU median %6.2f ms, max %6.2f ms; wall median %6.2f ms, max %6.2f ms\n", what,
                median(t.cpu), *std::max_element(t.cpu.begin(), t.cpu.end()), median(t.wall),
                *std::max_element(t.wall.begin(), t.wall.end()));
}
} // namespace

int main(int argc, char **argv)
{
    usePlatformInUse();
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    const auto w = newProjectWindow();

    const Times heavy = clicksBetween(w.get(), 4, 5, rounds);
    const Times light = clicksBetween(w.get(), 11, 12, rounds);
    std::printf("tab clicks on a new project (%d cells, platform %s), %d each, layout and paint included\n",
                int(G.CellCount), qPrintable(QGuiApplication::platformName()), 2 * rounds);
    print("pages 4 <-> 5 (heaviest):", heavy);
    print("pages 11 <-> 12 (light):", light);
    std::printf("heavy / light (CPU medians): %.2f\n", median(heavy.cpu) / median(light.cpu));
    if (!heavy.painted || !light.painted) {
        std::fprintf(stderr, "a click did not show and paint its page\n");
        return 1;
    }
    return 0;
}
