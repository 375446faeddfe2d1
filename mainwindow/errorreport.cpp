#include "mainwindow/errorreport.h"

#include "core/modorvan.h"
#include "platform/msgbox.h"
#include "platform/textfile.h"

#include <QFileInfo>
#include <QLocale>

namespace orv {

QString errorReportFileName(const QString& userFilePath)
{
    if (userFilePath.isEmpty())
        return QStringLiteral("noname.err");
    const qsizetype cut = std::max(userFilePath.lastIndexOf(u'/'), userFilePath.lastIndexOf(u'\\'));
    QString name = userFilePath.mid(cut + 1);
    if (name.isEmpty())
        return QStringLiteral("noname.err");
    if (name.size() < 3)
        return name + QStringLiteral(".err");
    name.chop(3);
    return name + QStringLiteral("err");
}

QString errorReportPath()
{
    return modOrvan.ProgramPath + QStringLiteral("/users/") + errorReportFileName(modOrvan.UserFilePath);
}

QString generalDateTime(const QDateTime& when)
{
    return QLocale::c().toString(when, QStringLiteral("dd/MM/yyyy h:mm:ss AP"));
}

QStringList errorReportRecord(const QString& digitPart, const ItemCounts& c, const QDateTime& when)
{
    const auto& m = modOrvan;
    const auto n = [](long v) { return QString::number(v); };
    QStringList r;
    r << QStringLiteral("unknown no ") + n(m.CurrentUnknown) + u' ' + m.AcceptedNames[1]
      << QStringLiteral("time ") + generalDateTime(when) << QStringLiteral("CODED LINE ") + digitPart
      << QStringLiteral("line length ") + n(digitPart.size()) << QStringLiteral("phys prop ") + n(c.physProp)
      << QStringLiteral("spec ") + n(c.spectrum) << QStringLiteral("chem tests ") + n(c.chemTest)
      << QStringLiteral("tot deriv ") + n(c.derivative) << QStringLiteral("unsuit deriv ") + n(m.UnsuitableDerivs)
      << QStringLiteral("general help with unk was ")
             + (isTrue(m.ItemHelpShown[0]) ? QString() : QStringLiteral("not ")) + QStringLiteral("obtained")
      << QStringLiteral("items with help ") + n(c.helpItems)
      << QStringLiteral("precluded item attempted ") + n(m.PrecludedTries);
    if (isTrue(m.ShowReportAfterResign))
        r << QStringLiteral("IDByResign");
    if (isTrue(m.IdentifiedByName))
        r << QStringLiteral("IDByName");
    if (isTrue(m.IdentifiedByChoosing))
        r << QStringLiteral("IDByChooseStructure");
    if (isTrue(m.IdentifiedByGiving))
        r << QStringLiteral("IDByGiveStructure");
    r << QStringLiteral("AttemptsByName ") + n(m.NameTypingTries)
      << QStringLiteral("AttemptsByChooseStructure ") + n(m.StructChooseTries)
      << QStringLiteral("AttemptsByGiveStructure ") + n(m.StructGiveTries) << QStringLiteral("END");
    return r;
}

bool ErrorReport(const QString& digitPart, const ItemCounts& counts, const QDateTime& when)
{
    const QString path = errorReportPath();
    QList<QByteArray> lines;
    for (const QString& l : errorReportRecord(digitPart, counts, when))
        lines << toBytes(l);
    const QByteArray record = joinLinesCrLf(lines) + "\r\n";

    // users/ may be written by every account: the report goes only into a
    // file of this account's own, with one name, read once and replaced
    // while it is still that file, or into a new one. A missing file is
    // started; anything else at the name (a link, another account's file, a
    // second name of another file) is refused, and the writer says why.
    // Records after the first are parted by an empty line.
    const WriteResult w = appendToOwnFile(path, record, "\r\n");
    if (!w.written()) {
        MsgBox(QStringLiteral("Error with ") + path + QStringLiteral("75Path/File access error") + vbCrLf
                   + asSentence(w.reason),
               MsgButtons::OkOnly, MsgIcon::Critical);
        return false;
    }
    // Not synced, the record is in the file all the same; a power cut could
    // take it away again, which the student can do nothing about, and the
    // result itself is kept in the user file.
    return true;
}

} // namespace orv
