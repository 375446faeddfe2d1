#include "core/signin.h"

#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/userfile.h"

#include <QFileInfo>

namespace orv {

namespace {

// Nothing of a refused file stays: neither its record nor its mark.
void refuse()
{
    releaseUserFile();
    ResetUserRecord();
}

} // namespace

SignInOutcome signInFromUserFile(const QString& path, bool checkName)
{
    auto& m = modOrvan;
    if (checkName && path.right(3) != QLatin1String("ovg"))
        return {SignInResult::NotAUserFile, {}};
    // The file is marked before it is read: a second copy is refused before
    // it could ask for the password or upgrade the file.
    if (QString inUse, markError; QFileInfo(path).isFile() && !holdUserFile(path, &inUse, &markError)) {
        refuse();
        if (!markError.isEmpty())
            return {SignInResult::Unreadable, QStringLiteral("The file ") + path + QStringLiteral(" cannot be opened: ")
                                                  + markError + QStringLiteral(". Nothing of it has been read.")};
        return {SignInResult::InUse, inUse};
    }
    m.UserFilePath = path;
    if (!ReadUserFile()) {
        refuse();
        return {SignInResult::Unreadable, {}};
    }
    if (isTrue(m.PasswordRequired) && !isTrue(m.PasswordVerified)) {
        refuse();
        return {SignInResult::PasswordRefused, {}};
    }
    if (m.CurrentUnknown == 0) {
        m.QuitReason = QStringLiteral("AllDone");
        m.AllUnknownsDone = kTrue;
        return {SignInResult::AllDone, {}};
    }
    if (QString why; !OpenCurrentUnknown(&why))
        return {SignInResult::UnknownUnreadable, why};
    return {SignInResult::Loaded, {}};
}

} // namespace orv
