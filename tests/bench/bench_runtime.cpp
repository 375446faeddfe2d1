// The Basic runtime's waits: how close a Pause comes to the time asked for,
// and how soon starting a sound gives the program back.
#include "platform/runtime.h"
#include "platform/sound.h"
#include "tests/bench/bench.h"
#include "tests/common/testsupport.h"

namespace bench {

void runtime()
{
    table(QStringLiteral("Pause, each asked for time once"));
    for (const double seconds : {0.01, 0.05, 0.1, 0.5, 1.0}) {
        const double ms = onceMs([seconds] { orv::Pause(seconds); });
        row(QStringLiteral("Pause %1").arg(seconds), ms,
            QStringLiteral("%1 x the time asked for").arg(ms / (seconds * 1000), 0, 'f', 3));
    }

    table(QStringLiteral("Sound, started without waiting for it"));
    const QByteArray second = orvtest::wavImage(8000, 8000);
    bool started = true;
    const double ms = fastestMs(5, [&] { started = orv::playWavAsync(second) && started; });
    if (!started)
        return cannot(QStringLiteral("a sound of a second is not started"));
    row(QStringLiteral("starting a sound of 1 s"), ms, QStringLiteral("%1 x its length").arg(ms / 1000, 0, 'f', 4));
}

} // namespace bench
