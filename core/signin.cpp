#include "core/signin.h"

#include "core/marktexts.h"
#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/userfile.h"
#include "platform/msgbox.h"

#include <QFileInfo>

namespace orv {

namespace {

// Nothing of a refused file stays: neither its record nor its mark. A mark
// that cannot be removed keeps the file from the next sign-in elsewhere,
// which the student learns now.
void refuse()
{
    if (const QString stuck = releaseUserFile(); !stuck.isEmpty())
        MsgBox(stuck, MsgButtons::OkOnly, MsgIcon::Exclamation);
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
    if (QFileInfo(path).isFile()) {
        const UserFileHold held = holdUserFile(path);
        if (held.result != UserFileHold::Held)
            refuse();
        if (held.result == UserFileHold::Failed)
            return {SignInResult::Unreadable, signInMarkUnwritableText(path, held.text)};
        if (held.result == UserFileHold::Refused)
            return {SignInResult::InUse, held.text};
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
