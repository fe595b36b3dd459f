// Times entering and leaving the largest kit page (fill plus collect, through the tab
// bar as a click does) against a switch between two empty pages, and reports
//   the time of one enter-and-leave of the page, and its ratio to the empty switch.
// Goal: under 5 ms. Exit code 1 when the goal is missed.
//
// Usage: krt6pagebench [rounds]   (default 200)

#include "benchwindow.h"
#include "globals.h"
#include "pagecontrol.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int EmptyA = 2;
constexpr int EmptyB = 3;
constexpr int Largest = 4; // the Thresholds page: 30 rows, seven of them with a per-cell partner

// Median time in milliseconds of one switch from `from` to `to` and back.
double medianRoundTrip(TPageControl *notebook, int from, int to, int rounds)
{
    std::vector<double> times;
    times.reserve(rounds);
    notebook->userSelect(from - 1);
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        notebook->userSelect(to - 1);
        notebook->userSelect(from - 1);
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(times);
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    // Pages 2 and 3 stand empty, so that their switch measures the framework alone.
    const auto w = benchWindow({EmptyA, EmptyB});
    G.ParamImage[618] = 1;

    const double empty = medianRoundTrip(w->pageControl(), EmptyA, EmptyB, rounds);
    const double page = medianRoundTrip(w->pageControl(), EmptyB, Largest, rounds);
    const double enterLeave = page - empty / 2; // one empty leave and entry is the framework's share
    std::printf("empty switch and back: %.3f ms\n", empty);
    std::printf("page %d entered and left: %.3f ms (ratio %.2f to the empty switch)\n", Largest, page,
                page / empty);
    std::printf("fill plus collect: %.3f ms (goal < 5 ms)\n", enterLeave);
    return page < 5.0 ? 0 : 1;
}
