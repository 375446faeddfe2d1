#include "core/allocation.h"

#include "core/configcodec.h"
#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "core/userrecord.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <set>

namespace orv {

namespace {

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

QString listed(const QString& pairs)
{
    QStringList out;
    for (int i = 0; i + 1 < pairs.size(); i += 2)
        out << pairs.mid(i, 2);
    return out.isEmpty() ? QStringLiteral("none") : out.join(u' ');
}

} // namespace

QString allocationNotFollowedWarning(const QString& programPath)
{
    const QString path = programPath + QStringLiteral("/orvanto.ini");
    const QString shown = QDir::toNativeSeparators(path);
    const ConfigFileRead read = readConfigFileAsIs(path);
    if (!isTrue((read.usable ? read.settings : defaultConfigSettings()).ProgramChoosesUnknowns))
        return {};
    QString why;
    QString first; // what the instructor does before choosing the setting in ovsetup
    if (read.usable) {
        why = QStringLiteral("%1 has Orvanto choose the unknowns").arg(shown);
    } else if (!read.readError.isEmpty()) {
        why = QStringLiteral("%1 cannot be read here (%2); a student program that cannot read it either works with "
                             "the default settings, in which Orvanto chooses the unknowns")
                  .arg(shown, read.readError);
        first = QStringLiteral("make the file readable, then ");
    } else if (QFileInfo::exists(path)) {
        why = QStringLiteral("%1 is not a usable settings file; the student program will write the default settings "
                             "over it, in which Orvanto chooses the unknowns")
                  .arg(shown);
    } else {
        why = QStringLiteral("there is no orvanto.ini in %1; the student program will create it with the default "
                             "settings, in which Orvanto chooses the unknowns")
                  .arg(QDir::toNativeSeparators(programPath));
        first = QStringLiteral("write the settings file first (orv_defaultconfig, or one start of orvantos), then ");
    }
    return why
         + QStringLiteral(", so the student program will not follow this allocation list: the student starts on the "
                          "first unknown listed, and Orvanto chooses each unknown after it. To have the list "
                          "followed, ")
         + first + QStringLiteral("choose \"By instructor\" on the Unk Allocation tab of ovsetup and Save.");
}

AllocationRequest parseAllocationArguments(const QStringList& args)
{
    AllocationRequest r;
    if (args.size() == 2 && args[0] == QLatin1String("--show")) {
        r.action = AllocationRequest::Action::Show;
        r.path = args[1];
        return r;
    }
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--unknowns") && i + 1 < args.size())
            r.unknowns = args[++i];
        else if (args[i] == QLatin1String("--password") && i + 1 < args.size()) {
            r.password = args[++i];
            r.withPassword = true;
        } else if (!args[i].startsWith(QLatin1String("--")) && r.path.isEmpty())
            r.path = args[i];
        else
            return {};
    }
    if (r.unknowns.isEmpty() || r.path.isEmpty())
        return {};
    r.action = AllocationRequest::Action::Allocate;
    return r;
}

QString allocationUsage()
{
    return QStringLiteral("usage: ovallocate --unknowns 05,12,33 [--password PW] FILE.ovg\n"
                          "       ovallocate --show FILE.ovg");
}

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

QString allocateUserFile(const AllocationRequest& request, QString* warning)
{
    const QString& path = request.path;
    if (!path.endsWith(QLatin1String(".ovg")))
        return QStringLiteral("%1: the student program opens only files ending in .ovg").arg(path);
    QString error;
    const QString list = allocationList(request.unknowns, error);
    if (list.isEmpty())
        return error;
    if (request.withPassword && !isStorablePassword(request.password))
        return QStringLiteral("the password must be 6 to 20 characters, letters, digits, blanks or "
                              "other printable ASCII characters");
    const QString exists =
        QStringLiteral("%1 already exists and has been left as it is; remove it first to allocate anew").arg(path);
    if (QFile::exists(path))
        return exists;
    if (QString why = unreadableUnknowns(list); !why.isEmpty())
        return why;
    UserRecord r;
    r.progress.CurrentUnknown = list.left(2).toInt();
    r.allocatedUnknowns = list.mid(2);
    const QByteArray line = userFileLine(r, request.withPassword ? request.password : QString(), GetRandomNum);
    const WriteResult made = createFileExclusive(path, line + "\r\n");
    switch (made.outcome) {
    case WriteResult::Written: break;
    case WriteResult::WrittenNotSynced:
        if (warning)
            *warning = QStringLiteral("%1 has been written, but its folder could not be synced (%2): a power cut now "
                                      "could still lose it")
                           .arg(path, made.reason);
        break;
    case WriteResult::Exists: return exists;
    case WriteResult::Changed:
    case WriteResult::Failed: return QStringLiteral("cannot write %1: %2; nothing was written").arg(path, made.reason);
    }
    return {};
}

QString describeUserFile(const QString& path, QString& error)
{
    const auto lines = readFileLines(path);
    if (!lines) {
        error = QStringLiteral("cannot read %1: %2").arg(path, lines.error);
        return {};
    }
    const UserFileContents c = parseUserFile(*lines);
    if (!c.ok()) {
        error = QStringLiteral("%1 is not a usable user file: %2").arg(path, c.error);
        return {};
    }
    const UserRecord& r = c.record;
    const UnknownProgress& p = r.progress;
    QStringList revealed;
    for (int k = 1; k <= kLastItem; ++k)
        if (isTrue(p.ItemsRevealed[k]))
            revealed << QString::number(k);

    QString text;
    QTextStream out(&text);
    out << "File: " << path << (c.olderFormat ? " (older multi-line format)" : "") << '\n';
    out << "Allocation list: " << listed(r.allocatedUnknowns) << '\n';
    out << "Current unknown: "
        << (p.CurrentUnknown == 0 ? QStringLiteral("none (all done)") : QString::number(p.CurrentUnknown)) << '\n';
    out << "Items revealed: " << revealed.size();
    if (!revealed.isEmpty())
        out << " (items " << revealed.join(QStringLiteral(", ")) << ')';
    out << '\n';
    out << "Tries: precluded items " << p.PrecludedTries << ", naming " << p.NameTypingTries
        << ", choosing the structure " << p.StructChooseTries << ", building the structure " << p.StructGiveTries
        << '\n';
    out << "Session: " << r.session << '\n';
    out << "Minutes: " << r.minutes << '\n';
    out << "Completed unknowns: " << listed(r.completedUnknowns) << '\n';
    for (size_t i = 0; i < r.results.size(); ++i)
        out << "  " << r.completedUnknowns.mid(static_cast<int>(2 * i), 2) << ": " << r.results[i].resultLine
            << " (session and minutes " << r.results[i].sessionTime << ")\n";
    out << "Password: " << (c.password.isEmpty() ? "none" : "set") << '\n';
    out.flush();
    return text;
}

} // namespace orv
