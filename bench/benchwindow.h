#pragma once
// What the window benchmarks share: the main window on the offscreen platform with some
// pages standing empty (entering or leaving them costs nothing), every message reported
// as unexpected, and the median of the times measured.

#include "globals.h"
#include "mainwindow.h"
#include "messages.h"
#include "page.h"

#include <QList>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The window, shown, with data loaded; the pages numbered in `empty` have no fields.
inline std::unique_ptr<TfrmMain> benchWindow(const QList<int> &empty)
{
    setMessagePresenter([](const MessageRequest &r) {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(r.text));
        return int(MbOk);
    });
    auto w = std::make_unique<TfrmMain>(nullptr, [empty](TfrmMain *main, int n, QWidget *sheet) -> TPage * {
        return empty.contains(n) ? new TPage(main, n, sheet) : nullptr;
    });
    w->show();
    G.ProjectOpen = true;
    G.WriteAccepted = true;
    return w;
}
