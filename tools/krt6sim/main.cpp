// krt6sim: a simulated KRT-6 on a pseudo-terminal. Prints the device to open and
// serves it until interrupted (Ctrl+C, SIGTERM) or, with --until-eof, until its
// standard input closes.

#include "devicelink.h"
#include "krtsim.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int)
{
    stopRequested = 1;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("krt6sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated KRT-6 on a pseudo-terminal. Prints the device path to enter as the port of the "
        "configurator's RS232 dialog."));
    parser.addHelpOption();
    const QCommandLineOption faultOpt(QStringLiteral("fault"),
                                      QStringLiteral("Fault mode, one of:") + KrtSimulator::faultHelp(),
                                      QStringLiteral("mode"), QStringLiteral("none"));
    const QCommandLineOption pacedOpt(QStringLiteral("paced"),
                                      QStringLiteral("Send and take bytes at 9600-baud timing."));
    const QCommandLineOption loadOpt(QStringLiteral("load"),
                                     QStringLiteral("Start with the image of this project file."),
                                     QStringLiteral("file"));
    const QCommandLineOption saveOpt(
        QStringLiteral("save"),
        QStringLiteral("Save every image written to the unit into this project file."),
        QStringLiteral("file"));
    const QCommandLineOption linkOpt(QStringLiteral("link"),
                                     QStringLiteral("Also make this symbolic link to the device. Only an old "
                                                    "link at the path is replaced; anything else "
                                                    "there is refused and left as it is."),
                                     QStringLiteral("path"));
    const QCommandLineOption eofOpt(QStringLiteral("until-eof"),
                                    QStringLiteral("End when standard input closes."));
    parser.addOptions({faultOpt, pacedOpt, loadOpt, saveOpt, linkOpt, eofOpt});
    parser.process(app);

    KrtSimulator::Options options;
    if (!KrtSimulator::faultFromName(parser.value(faultOpt), &options.fault)) {
        std::fprintf(stderr, "krt6sim: unknown fault mode '%s'\n", qPrintable(parser.value(faultOpt)));
        return 2;
    }
    options.paced = parser.isSet(pacedOpt);

    KrtSimulator sim(options);
    QString error;
    if (parser.isSet(loadOpt) && !sim.loadProjectFile(parser.value(loadOpt), &error)) {
        std::fprintf(stderr, "krt6sim: %s: %s\n", qPrintable(parser.value(loadOpt)), qPrintable(error));
        return 1;
    }
    const QString savePath = parser.value(saveOpt);
    sim.setImageAcceptedHook([&sim, savePath](const KrtSimulator::Image &) {
        if (savePath.isEmpty()) {
            std::fprintf(stderr, "krt6sim: image received\n");
            return;
        }
        QString err;
        if (sim.saveProjectFile(savePath, &err))
            std::fprintf(stderr, "krt6sim: image received, saved to %s\n", qPrintable(savePath));
        else
            std::fprintf(stderr, "krt6sim: image received, saving failed: %s\n", qPrintable(err));
    });
    if (!sim.start(&error)) {
        std::fprintf(stderr, "krt6sim: %s\n", qPrintable(error));
        return 1;
    }
    // From here on Ctrl+C ends the loop below, which takes the link away again.
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    const QString link = parser.value(linkOpt);
    if (!link.isEmpty() && !makeDeviceLink(link, sim.devicePath(), &error)) {
        std::fprintf(stderr, "krt6sim: cannot make the link %s: %s\n", qPrintable(link), qPrintable(error));
        sim.stop();
        return 1;
    }
    std::printf("%s\n", qPrintable(sim.devicePath()));
    std::fflush(stdout);
    std::fprintf(stderr, "krt6sim: serving %s (fault %s%s)\n", qPrintable(sim.devicePath()),
                 KrtSimulator::faultName(options.fault), options.paced ? ", paced" : "");

    const bool untilEof = parser.isSet(eofOpt);
    while (!stopRequested) {
        if (untilEof) {
            pollfd p{STDIN_FILENO, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0) {
                char c;
                if (::read(STDIN_FILENO, &c, 1) <= 0)
                    break;
            }
        } else {
            ::usleep(100 * 1000);
        }
    }
    sim.stop();
    if (!link.isEmpty())
        removeDeviceLink(link, sim.devicePath());
    return 0;
}
