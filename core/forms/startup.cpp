#include "core/forms/startup.h"

#include "core/forms/frmInitial.h"
#include "platform/forms/formregistry.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

namespace orv {

bool startStudentProgram(const QString& commandLine)
{
    setStudentCommandLine(commandLine);
    auto* w = forms::instance<frmInitial>();
    if (w->refusedSecondCopy()) {
        forms::unload(w);
        return false;
    }
    forms::showModeless(w);
    return true;
}

QString commandLineOf(const QStringList& args)
{
    const QString line = args.join(u' ');
    return line.isEmpty() ? line : QFileInfo(line).absoluteFilePath();
}

int runStudentProgram(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (!startStudentProgram(commandLineOf(args)))
        return 0;
    return QApplication::exec();
}

} // namespace orv
