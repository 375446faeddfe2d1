// Taking a user file past what stands in its in-use mark's place (what a
// sign-in does first), once the student chose to open it anyway: it should
// cost about what a free file does, however large or endless the thing in
// the mark's place. A mark removed costs the pause a copy gives another that
// is judging the same mark at that moment.
#include "core/modorvan.h"
#include "core/signin.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "platform/fileinuse.h"
#include "platform/textfile.h"
#include "tests/bench/bench.h"
#include "tests/common/testsupport.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace bench {

void userFileMarks()
{
    using orv::FileInUse;
    using orv::HoldOutcome;
    orvtest::ProgramFolder folder;
    const QString user = folder.file(QStringLiteral("users/fred.ovg"));
    {
        QFile f(user);
        if (!f.open(QIODevice::WriteOnly) || f.write("fred\n") != 5)
            return cannot(QStringLiteral("no user file can be made in %1").arg(folder.path()));
    }
    const QString mark = FileInUse::markPath(user);
    struct Case {
        const char* name;
        std::function<bool()> make;
    };
    const Case cases[]{
        {"no mark", [] { return true; }},
        {"a file of 8 MB",
         [&mark] {
             QFile f(mark);
             return f.open(QIODevice::WriteOnly) && f.resize(orv::kMaxReadBytes);
         }},
        {"a link to /dev/zero", [&mark] { return QFile::link(QStringLiteral("/dev/zero"), mark); }},
        {"a named pipe", [&mark] { return ::mkfifo(QFile::encodeName(mark).constData(), 0666) == 0; }},
    };
    table(QStringLiteral("Taking a user file, opened anyway, by what stands in its mark's place"));
    double freeMs = 0;
    for (const Case& c : cases) {
        QFile::remove(mark);
        if (!c.make())
            return cannot(QStringLiteral("no mark of the kind \"%1\" can be made").arg(QString::fromUtf8(c.name)));
        FileInUse copy;
        const HoldOutcome told = copy.hold(user);
        const std::vector<QByteArray> anyway{told.claim.key};
        [[maybe_unused]] const QString none = copy.release();
        HoldOutcome out;
        const double ms = onceMs([&] { out = copy.hold(user, anyway); });
        if (out.result != HoldOutcome::Held && out.result != HoldOutcome::HeldUnmarked)
            return cannot(
                QStringLiteral("a user file past %1 is not taken: %2").arg(QString::fromUtf8(c.name), out.reason));
        [[maybe_unused]] const QString left = copy.release();
        if (freeMs == 0)
            freeMs = ms;
        row(QString::fromUtf8(c.name), ms, QStringLiteral("%1 x a free file").arg(ms / freeMs, 0, 'f', 2));
    }

    // A plain sign-in: the file marked, read and its unknown opened, then
    // let go; and the mark alone, for what it adds.
    const QString three = QStringLiteral("unks/ovunk") + orv::UnknownFileCode(3) + QStringLiteral(".txt");
    folder.copyFromSource(QStringLiteral("data/") + three, three);
    const QString anna = folder.file(QStringLiteral("users/anna.ovg"));
    orv::InitProgram();
    orv::modOrvan.UserFilePath = anna;
    orv::modOrvan.CurrentUnknown = 3;
    if (!orv::WriteUserFile())
        return cannot(QStringLiteral("no user file can be written in %1").arg(folder.path()));
    [[maybe_unused]] const QString none = orv::releaseUserFile();
    table(QStringLiteral("A plain sign-in, the fastest of 20"));
    bool in = true;
    const double signIn = fastestMs(20, [&] {
        orv::InitProgram();
        in = in && orv::signInFromUserFile(anna, true).result == orv::SignInResult::Loaded;
        [[maybe_unused]] const QString left = orv::releaseUserFile();
    });
    if (!in)
        return cannot(QStringLiteral("the sign-in from %1 is refused").arg(anna));
    FileInUse copy;
    const double marking = fastestMs(20, [&] {
        [[maybe_unused]] const HoldOutcome out = copy.hold(anna);
        [[maybe_unused]] const QString left = copy.release();
    });
    row(QStringLiteral("sign-in from a user file with no mark"), signIn);
    row(QStringLiteral("its in-use mark made and removed"), marking,
        QStringLiteral("%1 of the sign-in").arg(marking / signIn, 0, 'f', 2));
}

} // namespace bench
