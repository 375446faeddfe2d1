#include "mainwindow/forms/systemroad.h"

#include "core/userfile.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/helpactions.h"
#include "mainwindow/savedata.h"
#include "platform/msgbox.h"

#include <QCoreApplication>
#include <cstdio>

namespace orv {

namespace {

QString itemsRevealedText(int n)
{
    if (n == 0)
        return QStringLiteral("No item had been revealed.");
    if (n == 1)
        return QStringLiteral("1 item had been revealed.");
    return QStringLiteral("%1 items had been revealed.").arg(n);
}

} // namespace

QString notSavedAtSystemEnd(const ModOrvan& m)
{
    // As the main window's load decides whether its close box saves; the
    // solved example only lends the window another reason meanwhile.
    if (!isTrue(m.MultipleSessionsAllowed) || isTrue(m.InstructorMode))
        return {};
    // A file given up meanwhile (taken over, replaced) has the work kept
    // beside it.
    const QString file = m.UserFilePath.isEmpty() ? userFileGivenUp() : m.UserFilePath;
    QString why;
    if (file.isEmpty())
        why = QStringLiteral("no file had been named for it yet");
    else if (passwordStillToChoose())
        why = QStringLiteral("no password had been chosen yet for its file ") + file;
    else
        return {};
    // The example's items are never stored: the count is of the own unknown.
    const UnknownProgress& own = isTrue(m.ExampleMode) ? m.SavedProgress : m.progress();
    return QCoreApplication::applicationName() + QStringLiteral(": the session was not saved when the system ended ")
         + QStringLiteral("the program: ") + why + QStringLiteral(". ") + itemsRevealedText(revealedItemCount(own));
}

void leaveForSystemEnd()
{
    auto& m = modOrvan;
    // No window asks for a password, and none is written to or brought up:
    // the program is ending, and without a display they cannot be used.
    setPasswordWindows({});
    m.statusBarSink = nullptr;
    m.mainCaptionSink = nullptr;
    m.ensureMainWindow = nullptr;
    if (frmOVMain::sessionOpen()) {
        frmReportProgress::carryOnForSystemEnd();
        if (const QString notSaved = notSavedAtSystemEnd(m); !notSaved.isEmpty()) {
            // In place of the Save dialog's question, which nobody could
            // answer. The write may fail (a closed pipe): nothing waits on it.
            std::fprintf(stderr, "%s\n", qPrintable(notSaved));
            std::fflush(stderr);
        } else {
            leaveMainWindow(m);
        }
    }
    // Windows are withheld by now: the text goes to the session's log, for
    // whoever finds the file refused at the next sign-in.
    if (const QString stuck = releaseUserFile(); !stuck.isEmpty())
        MsgBox(stuck, MsgButtons::OkOnly, MsgIcon::Exclamation);
}

void saveForSessionManager()
{
    auto& m = modOrvan;
    // A password still to be chosen is chosen at the student's own next
    // save; until then nothing may be written.
    if (frmOVMain::sessionOpen() && !isTrue(m.ExampleMode) && !passwordStillToChoose())
        saveAsLeavingWould(m);
}

SystemEndRoad studentSystemEndRoad()
{
    prepareUserFileMark();
    frmOVMain::sessionOpen();
    return {leaveForSystemEnd, saveForSessionManager};
}

} // namespace orv
