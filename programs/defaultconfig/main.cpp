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
    QString error;
    if (!orv::writeFileAtomic(path, orv::studentConfigFileBytes(orv::defaultConfigSettings()), &error)) {
        err << "orv_defaultconfig: cannot write " << path << ": " << error << Qt::endl;
        return 1;
    }
    out << "orv_defaultconfig: wrote the default settings into " << path << Qt::endl;
    return 0;
}
