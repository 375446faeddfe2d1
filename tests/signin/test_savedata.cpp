#include "core/marktexts.h"
#include "core/modorvan.h"
#include "core/signin.h"
#include "core/userfile.h"
#include "mainwindow/savedata.h"
#include "platform/filedialog.h"
#include "platform/fileinuse.h"
#include "platform/msgbox.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/signin/signinsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A new student's file is made, never taken over: a file that another
// account put at the chosen name while the student was asked something (the
// password window, the question over another copy's mark at that name) is
// not the student's. The save says so, nothing of it is read or written, and
// the student is asked for another name at once.
TEST_F(SaveTest, ANewUsersFileIsNeverOneAnotherPutThereMeanwhile)
{
    const QString fred = folder.file("users/fred.ovg");
    const QByteArray theirs = "a classmate's file\r\n";
    const auto plant = [&] {
        QFile f(fred);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(theirs) == theirs.size());
        f.setPermissions(QFileDevice::Permissions(0x6666));
    };
    for (const bool whileAskedOpenAnyway : {false, true}) {
        SCOPED_TRACE(whileAskedOpenAnyway ? "while asked to open it anyway" : "while the password window is open");
        QFile::remove(fred);
        QFile::remove(folder.file("users/fred2.ovg"));
        orvtest::msgLog().shown.clear();
        dialog.shown = 0;
        modOrvan.UserFilePath.clear();
        modOrvan.PasswordRequired = vb(!whileAskedOpenAnyway);
        int asked = 0;
        setPasswordWindows({[&](const QString&) {
                                if (++asked == 1)
                                    plant();
                                modOrvan.Password = QStringLiteral("secret");
                                modOrvan.PasswordVerified = kTrue;
                            },
                            {}});
        const MsgPresenter log = msgPresenter();
        if (whileAskedOpenAnyway) {
            ASSERT_TRUE(createFileExclusive(FileInUse::markPath(fred), markText(orvtest::markOfLabPc07())).written());
            setMsgPresenter([&](const MsgRecord& r) {
                if (r.yesText != kOpenAnyway)
                    return log(r);
                plant();
                return MsgResult::Yes;
            });
        }
        dialog.answers = {"fred", "fred2"};
        modOrvan.ItemsRevealed[5] = kTrue;
        EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
        setPasswordWindows({});
        setMsgPresenter(log);
        EXPECT_EQ(dialog.shown, 2) << "asked for another name at once";
        EXPECT_TRUE(prompts().contains("Error writing " + fred
                                       + ". Information not saved.\r\nSomeone has put another file at this name in "
                                         "the users folder since you chose it, so it is not yours to write. Tell your "
                                         "instructor. Your work is kept: save again to give it another name."))
            << prompts().join(u'|').toStdString();
        EXPECT_EQ(readFileBytes(fred).value(), theirs) << "the other file is neither read into nor written";
        EXPECT_EQ(modOrvan.UserFilePath, folder.file("users/fred2.ovg"));
        EXPECT_EQ(orvtest::userFileRecord(modOrvan.UserFilePath).progress.ItemsRevealed[5], kTrue);
        EXPECT_FALSE(QFileInfo::exists(FileInUse::markPath(fred))) << "the name taken is let go";
        EXPECT_EQ(releaseUserFile(), QString());
    }
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

// That copy takes `mark` over, as it does once its student chose to open
// the file anyway.
void takeOver(const QString& mark, const MarkHolder& other)
{
    ASSERT_TRUE(QFile::remove(mark));
    ASSERT_TRUE(createFileExclusive(mark, markText(other)).written());
}

} // namespace

// Another copy took the file over since this one marked it (a student chose
// to open it anyway elsewhere): the save does not write over that copy's
// work and says so, and the work goes under a name of its own at once.
TEST_F(SaveTest, AFileTakenOverByAnotherCopyIsNeverWrittenOver)
{
    dialog.answers = {"fred", "fred2"};
    ASSERT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    const QString fred = folder.file("users/fred.ovg"), mark = FileInUse::markPath(fred);
    const MarkHolder other = orvtest::markOfLabPc07();
    takeOver(mark, other);
    const QByteArray theirs = "the other copy's work\r\n";
    ASSERT_TRUE(writeFileAtomic(fred, theirs).written());

    modOrvan.ItemsRevealed[5] = kTrue;
    modOrvan.DataSaved = kFalse;
    orvtest::msgLog().shown.clear();
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    ASSERT_FALSE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(orvtest::msgLog().shown.front().prompt,
              "Another copy of Orvanto (on machine lab-pc-07, account " + accountName(::geteuid())
                  + ") has opened this file since you signed in, and saving here would overwrite its work. Choose "
                    "another name for your work.");
    EXPECT_EQ(*readFileBytes(fred), theirs);
    EXPECT_EQ(*readFileBytes(mark), markText(other)) << "the other copy's mark stays";
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
    const MarkHolder other = orvtest::markOfLabPc07();
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

// In a users/ folder that every account may write (not sticky, as some labs
// run it), a classmate, another account, puts a link or another file in the
// place of the file a student signed in with. The student's save writes
// nothing anywhere: it is refused with the reason, and the work is saved
// under another name. Run as root, which acts as both accounts: the student
// (root itself, or nobody) and the classmate, in a child process of its own.
namespace {

constexpr uid_t kClassmate = 65533;

// Runs `swap` as the classmate in a child process: true when it succeeded.
// The child does only system calls, on names encoded before the fork.
bool asClassmate(const std::function<bool()>& swap)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The test may run with nobody's effective rights: root again first,
        // then the classmate for good.
        const bool ok = (::geteuid() == 0 || ::seteuid(0) == 0) && ::setgroups(0, nullptr) == 0
                     && ::setgid(kClassmate) == 0 && ::setuid(kClassmate) == 0 && swap();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QByteArray native(const QString& path) { return QFile::encodeName(path); }

class SwappedFileTest : public SaveTest {
protected:
    QString anna, notesDir, notes;
    QTemporaryDir home; // the student's own folder: mode 700, a file of mode 600 in it
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root, to act as two accounts";
        SaveTest::SetUp();
        ASSERT_TRUE(folder.shipUnknown(3));
        ASSERT_EQ(::chmod(native(folder.path()).constData(), 0755), 0);
        ASSERT_EQ(::chmod(native(folder.file("users")).constData(), 0777), 0);
        anna = folder.file("users/anna.ovg");
        notesDir = home.path();
        notes = home.filePath("notes.txt");
        ASSERT_TRUE(writeFileAtomic(notes, "private notes\r\n").written());
        ASSERT_EQ(::chmod(native(notes).constData(), 0600), 0);
        ASSERT_EQ(::chmod(native(notesDir).constData(), 0700), 0);
        modOrvan.UserFilePath = anna;
        modOrvan.CurrentUnknown = 3;
        ASSERT_TRUE(WriteUserFile());
        orvtest::letGoOfUserFile();
    }
    // Everything the student has is the student account's.
    void giveTo(uid_t student) const
    {
        for (const QString& p : {anna, notesDir, notes})
            ASSERT_EQ(::chown(native(p).constData(), student, student), 0) << p.toStdString();
    }
    // Signs the student in as the program does, with some work on top.
    void signIn() const
    {
        InitProgram();
        modOrvan.PasswordRequired = kFalse;
        ASSERT_EQ(signInFromUserFile(anna, true).result, SignInResult::Loaded);
        modOrvan.ItemsRevealed[5] = kTrue;
        modOrvan.DataSaved = kFalse;
        orvtest::msgLog().shown.clear();
    }
    // The refused save, told in plain words, then the save under a name of
    // its own.
    void expectRefusedThenSavedElsewhere()
    {
        EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Failed);
        EXPECT_EQ(orvtest::msgLog().lastPrompt(),
                  "Error writing " + anna
                      + ". Information not saved.\r\nThe file at this name in the users folder is no longer the one "
                        "you opened: someone has put another file, or a shortcut to one, in its place. Tell your "
                        "instructor. Your work is kept: save again to give it another name.");
        EXPECT_EQ(readFileBytes(notes).value_or("(unreadable)"), "private notes\r\n");
        EXPECT_TRUE(modOrvan.UserFilePath.isEmpty()) << "the next save asks for a name";
        EXPECT_FALSE(QFileInfo::exists(FileInUse::markPath(anna))) << "the file is let go";
        dialog.answers = {"anna2"};
        EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
        EXPECT_EQ(modOrvan.UserFilePath, folder.file("users/anna2.ovg"));
        EXPECT_EQ(orvtest::userFileRecord(modOrvan.UserFilePath).progress.ItemsRevealed[5], kTrue);
        EXPECT_EQ(QDir(folder.file("users")).entryList({"*.orvtmp"}, QDir::Files | QDir::Hidden), QStringList{});
    }
};

} // namespace

TEST_F(SwappedFileTest, ALinkOrAnotherFileInItsPlaceIsNeverWritten)
{
    enum class Student { Root, Nobody };
    // clang-format off
    const struct {
        const char* what;
        Student student;
        bool link; // else another file renamed over it
    } cases[] = {
        {"a link to the student's own private file", Student::Nobody, true},
        {"a link to a file only root may read, the program run by root", Student::Root, true},
        {"the classmate's own file renamed over it", Student::Root, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const uid_t student = c.student == Student::Root ? 0 : 65534;
        giveTo(student);
        std::optional<orvtest::AsOrdinaryUser> nobody;
        if (c.student == Student::Nobody)
            nobody.emplace();
        signIn();
        const QByteArray name = native(anna), target = native(notes), theirs = native(anna + ".theirs");
        ASSERT_TRUE(asClassmate([&] {
            if (!c.link) {
                const int fd = ::open(theirs.constData(), O_WRONLY | O_CREAT | O_EXCL, 0666);
                return fd >= 0 && ::write(fd, "x\r\n", 3) == 3 && ::close(fd) == 0
                    && ::rename(theirs.constData(), name.constData()) == 0;
            }
            return ::unlink(name.constData()) == 0 && ::symlink(target.constData(), name.constData()) == 0;
        }));
        expectRefusedThenSavedElsewhere();
        EXPECT_EQ(QFileInfo(anna).isSymLink(), c.link);
        if (!c.link) {
            EXPECT_EQ(readFileBytes(anna).value(), "x\r\n") << "the classmate's file stays";
        }
        nobody.reset();
        orvtest::letGoOfUserFile();
        QFile::remove(folder.file("users/anna2.ovg"));
        QFile::remove(anna);
    }
}

// A user file that the student set up as a link before signing in is
// written through that link, to the file read only: the link turned to
// another file is refused like any other swap.
TEST_F(SwappedFileTest, AUserFileThatWasALinkIsWrittenThroughItToTheSameFileOnly)
{
    const QString real = home.filePath("anna.ovg");
    ASSERT_TRUE(QFile::rename(anna, real));
    ASSERT_TRUE(QFile::link(real, anna));
    signIn();
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_TRUE(QFileInfo(anna).isSymLink());
    EXPECT_EQ(orvtest::userFileRecord(real).progress.ItemsRevealed[5], kTrue);

    // Saved again: the file written by the last save is the one to replace.
    modOrvan.ItemsRevealed[6] = kTrue;
    EXPECT_EQ(WriteUserDataFlow(), SaveOutcome::Saved);
    EXPECT_EQ(orvtest::userFileRecord(real).progress.ItemsRevealed[6], kTrue);

    const QByteArray name = native(anna), target = native(notes);
    ASSERT_TRUE(asClassmate(
        [&] { return ::unlink(name.constData()) == 0 && ::symlink(target.constData(), name.constData()) == 0; }));
    modOrvan.ItemsRevealed[7] = kTrue;
    modOrvan.DataSaved = kFalse;
    expectRefusedThenSavedElsewhere();
    EXPECT_EQ(orvtest::userFileRecord(real).progress.ItemsRevealed[7], kFalse) << "the file read keeps the last save";
}
