// Nothing the student did is lost: the solved example on the last unknown,
// leaving during the example, leaving after a failed save, and the count of
// unsuitable derivatives across a save.
#include "core/coreservices.h"
#include "core/nextunknown.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "mainwindow/helpactions.h"
#include "mainwindow/progressreport.h"
#include "mainwindow/savedata.h"
#include "platform/filedialog.h"
#include "platform/forms/formregistry.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/ident/identfixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace orv;

namespace {

// A student on a real shipped unknown (its data file copied from the built
// program folder), saving to users/kim.ovg.
class KeepWork : public orvtest::StudentFileTest {
protected:
    KeepWork() : StudentFileTest("kim", {0, 7, 12}) {}

    void SetUp() override
    {
        StudentFileTest::SetUp();
        resetModOrvan();
        // No main window is brought up behind the state here.
        m.ensureMainWindow = nullptr;
        orvtest::msgLog().shown.clear();
        InitProgram();
        ResetProgress();
        m.MultipleSessionsAllowed = kTrue;
        m.PasswordRequired = kFalse;
        m.ProgramChoosesUnknowns = kFalse;
        m.TestsAllowed = m.DerivsAllowed = kTrue;
        m.AnySpectrumAllowed = kTrue;
        m.QuitReason = QStringLiteral("Save");
        m.CurrentUnknown = 7;
        m.SessionNumber = 2;
        m.CompletedUnknowns = QStringLiteral("03");
        m.UnkResults[1] = {QStringLiteral("10000000000001000000propanone"), QStringLiteral("00114")};
        ASSERT_TRUE(ReadUnknownFile());
        markStartTime();
    }
    void TearDown() override
    {
        forms::unloadAll();
        setFileDialogPresenter({});
        setUnknownAvailability({});
    }
    // The student's own work on unknown 7, saved to kim.ovg.
    void ownWorkSaved()
    {
        identtest::reveal({1, 4, 6});
        m.NameTypingTries = 1;
        m.UserFilePath = path;
        ASSERT_TRUE(WriteUserFile());
        markRecordSaved(m); // as the program's save marks it
    }
    // The example solved by typing its name.
    void solveExample()
    {
        ASSERT_TRUE(beginSolvedExample(m).loaded);
        identtest::reveal({2, 5});
        m.UnkIdentified = m.IdentifiedByName = kTrue;
        m.NameTypingTries = 1;
        m.DataSaved = kFalse;
    }
    void expectOwnWorkBack()
    {
        EXPECT_EQ(m.ExampleMode, kFalse);
        EXPECT_EQ(m.CurrentUnknown, 7);
        EXPECT_EQ(m.ItemsRevealed[1], kTrue);
        EXPECT_EQ(m.ItemsRevealed[6], kTrue);
        EXPECT_EQ(m.ItemsRevealed[5], kFalse) << "nothing of the example stays";
        EXPECT_EQ(m.NameTypingTries, 1);
        EXPECT_EQ(m.UnkIdentified, kFalse);
        EXPECT_EQ(m.AllUnknownsDone, kFalse);
        EXPECT_TRUE(m.MainCaption.startsWith("Orvanto assigns you ")) << m.MainCaption.toStdString();
    }
};

} // namespace

TEST_F(KeepWork, SolvedExampleOnTheLastUnknownGivesTheRealOneBack)
{
    const struct {
        const char* what;
        std::function<void()> lastOne;
    } cases[] = {
        {"last allocated unknown", [this] { m.AllocatedUnknowns.clear(); }},
        {"the program chooses and nothing is left",
         [this] {
             m.ProgramChoosesUnknowns = kTrue;
             setUnknownAvailability([](int n) { return n == 7; });
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.lastOne();
        ownWorkSaved();
        solveExample();
        const ReportOutcome r = makeReport(QStringLiteral("Well done"));
        EXPECT_TRUE(r.anotherUnknownLeft);
        EXPECT_TRUE(r.text.endsWith("here is one for you to try yourself.")) << r.text.toStdString();
        EXPECT_FALSE(r.text.contains("All of the available unknowns"));
        EXPECT_EQ(m.CompletedUnknowns, "03") << "the example is never recorded";
        EXPECT_EQ(continueAfterReport(r.anotherUnknownLeft), ReportNext::BackFromExample);
        expectOwnWorkBack();
        EXPECT_EQ(m.QuitReason, "Save");
        EXPECT_EQ(m.DataSaved, kTrue) << "the own work was saved before the example";
        TearDown();
    }
}

// Leaving during the example takes the road leaving takes outside it.
TEST_F(KeepWork, LeavingDuringTheExampleSavesOrAsksFirst)
{
    const struct {
        const char* what;
        const char* reason; // set by the way out
        bool savedBefore;   // the own work was saved before the example
        MsgResult answer;   // to "Save it before leaving?"
        bool asked;
        bool saves;
        const char* reasonAfter;
    } cases[] = {
        {"close box, unsaved", "NoSave", false, MsgResult::Ok, false, true, "Save"},
        {"close box, saved before", "NoSave", true, MsgResult::Ok, false, false, "Save"},
        {"End now, unsaved, Yes", "NoSaveExit", false, MsgResult::Yes, true, true, "QuitNow"},
        {"End now, unsaved, No", "NoSaveExit", false, MsgResult::No, true, false, "NoSaveExit"},
        {"End now, saved before", "NoSaveExit", true, MsgResult::Yes, false, false, "NoSaveExit"},
        {"Next user, unsaved, Yes", "NoSaveNext", false, MsgResult::Yes, true, true, "AnotherUser"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        orvtest::letGoOfUserFile(); // each case a session of its own: the file read by the last is not this one's
        m.AllocatedUnknowns = QStringLiteral("12");
        identtest::reveal({1, 4, 6});
        m.NameTypingTries = 1;
        m.UserFilePath = path;
        if (c.savedBefore) {
            ASSERT_TRUE(WriteUserFile());
            markRecordSaved(m); // as the program's save marks it
        } else {
            m.DataSaved = kFalse;
            QFile::remove(path);
            ASSERT_TRUE(writeFileAtomic(path, "the file as it stood\r\n").written());
        }
        const QByteArray before = readFileBytes(path).value();
        solveExample();
        m.QuitReason = QString::fromLatin1(c.reason);
        orvtest::msgLog().shown.clear();
        orvtest::msgLog().answers = {c.answer};

        const LeaveOutcome out = leaveMainWindow(m);
        EXPECT_TRUE(out.close);
        EXPECT_TRUE(out.leftExample);
        EXPECT_EQ(orvtest::msgLog().shown.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(orvtest::msgLog().shown.front().prompt,
                      "Your work on your own unknown has not been saved. Save it before leaving?");
        }
        EXPECT_EQ(m.QuitReason, c.reasonAfter);
        expectOwnWorkBack();
        if (c.saves) {
            ResetProgress();
            ASSERT_TRUE(ReadUserFile());
            EXPECT_EQ(m.CurrentUnknown, 7);
            EXPECT_EQ(m.ItemsRevealed[6], kTrue);
            EXPECT_EQ(m.ItemsRevealed[5], kFalse);
            EXPECT_EQ(m.NameTypingTries, 1);
        } else {
            EXPECT_EQ(readFileBytes(path).value(), before);
        }
        orvtest::msgLog().answers.clear();
        TearDown();
    }
}

// "Save and quit", "Save and next user" and the close box: a failed save
// keeps the student in the main window, the work and the old file intact.
TEST_F(KeepWork, FailedSaveKeepsTheStudentInTheMainWindow)
{
    for (const char* reason : {"QuitNow", "AnotherUser", "Save"}) {
        SCOPED_TRACE(reason);
        SetUp();
        ownWorkSaved();
        const QByteArray before = readFileBytes(path).value();
        identtest::reveal({13, 14});
        m.DataSaved = kFalse;
        m.QuitReason = QString::fromLatin1(reason);
        {
            orvtest::WriteLimit full(10);
            const LeaveOutcome out = leaveMainWindow(m);
            EXPECT_FALSE(out.close);
        }
        EXPECT_EQ(orvtest::msgLog().lastPrompt(),
                  "Error writing " + path + ". Information not saved.\r\nNo space left on device.");
        EXPECT_EQ(readFileBytes(path).value(), before);
        EXPECT_EQ(m.QuitReason, "Save") << "the close box saves again";
        EXPECT_EQ(m.DataSaved, kFalse);
        EXPECT_EQ(m.ItemsRevealed[14], kTrue);
        EXPECT_EQ(m.UserFilePath, path) << "a file named earlier keeps its name";

        // With room again the same way out saves and leaves.
        m.QuitReason = QString::fromLatin1(reason);
        EXPECT_TRUE(leaveMainWindow(m).close);
        EXPECT_EQ(m.DataSaved, kTrue);
        TearDown();
    }
}

// The user file does not hold the count of unsuitable derivatives: reading
// the student's unknown back finds it again, so the report still tells it.
TEST_F(KeepWork, UnsuitableDerivativeIsStillOneAfterASave)
{
    int unsuitable = 0, suitable = 0;
    for (int k = 35; k <= 52 && (unsuitable == 0 || suitable == 0); ++k)
        (m.UnkItemTitle[k].contains("unsuitable") ? unsuitable : suitable) = k;
    ASSERT_TRUE(unsuitable && suitable) << "unknown 7 has derivatives of both kinds";
    m.AllocatedUnknowns = QStringLiteral("12");
    identtest::reveal({1, unsuitable, suitable});
    m.UnsuitableDerivs = 1; // as revealing counted it
    m.UserFilePath = path;
    ASSERT_TRUE(WriteUserFile());

    resetModOrvan();
    InitProgram();
    m.UserFilePath = path;
    m.TestsAllowed = m.DerivsAllowed = kTrue;
    ASSERT_TRUE(ReadUserFile());
    ASSERT_TRUE(ReadUnknownFile());
    EXPECT_EQ(m.UnsuitableDerivs, 1);
    m.UnkIdentified = m.IdentifiedByName = kTrue;
    m.NameTypingTries = 1;
    const ReportOutcome r = makeReport(QStringLiteral("Well done"));
    EXPECT_TRUE(r.text.contains("You obtained 2 items of information.")) << r.text.toStdString();
    EXPECT_TRUE(r.text.contains("\r\n   1 derivative\r\n"));
    EXPECT_TRUE(r.text.contains("1 attempt at an unsuitable derivative was made."));
    EXPECT_EQ(r.resultLine.mid(11, 2), "01") << r.resultLine.toStdString();
}

// After a report, the next allocated unknown whose file is missing never
// ends the program: the finished unknown is saved and the student leaves
// through the quit window with the reason.
TEST_F(KeepWork, MissingNextUnknownAfterAReportKeepsTheFinishedOne)
{
    m.AllocatedUnknowns = QStringLiteral("40");
    m.UserFilePath = path;
    identtest::reveal({1, 4});
    m.UnkIdentified = m.IdentifiedByName = kTrue;
    m.NameTypingTries = 1;
    const ReportOutcome r = makeReport(QStringLiteral("Well done"));
    ASSERT_TRUE(r.anotherUnknownLeft);
    QString why;
    EXPECT_EQ(continueAfterReport(r.anotherUnknownLeft, &why), ReportNext::NoUnknownReadable);
    EXPECT_TRUE(why.startsWith("Error reading file " + folder.unknownFile(40))) << why.toStdString();
    EXPECT_EQ(orvtest::programEnds(), 0);
    const UserRecord saved = orvtest::userFileRecord(path);
    EXPECT_EQ(saved.completedUnknowns, "0307");
    ASSERT_EQ(saved.results.size(), 2u);
    EXPECT_TRUE(saved.results[1].resultLine.startsWith("2")) << "the finished unknown's result line";
    EXPECT_EQ(saved.progress.CurrentUnknown, 40) << "kept for when the instructor mends the folder";
    EXPECT_EQ(m.DataSaved, kTrue);
}
