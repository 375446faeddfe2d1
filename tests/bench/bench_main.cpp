// Runs every table of timings (see bench.h), offscreen, with message boxes
// and the program's end recorded as in the tests, so nothing waits for a
// click. Ends with 0 however slow the machine is.
#include "platform/forms/formregistry.h"
#include "tests/bench/bench.h"
#include "tests/common/testsupport.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {
bool& failed()
{
    static bool f = false;
    return f;
}
} // namespace

double onceMs(const std::function<void()>& run)
{
    QElapsedTimer t;
    t.start();
    run();
    return double(t.nsecsElapsed()) / 1e6;
}

double fastestMs(int runs, const std::function<void()>& run)
{
    double best = onceMs(run);
    for (int i = 1; i < runs; ++i)
        best = std::min(best, onceMs(run));
    return best;
}

void table(const QString& title) { std::printf("\n%s\n", qPrintable(title)); }

void row(const QString& what, double ms, const QString& note)
{
    std::printf("  %-58s %10.2f ms  %s\n", qPrintable(what), ms, qPrintable(note));
    std::fflush(stdout);
}

void cannot(const QString& why)
{
    std::fprintf(stderr, "  cannot be measured: %s\n", qPrintable(why));
    failed() = true;
}

bool anyFailed() { return failed(); }

} // namespace bench

int main(int argc, char** argv)
{
    // As a test program runs, whether build.sh starts it or a developer does.
    orvtest::setTestEnvironment(ORV_BUILT_SOURCE_DIR, ORV_BUILT_PROGRAM_DIR);
    // The offscreen platform's notes (no raise(), say) would break up the table.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanto"));
    orvtest::recordDialogsAndEnd();

    std::printf(
        "Timings on this machine (the fastest of a few runs where it says so); a slow machine fails nothing.\n");
    bench::helpWindow();
    bench::runtime();
    bench::userFileMarks();
    bench::printouts();

    orv::forms::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (bench::anyFailed()) {
        std::fprintf(stderr, "\nSome timings could not be made (see above).\n");
        return 1;
    }
    return 0;
}
