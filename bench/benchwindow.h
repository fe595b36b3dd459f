#pragma once
// What the window benchmarks share: the platform in use, the main window with some pages
// standing empty (entering or leaving them costs nothing) or with a new project, every
// message reported as unexpected, and the median of the times measured.

#include "defaults.h"
#include "globals.h"
#include "mainwindow.h"
#include "messages.h"
#include "page.h"
#include "signaltexts.h"
#include "pagecontrol.h"

#include <QCoreApplication>
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

// Qt's platform (QT_QPA_PLATFORM, else xcb on a display); offscreen when there is no display.
inline void usePlatformInUse()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The window with every page of the program, showing page 1 of a new project of range L
// (24 cells), as File > New project leaves it.
inline std::unique_ptr<TfrmMain> newProjectWindow()
{
    auto w = benchWindow({});
    G.VoltageRange = 0;
    SetNewProjectDefaults();
    BuildSignalTexts();
    w->pageControl()->setEnabled(true);
    w->ShowTextPage();
    QCoreApplication::processEvents();
    return w;
}
