#pragma once
// A program of the build run as a separate process, as the instructor or the
// build runs it: its exit status (-1 when it crashed or hung) and its output.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace coretest {

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

inline ProgramRun runProgram(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    ProgramRun r;
    if (!p.waitForFinished(30000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

} // namespace coretest
