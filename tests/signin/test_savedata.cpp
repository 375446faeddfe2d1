#include "core/modorvan.h"
#include "core/userfile.h"
#include "mainwindow/savedata.h"
#include "platform/filedialog.h"
#include "platform/fileinuse.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"

#include <QDir>
#include <QFile>
#include <deque>
#include <gtest/gtest.h>

using namespace orv;

namespace {

// Answers the Save dialog from a script (a name in the users folder, or ""
// for Cancel) and counts how often it was shown.
struct SaveDialogScript {
    std::deque<QString> answers;
    int shown = 0;
    FileDialogRequest last;
    void install(const QString& users)
    {
        setFileDialogPresenter([this, users](const FileDialogRequest& r) {
            ++shown;
            last = r;
            if (answers.empty())
                return QString();
            const QString a = answers.front();
            answers.pop_front();
            return a.isEmpty() ? QString() : users + u'/' + a;
        });
    }
};

class SaveTest : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    SaveDialogScript dialog;
    void SetUp() override
    {
        InitProgram();
        ResetProgress();
        modOrvan.CurrentUnknown = 7;
        modOrvan.PasswordRequired = kFalse;
        dialog.install(folder.file("users"));
    }
    void TearDown() override { setFileDialogPresenter({}); }
    QStringList prompts() const
    {
        QStringList p;
        for (const auto& r : orvtest::msgLog().shown)
            p << r.prompt;
        return p;
    }
};

} // namespace

TEST(SaveFileName, TakesTheTitleUpToItsFirstDot)
{
    const struct {
        const char* title;
        const char* want;
    } cases[] = {
        {"fred", "fred.ovg"},
        {"fred.ovg", "fred.ovg"},
        {"fred.txt", "fred.ovg"},
        {"fred.a.b", "fred.ovg"},
        {".ovg", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(userFileNameFor(QString::fromLatin1(c.title)), QString::fromLatin1(c.want)) << c.title;
}

TEST_F(SaveTest, PlainNameIsStoredWithoutNotice)
{
    dialog.answers = {"fred"};
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_EQ(dialog.last.title, "Save details of progress?");
    EXPECT_EQ(dialog.last.filter, "Orvanto files(*.ovg)|*.ovg");
    EXPECT_TRUE(QFile::exists(folder.file("users/fred.ovg")));
    EXPECT_EQ(modOrvan.UserFilePath, folder.file("users/fred.ovg"));
    EXPECT_EQ(modOrvan.DataSaved, kTrue);
    EXPECT_TRUE(prompts().isEmpty());
}

TEST_F(SaveTest, OtherExtensionIsChangedWithANotice)
{
    dialog.answers = {"fred.txt"};
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_EQ(prompts(), QStringList{"File name changed to fred.ovg"});
    EXPECT_TRUE(QFile::exists(folder.file("users/fred.ovg")));
    EXPECT_FALSE(QFile::exists(folder.file("users/fred.txt")));
}

TEST_F(SaveTest, ANameOfBlanksOnlyIsRefusedLikeAnEmptyOne)
{
    dialog.answers = {" ", "   .ovg", "\t", "carol"};
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_EQ(prompts(), QStringList(3, QStringLiteral("Bad file name, try again.")));
    EXPECT_EQ(QDir(folder.file("users")).entryList(QDir::Files), QStringList{"carol.ovg"});
}

TEST_F(SaveTest, EmptyNameAndExistingFileAreRefused)
{
    QFile existing(folder.file("users/anne.ovg"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("someone else's progress");
    existing.close();
    dialog.answers = {".ovg", "anne", "bob"};
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_EQ(dialog.shown, 3);
    EXPECT_EQ(prompts(), (QStringList{"Bad file name, try again.", "File already exists, do not use."}));
    QFile check(folder.file("users/anne.ovg"));
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("someone else's progress"));
    EXPECT_EQ(modOrvan.UserFilePath, folder.file("users/bob.ovg"));
}

TEST_F(SaveTest, CancelAsksAndMayGiveUp)
{
    orvtest::msgLog().answers = {MsgResult::No, MsgResult::Yes};
    dialog.answers = {"", "", "never"};
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::NotNamed);
    EXPECT_EQ(dialog.shown, 2);
    EXPECT_EQ(prompts(), (QStringList{"Are you really sure that you want to cancel save?",
                                      "Are you really sure that you want to cancel save?"}));
    EXPECT_EQ(orvtest::msgLog().shown.front().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(modOrvan.UserFilePath.isEmpty());
    EXPECT_EQ(modOrvan.DataSaved, kFalse);
    EXPECT_TRUE(QDir(folder.file("users")).entryList(QDir::Files).isEmpty());
}

TEST_F(SaveTest, SecondSaveRewritesTheSameFileWithoutADialog)
{
    dialog.answers = {"fred"};
    ASSERT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    modOrvan.ItemsRevealed[2] = kTrue;
    modOrvan.DataSaved = kFalse;
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(modOrvan.DataSaved, kTrue);
}

TEST_F(SaveTest, InstructorModeWritesNothing)
{
    modOrvan.InstructorMode = kTrue;
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::NotNamed);
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_TRUE(QDir(folder.file("users")).entryList(QDir::Files).isEmpty());
}

TEST_F(SaveTest, FailedWriteLeavesDataUnsaved)
{
    modOrvan.UserFilePath = folder.file("missing-folder/fred.ovg");
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Failed);
    EXPECT_EQ(modOrvan.DataSaved, kFalse);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(), "Error writing " + folder.file("missing-folder/fred.ovg")
                                                  + ". Information not saved.\r\nNo such file or directory.")
        << "the writer's reason follows on a line of its own";
}

// A full disk under a new name: the message, nothing saved, the name given
// back; a second try under another name (the disk has room again) saves all.
TEST_F(SaveTest, FailedNewFileIsForgottenAndAnotherNameSaves)
{
    const QByteArray other = "someone else's progress\r\n";
    {
        QFile f(folder.file("users/anne.ovg"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(other);
    }
    modOrvan.ItemsRevealed[3] = kTrue;
    modOrvan.NameTypingTries = 2;
    dialog.answers = {"fred", "george"};
    {
        orvtest::WriteLimit full(20);
        EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Failed);
    }
    // Not even the in-use mark fits on this disk; the file is not opened.
    EXPECT_EQ(orvtest::msgLog().lastPrompt(), "Error writing " + folder.file("users/fred.ovg")
                                                  + ". Information not saved.\r\nIts in-use mark "
                                                  + FileInUse::markPath(folder.file("users/fred.ovg"))
                                                  + " cannot be written (No space left on device).");
    EXPECT_TRUE(modOrvan.UserFilePath.isEmpty()) << "the next save asks for a name again";
    EXPECT_EQ(modOrvan.DataSaved, kFalse);
    EXPECT_EQ(QDir(folder.file("users")).entryList(QDir::Files | QDir::Hidden), QStringList{"anne.ovg"});

    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_EQ(dialog.shown, 2);
    EXPECT_EQ(modOrvan.UserFilePath, folder.file("users/george.ovg"));
    ResetProgress();
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(modOrvan.ItemsRevealed[3], kTrue);
    EXPECT_EQ(modOrvan.NameTypingTries, 2);
    EXPECT_EQ(*readFileBytes(folder.file("users/anne.ovg")), other);
}

namespace {

// A copy on another machine, as its mark names it.
MarkHolder otherMachinesCopy()
{
    MarkHolder other = FileInUse::thisCopy();
    other.token = "the other copy";
    other.host = "lab-pc-07";
    return other;
}

// That copy takes `mark` over, as it does once it has judged the mark dead.
void takeOver(const QString& mark, const MarkHolder& other)
{
    ASSERT_TRUE(QFile::remove(mark));
    ASSERT_TRUE(createFileExclusive(mark, markText(other)).written());
}

} // namespace

// Another copy took the file over since this one marked it (this machine
// slept, or its clock or network misled the other): the save does not write
// over that copy's work and says so; the work stays, and the next save asks
// for a name of its own.
TEST_F(SaveTest, AFileTakenOverByAnotherCopyIsNeverWrittenOver)
{
    dialog.answers = {"fred", "fred2"};
    ASSERT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    const QString fred = folder.file("users/fred.ovg"), mark = FileInUse::markPath(fred);
    const MarkHolder other = otherMachinesCopy();
    takeOver(mark, other);
    const QByteArray theirs = "the other copy's work\r\n";
    ASSERT_TRUE(writeFileAtomic(fred, theirs).written());

    modOrvan.ItemsRevealed[5] = kTrue;
    modOrvan.DataSaved = kFalse;
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Failed);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(),
              "Error writing " + fred
                  + ". Information not saved.\r\nAnother copy of Orvanto has opened this file since you signed in, "
                    "and saving here would overwrite its work. Your work is kept: save again to give it another name.");
    EXPECT_EQ(*readFileBytes(fred), theirs);
    EXPECT_EQ(*readFileBytes(mark), markText(other)) << "the other copy's mark stays";
    EXPECT_TRUE(modOrvan.UserFilePath.isEmpty());
    EXPECT_EQ(modOrvan.DataSaved, kFalse);

    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_EQ(dialog.shown, 2);
    EXPECT_EQ(modOrvan.UserFilePath, folder.file("users/fred2.ovg"));
    EXPECT_EQ(orvtest::userFileRecord(modOrvan.UserFilePath).progress.ItemsRevealed[5], kTrue);
}

// Another copy takes the file over while this copy's save is being written
// (after the check before it, before the rename): the save is not reported
// done, since that copy's next save replaces it; the student is told that
// it may have overwritten that copy's work, keeps the work and saves it
// under a name of its own.
TEST_F(SaveTest, ATakeoverWhileTheSaveIsWrittenIsTold)
{
    dialog.answers = {"fred", "fred2"};
    ASSERT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    const QString fred = folder.file("users/fred.ovg"), mark = FileInUse::markPath(fred);
    const MarkHolder other = otherMachinesCopy();
    setBeforeRenameForTests([&] { takeOver(mark, other); });
    modOrvan.ItemsRevealed[5] = kTrue;
    modOrvan.DataSaved = kFalse;
    const SaveOutcome out = WriteUserDataFlow();
    setBeforeRenameForTests(nullptr);
    EXPECT_EQ(out, SaveOutcome::Failed);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(),
              "Your progress has been written to " + fred
                  + ", but another copy of Orvanto opened this file while it was being saved: this save may have "
                    "overwritten that copy's work, and that copy's next save will overwrite yours. Your work is kept: "
                    "save again to give it another name.");
    EXPECT_EQ(orvtest::userFileRecord(fred).progress.ItemsRevealed[5], kTrue) << "written, as said";
    EXPECT_EQ(*readFileBytes(mark), markText(other)) << "the other copy's mark stays";
    EXPECT_TRUE(modOrvan.UserFilePath.isEmpty());
    EXPECT_EQ(modOrvan.DataSaved, kFalse);

    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_EQ(modOrvan.UserFilePath, folder.file("users/fred2.ovg"));
}

// A save whose folder cannot be synced after the rename is a save: the
// student is told that it is written and what a power cut could still do.
TEST_F(SaveTest, AFolderThatCannotBeSyncedIsToldTruthfully)
{
    dialog.answers = {"fred"};
    setFolderSyncFailureForTests(QStringLiteral("Input/output error"));
    const SaveOutcome out = WriteUserDataFlow();
    setFolderSyncFailureForTests({});
    EXPECT_EQ(out, SaveOutcome::Saved);
    EXPECT_EQ(modOrvan.DataSaved, kTrue);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(),
              "Your progress has been written to " + folder.file("users/fred.ovg")
                  + ", but the disk did not confirm it (Input/output error): a power cut now could still lose this "
                    "save.");
    EXPECT_EQ(orvtest::userFileRecord(folder.file("users/fred.ovg")).progress.CurrentUnknown, 7);
}
