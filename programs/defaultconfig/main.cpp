// orv_defaultconfig: writes the default orvanto.ini into a program folder at
// build time, so that a freshly built folder starts without the "needed to be
// created" notice. A file that is already there (an instructor's settings) is
// left alone.
//
//   orv_defaultconfig PROGRAM_FOLDER
#include "core/configfile.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: orv_defaultconfig PROGRAM_FOLDER" << Qt::endl;
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/orvanto.ini");
    if (QFileInfo::exists(path))
        return 0;
    QString error;
    if (!orv::writeFileAtomic(path, orv::studentConfigFileBytes(orv::defaultConfigSettings()), &error)) {
        err << "orv_defaultconfig: cannot write " << path << ": " << error << Qt::endl;
        return 1;
    }
    return 0;
}
