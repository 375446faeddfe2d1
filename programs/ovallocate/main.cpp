// ovallocate: makes the user files of students whose unknowns the instructor
// allocates, and shows what a user file holds.
//
//   ovallocate --unknowns 05,12,33 [--password PW] FILE.ovg
//   ovallocate --show FILE.ovg
//
// The first unknown of the list is the one to work on; the rest wait in the
// allocation list and are taken in order. Only unknowns whose data file in
// the program folder's unks/ can be read are accepted. An existing file is
// never overwritten, not even by another run making the same file at the
// same moment. Errors go to standard error with exit status 1.
#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "core/userrecord.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <set>

using namespace orv;

namespace {

int fail(const QString& message)
{
    QTextStream err(stderr);
    err << "ovallocate: " << message << Qt::endl;
    return 1;
}

int usage()
{
    return fail(QStringLiteral("usage: ovallocate --unknowns 05,12,33 [--password PW] FILE.ovg\n"
                               "       ovallocate --show FILE.ovg"));
}

// "05,12,33" -> "051233". Empty with `error` set when the list is not usable.
QString allocationList(const QString& text, QString& error)
{
    QString list;
    std::set<int> seen;
    for (const QString& part : text.split(u',')) {
        const QString p = part.trimmed();
        bool ok = p.size() >= 1 && p.size() <= 2;
        const int n = ok ? p.toInt(&ok) : 0;
        if (!ok || n < 1 || n > 99) {
            error = QStringLiteral("\"%1\" is not an unknown number from 1 to 99").arg(p);
            return {};
        }
        if (!seen.insert(n).second) {
            error = QStringLiteral("unknown %1 is listed twice").arg(n);
            return {};
        }
        list += QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    }
    return list;
}

// Empty when every unknown of the list can be read by the student program,
// else why not: a student sent to a file that is not there could not go on.
QString unreadableUnknowns(const QString& list)
{
    auto& m = modOrvan;
    m.ProgramPath = programFolder();
    for (int i = 0; i + 1 < list.size(); i += 2) {
        m.CurrentUnknown = list.mid(i, 2).toInt();
        if (!TryReadUnknownFile())
            return QStringLiteral("unknown %1 cannot be allocated: its data file %2 is missing or cannot be read")
                .arg(m.CurrentUnknown)
                .arg(m.FilePathBuffer);
    }
    return {};
}

int allocate(const QString& unknowns, const QString& password, bool withPassword, const QString& path)
{
    if (!path.endsWith(QLatin1String(".ovg")))
        return fail(QStringLiteral("%1: the student program opens only files ending in .ovg").arg(path));
    QString error;
    const QString list = allocationList(unknowns, error);
    if (list.isEmpty())
        return fail(error);
    if (withPassword && !isStorablePassword(password))
        return fail(QStringLiteral("the password must be 6 to 20 characters, letters, digits, blanks or "
                                   "other printable ASCII characters"));
    const QString exists =
        QStringLiteral("%1 already exists and has been left as it is; remove it first to allocate anew").arg(path);
    if (QFile::exists(path))
        return fail(exists);
    if (const QString why = unreadableUnknowns(list); !why.isEmpty())
        return fail(why);
    UserRecord r;
    r.currentUnknown = list.left(2).toInt();
    r.allocatedUnknowns = list.mid(2);
    const QByteArray line = userFileLine(r, withPassword ? password : QString(), GetRandomNum);
    QString why;
    bool existed = false;
    QString notSynced;
    if (!createFileExclusive(path, line + "\r\n", &why, &existed, &notSynced))
        return fail(existed ? exists : QStringLiteral("cannot write %1: %2; nothing was written").arg(path, why));
    if (!notSynced.isEmpty())
        QTextStream(stderr) << QStringLiteral("ovallocate: %1 has been written, but its folder could not be synced "
                                              "(%2): a power cut now could still lose it")
                                   .arg(path, notSynced)
                            << Qt::endl;
    return 0;
}

QString listed(const QString& pairs)
{
    QStringList out;
    for (int i = 0; i + 1 < pairs.size(); i += 2)
        out << pairs.mid(i, 2);
    return out.isEmpty() ? QStringLiteral("none") : out.join(u' ');
}

int show(const QString& path)
{
    QString why;
    const auto lines = readFileLines(path, &why);
    if (!lines)
        return fail(QStringLiteral("cannot read %1: %2").arg(path, why));
    const UserFileContents c = parseUserFile(*lines);
    if (!c.ok())
        return fail(QStringLiteral("%1 is not a usable user file: %2").arg(path, c.error));
    const UserRecord& r = c.record;
    QStringList revealed;
    for (int k = 1; k <= kLastItem; ++k)
        if (r.itemsRevealed[k] == kTrue)
            revealed << QString::number(k);

    QTextStream out(stdout);
    out << "File: " << path << (c.olderFormat ? " (older multi-line format)" : "") << '\n';
    out << "Allocation list: " << listed(r.allocatedUnknowns) << '\n';
    out << "Current unknown: " << (r.currentUnknown == 0 ? QStringLiteral("none (all done)")
                                                        : QString::number(r.currentUnknown)) << '\n';
    out << "Items revealed: " << revealed.size();
    if (!revealed.isEmpty())
        out << " (items " << revealed.join(QStringLiteral(", ")) << ')';
    out << '\n';
    out << "Tries: precluded items " << r.precludedTries << ", naming " << r.nameTypingTries
        << ", choosing the structure " << r.structChooseTries << ", building the structure " << r.structGiveTries
        << '\n';
    out << "Session: " << r.session << '\n';
    out << "Minutes: " << r.minutes << '\n';
    out << "Completed unknowns: " << listed(r.completedUnknowns) << '\n';
    for (size_t i = 0; i < r.results.size(); ++i)
        out << "  " << r.completedUnknowns.mid(static_cast<int>(2 * i), 2) << ": " << r.results[i].resultLine
            << " (session and minutes " << r.results[i].sessionTime << ")\n";
    out << "Password: " << (c.password.isEmpty() ? "none" : "set") << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The program folder (beside this program, unless ORVANTO_HOME names
    // another) needs the application to be known.
    QCoreApplication app(argc, argv);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() == 2 && args[0] == QLatin1String("--show"))
        return show(args[1]);

    QString unknowns, password, path;
    bool withPassword = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--unknowns") && i + 1 < args.size())
            unknowns = args[++i];
        else if (args[i] == QLatin1String("--password") && i + 1 < args.size()) {
            password = args[++i];
            withPassword = true;
        } else if (!args[i].startsWith(QLatin1String("--")) && path.isEmpty())
            path = args[i];
        else
            return usage();
    }
    if (unknowns.isEmpty() || path.isEmpty())
        return usage();
    return allocate(unknowns, password, withPassword, path);
}
