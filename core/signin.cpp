#include "core/signin.h"

#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/userfile.h"

#include <QFileInfo>

namespace orv {

SignInOutcome signInFromUserFile(const QString& path, bool checkName)
{
    auto& m = modOrvan;
    if (checkName && path.right(3) != QLatin1String("ovg"))
        return {SignInResult::NotAUserFile, {}};
    // The file is marked before it is read: a second copy is refused before
    // it could ask for the password or upgrade the file.
    if (QString inUse; QFileInfo(path).isFile() && !holdUserFile(path, &inUse)) {
        ResetUserRecord();
        return {SignInResult::InUse, inUse};
    }
    m.UserFilePath = path;
    if (!ReadUserFile()) {
        ResetUserRecord();
        return {SignInResult::Unreadable, {}};
    }
    if (isTrue(m.PasswordRequired) && !isTrue(m.PasswordVerified)) {
        ResetUserRecord();
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
