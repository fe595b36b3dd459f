// Prints the full report of a rich project (every matrix bit set, three batteries, both
// boards, a long memo) to a PDF file and reports the CPU time of the run.
// Goal: under 0.3 s of CPU. Exit code 1 when the goal is missed.
//
// Usage: krt6reportbench [runs]   (default 5; the median is reported)

#include "defaults.h"
#include "globals.h"
#include "printercanvas.h"
#include "report.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {
double processCpuSeconds()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) + double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    SetNewProjectDefaults();
    for (int w = 180; w <= 251; ++w)
        G.ParamImage[w] = 0xFFFF; // every signal on every output
    G.ParamImage[69] = 3;
    G.ParamImage[84] = 1;
    G.ParamImage[617] = 1;
    G.ParamImage[464] = 1;
    TReportInput input;
    input.projectName = QStringLiteral("BENCH PLANT");
    input.now = QDateTime::currentDateTime();
    for (int k = 0; k < 60; ++k)
        input.memoLines << QStringLiteral("Memo line %1 with some text of the commissioning engineer").arg(k);
    for (int r = 0; r < 16; ++r)
        input.rowCaptions << QStringLiteral(" Row %1").arg(r);

    QTemporaryDir dir;
    std::vector<double> cpu;
    int pages = 0;
    for (int i = 0; i < runs; ++i) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
        TPrinterCanvas canvas(&printer);
        TReport report(canvas, input);
        const double start = processCpuSeconds();
        if (!report.run()) {
            std::fprintf(stderr, "print failed: %s\n", qPrintable(canvas.errorText()));
            return 2;
        }
        cpu.push_back(processCpuSeconds() - start);
        pages = report.PrintPageNo;
    }
    std::sort(cpu.begin(), cpu.end());
    const double median = cpu[cpu.size() / 2];
    std::printf("report of %d pages to PDF: median CPU %.3f s (goal < 0.3 s), %d runs\n", pages, median, runs);
    return median < 0.3 ? 0 : 1;
}
