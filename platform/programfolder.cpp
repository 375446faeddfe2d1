#include "platform/programfolder.h"

#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>

namespace orv {

QString programFolder()
{
    const QByteArray home = qgetenv("ORVANTO_HOME");
    QString dir = !home.isEmpty() ? QString::fromLocal8Bit(home) : QCoreApplication::applicationDirPath();
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    while (dir.size() > 1 && dir.endsWith(u'/'))
        dir.chop(1);
    return dir;
}

QString programFile(const QString& relative) { return programFolder() + u'/' + relative; }

void removeStaleProgramTemporaries()
{
    removeStaleTemporaries(programFolder());
    removeStaleTemporaries(programFile(QStringLiteral("users")));
}

QString usersFolder(const QString& programPath)
{
    const QString& p = programPath;
    return (p.endsWith(u'/') || p.endsWith(u'\\')) ? p + QStringLiteral("users") : p + QStringLiteral("/users");
}

} // namespace orv
