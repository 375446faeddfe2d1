// ovallocate: makes the user files of students whose unknowns the instructor
// allocates, and shows what a user file holds.
//
//   ovallocate --unknowns 05,12,33 [--password PW] FILE.ovg
//   ovallocate --show FILE.ovg
//
// The rules are core/allocation.h's. What is shown goes to standard output;
// errors go to standard error with exit status 1. A file made while the
// program folder's settings have Orvanto choose the unknowns (so that its
// list would not be followed) is made all the same, with a warning on
// standard error and exit status 0.
#include "core/allocation.h"
#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

int fail(const QString& message)
{
    QTextStream err(stderr);
    err << "ovallocate: " << message << Qt::endl;
    return 1;
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
    const orv::AllocationRequest request = orv::parseAllocationArguments(args);
    QString error;
    switch (request.action) {
    case orv::AllocationRequest::Action::Show: {
        const QString text = orv::describeUserFile(request.path, error);
        if (!error.isEmpty())
            return fail(error);
        QTextStream(stdout) << text;
        return 0;
    }
    case orv::AllocationRequest::Action::Allocate: {
        QString warning;
        error = orv::allocateUserFile(request, &warning);
        if (!error.isEmpty())
            return fail(error);
        if (!warning.isEmpty())
            QTextStream(stderr) << "ovallocate: " << warning << Qt::endl;
        // The file is made either way: the settings may still be changed
        // before the student's first session.
        if (const QString unfollowed = orv::allocationNotFollowedWarning(orv::programFolder()); !unfollowed.isEmpty())
            QTextStream(stderr) << "ovallocate: warning: " << unfollowed << Qt::endl;
        return 0;
    }
    case orv::AllocationRequest::Action::Usage: break;
    }
    return fail(orv::allocationUsage());
}
