#include "core/signin.h"

#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/userfile.h"

namespace orv {

SignInOutcome signInFromUserFile(const QString& path, bool checkName)
{
    auto& m = modOrvan;
    if (checkName && path.right(3) != QLatin1String("ovg"))
        return {SignInResult::NotAUserFile, {}};
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
