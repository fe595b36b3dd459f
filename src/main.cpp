// The program's main block: single-instance guard, splash, the windows in their fixed
// order, the message loop.

#include "about.h"
#include "charset.h"
#include "connect.h"
#include "globals.h"
#include "instanceguard.h"
#include "mainwindow.h"
#include "messagebox.h"
#include "messages.h"
#include "projectfile.h"
#include "rs232.h"
#include "splash.h"
#include "voltage.h"

#include <QApplication>

#include <cstdio>

namespace {
// Exit codes besides 0.
constexpr int ExitAlreadyRunning = 3;
constexpr int ExitCreateFailed = 4;
} // namespace

int main(int argc, char **argv)
{
    ignoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KRT-6 Configurator"));
    installMessageBoxPresenter();

    // Only another running copy stops the start; a temporary folder in which the lock
    // cannot be made lets this one run unguarded.
    TInstanceGuard guard;
    if (!guard.acquire()) {
        // Also on stderr, for scripts that start the program.
        std::fputs("Program already running !\n", stderr);
        std::fflush(stderr);
        showMessage(QStringLiteral("Program already running !"), MsgKind::Information, MbOk);
        return ExitAlreadyRunning;
    }

    fmSplash = new TfmSplash;
    fmSplash->exec();
    fmSplash->repaint();

    frmMain = new TfrmMain;
    if (frmMain->createFailed()) {
        delete frmMain;
        delete fmSplash;
        fmSplash = nullptr;
        return ExitCreateFailed;
    }
    fmConnect = new TfmConnect;
    fm_Info = new Tfm_Info;
    fmVoltage = new TfmVoltage;
    frm_RS232 = new Tfrm_RS232(frmMain);
    Frm_CharSet = new TFrm_CharSet(frmMain);

    frmMain->show();
    const int result = app.exec();

    delete Frm_CharSet;
    delete frm_RS232;
    frm_RS232 = nullptr;
    delete fmVoltage;
    fmVoltage = nullptr;
    delete fm_Info;
    fm_Info = nullptr;
    delete frmMain;
    delete fmConnect;
    fmConnect = nullptr;
    delete fmSplash;
    fmSplash = nullptr;
    guard.release();
    return result;
}
