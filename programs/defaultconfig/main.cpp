// orv_defaultconfig: writes the default orvanto.ini into a program folder at
// build time, so that a freshly built folder starts without the "needed to be
// created" notice. A file that is already there (an instructor's settings) is
// left alone. Either outcome is told on standard output; a failure on
// standard error with exit status 1.
//
//   orv_defaultconfig PROGRAM_FOLDER
#include "core/configfile.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: orv_defaultconfig PROGRAM_FOLDER" << Qt::endl;
        return 2;
    }
    const QString path = QDir::toNativeSeparators(QDir(QString::fromLocal8Bit(argv[1])).filePath("orvanto.ini"));
    const QFileInfo there(path);
    if (there.exists() && !there.isFile()) {
        err << "orv_defaultconfig: " << path << " is there but is not a file; nothing written." << Qt::endl;
        return 1;
    }
    if (there.exists()) {
        out << "orv_defaultconfig: " << path << " is there already; left as it is." << Qt::endl;
        return 0;
    }
    const orv::WriteResult w = orv::writeFileAtomic(path, orv::studentConfigFileBytes(orv::defaultConfigSettings()));
    if (!w.written()) {
        err << "orv_defaultconfig: cannot write " << path << ": " << w.reason << Qt::endl;
        return 1;
    }
    // The build goes on with the file; whoever watches the build is told
    // that a power cut could still take it away.
    if (w.outcome == orv::WriteResult::WrittenNotSynced)
        err << "orv_defaultconfig: " << path << " is written, but its folder could not be synced: " << w.reason
            << Qt::endl;
    out << "orv_defaultconfig: wrote the default settings into " << path << Qt::endl;
    return 0;
}
