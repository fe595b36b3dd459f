// Times showing the signal configuration page with every bit of the matrix set, as old
// data that must be converted first: the page entered through the tab bar (signal texts,
// conversion, every dot and the grid drawn), then the whole page painted at once.
// Reports the median and the slowest showing. Goal: under 10 ms. Exit code 1 when the
// median misses it.
//
// Usage: krt6signalbench [rounds]   (default 200)

#include "benchwindow.h"
#include "globals.h"
#include "pagecontrol.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int EmptyPage = 2;
constexpr int SignalPage = 8;
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    const auto w = benchWindow({EmptyPage});
    G.WriteAccepted = false; // old data: the matrix is converted when shown
    TPageControl *notebook = w->pageControl();
    QWidget *sheet = w->tabSheet(SignalPage);

    std::vector<double> times;
    times.reserve(rounds);
    for (int i = 0; i < rounds; ++i) {
        notebook->userSelect(EmptyPage - 1);
        std::fill(&G.ParamImage[180], &G.ParamImage[252], quint16(0xFFFF));
        G.SignalMatrixConverted = false;
        QElapsedTimer t;
        t.start();
        notebook->userSelect(SignalPage - 1);
        sheet->repaint();
        times.push_back(t.nsecsElapsed() / 1e6);
        if (!G.SignalMatrixConverted) {
            std::fprintf(stderr, "the matrix was not converted\n");
            return 2;
        }
    }
    const double typical = median(times);
    std::printf("page %d shown, every bit set and converted, painted: median %.3f ms, slowest %.3f ms (goal "
                "< 10 ms)\n",
                SignalPage, typical, *std::max_element(times.begin(), times.end()));
    return typical < 10.0 ? 0 : 1;
}
