#include "core/forms/frmInitial.h"
#include "core/forms/startup.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/runtime.h"
#include "tests/common/testsupport.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

// Stand-ins for the sign-in and quit windows, to see where the start window
// routes the student.
class frmUnkProgm : public QWidget {
    Q_OBJECT
};
class frmUnkTeach : public QWidget {
    Q_OBJECT
};
class frmQuit : public QWidget {
    Q_OBJECT
};
class frmSelectUnks : public QWidget {
    Q_OBJECT
};

namespace {

class StartWindow : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    QTemporaryDir lockDir;
    ModOrvan& m = modOrvan;
    QStringList opened;

    void SetUp() override
    {
        releaseSingleCopy();
        setSingleCopyLockFolder(lockDir.path());
        forms::registerForm(forms::names::frmUnkProgm, [this] {
            opened << "frmUnkProgm";
            closeSoon();
            return new frmUnkProgm;
        });
        forms::registerForm(forms::names::frmUnkTeach, [this] {
            opened << "frmUnkTeach";
            closeSoon();
            return new frmUnkTeach;
        });
        forms::registerForm(forms::names::frmQuit, [this] {
            opened << "frmQuit";
            return new frmQuit;
        });
    }
    void TearDown() override
    {
        forms::unloadAll();
        releaseSingleCopy();
    }
    static void closeSoon()
    {
        orvtest::later([] {
            for (QWidget* w : forms::loadedForms())
                if (w->isModal())
                    forms::unload(w);
        });
    }
    frmInitial* start(const QString& commandLine = {})
    {
        EXPECT_TRUE(startStudentProgram(commandLine));
        return forms::loaded<frmInitial>();
    }
};

} // namespace

TEST_F(StartWindow, RefusesASecondRunningCopy)
{
    SingleInstance other(QStringLiteral("orvantos"), lockDir.path());
    ASSERT_TRUE(other.tryLock());
    EXPECT_FALSE(startStudentProgram(QString()));
    ASSERT_FALSE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(orvtest::msgLog().lastPrompt(), "Orvanto already loaded");
    EXPECT_EQ(orvtest::msgLog().shown.back().icon, MsgIcon::Information);
    EXPECT_TRUE(forms::loadedForms().isEmpty()) << "no window is left";
}

TEST_F(StartWindow, LaysItselfOutAndSetsUpTheState)
{
    m.QuitReason = "AllDone";
    m.ItemsRevealed[4] = kTrue;
    frmInitial* w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(m.ProgramPath, folder.path());
    EXPECT_TRUE(m.QuitReason.isEmpty());
    EXPECT_EQ(m.ItemsRevealed[4], kFalse);
    EXPECT_EQ(m.ScreenTopOffset, std::max(1, CInt((screenHeightTwips() - 6500) / 2.0)));
    const QRect tw = formRectTwips(w);
    EXPECT_NEAR(tw.y(), m.ScreenTopOffset + 2250, 15);
    EXPECT_NEAR(tw.width(), 6500, 15);
    EXPECT_EQ(w->cmdInitial->text(), "&Continue");
    EXPECT_EQ(w->cmdInitial->toolTip(), "Click here to proceed");
    EXPECT_EQ(w->lblAbout->text(),
              "A program from Kordavia that helps you learn to use spectroscopy to identify organic unknowns");
    // Ten twips a point a character, wider where the text needs more.
    const int versionWidthPx = qRound(10.0 * w->lblVersion->text().size() * 10 / 15);
    EXPECT_GE(w->lblVersion->width(), versionWidthPx);
    EXPECT_LE(w->lblVersion->width(),
              std::max(versionWidthPx,
                       QFontMetrics(w->lblVersion->font()).horizontalAdvance(w->lblVersion->text()) + 5));
    EXPECT_GE(w->lblVersion->width(), QFontMetrics(w->lblVersion->font()).horizontalAdvance(w->lblVersion->text()));
    EXPECT_TRUE(w->lblVersion->toolTip().startsWith("version "));
    EXPECT_TRUE(w->lblVersion->toolTip().contains(" build "));
}

TEST_F(StartWindow, PressingThePictureEnlargesItUntilReleased)
{
    frmInitial* w = start();
    ASSERT_NE(w, nullptr);
    // Each description shows whole, clear of the Continue button below it.
    const auto readable = [w] {
        const QLabel* l = w->lblAbout;
        const QRect need = QFontMetrics(l->font()).boundingRect(QRect(0, 0, l->width(), 100000),
                                                                Qt::TextWordWrap | int(l->alignment()), l->text());
        return need.height() <= l->height() && l->geometry().bottom() < w->cmdInitial->geometry().top();
    };
    EXPECT_TRUE(readable()) << "at load";
    const QRect small = w->imgKor->geometry();
    w->imgKor_MouseDown();
    EXPECT_TRUE(readable()) << "while the picture is pressed";
    EXPECT_GT(w->imgKor->width(), small.width());
    const QPoint shift = w->imgKor->geometry().center() - small.center();
    EXPECT_LE(shift.manhattanLength(), 1) << "the same centre, within a pixel";
    w->imgKor_MouseUp();
    EXPECT_EQ(w->imgKor->geometry(), small);
    EXPECT_EQ(w->lblAbout->text(), "A program from Kordavia to help you learn to use spectroscopy and "
                                   "chemical reactions to identify organic unknowns");
    EXPECT_TRUE(readable()) << "after the picture is released";
}

TEST_F(StartWindow, ContinueWithoutCommandLineGoesToASignInWindow)
{
    const struct {
        Boolean programChooses;
        const char* window;
    } cases[] = {{kTrue, "frmUnkProgm"}, {kFalse, "frmUnkTeach"}};
    for (const auto& c : cases) {
        opened.clear();
        frmInitial* w = start();
        ASSERT_NE(w, nullptr);
        m.ProgramChoosesUnknowns = c.programChooses;
        w->cmdInitial_Click();
        EXPECT_EQ(opened, QStringList{c.window});
        EXPECT_EQ(forms::find(forms::names::frmInitial), nullptr) << "the start window is gone";
    }
}

TEST_F(StartWindow, CommandLineIsUsedOnlyOnce)
{
    const QString path = folder.file("users/missing.ovg");
    frmInitial* w = start(path);
    ASSERT_NE(w, nullptr);
    w->cmdInitial_Click();
    EXPECT_TRUE(orvtest::msgLog().lastPrompt().startsWith("The file " + path)) << "the command line was read";
    EXPECT_TRUE(m.UserFilePath.isEmpty()) << "a refused file is forgotten";
    EXPECT_EQ(m.CommandLineUsed, "yes");
    // An unreadable file leads out through the quit window.
    EXPECT_EQ(opened, QStringList{"frmQuit"});
    EXPECT_EQ(m.TextBuffer, "Invalid password." + QString(25, ' '));
    EXPECT_EQ(m.TextBuffer.size(), 42);

    // The restart for a new user: a sign-in window now, whatever the command line.
    forms::unloadAll();
    opened.clear();
    m.NameCount = 0;
    w = start(path);
    ASSERT_NE(w, nullptr);
    m.ProgramChoosesUnknowns = kTrue;
    w->cmdInitial_Click();
    EXPECT_EQ(opened, QStringList{"frmUnkProgm"});
}

TEST_F(StartWindow, InstructorCommandOpensTheUnknownSelection)
{
    frmInitial* w = start();
    ASSERT_NE(w, nullptr);
    if (!forms::isRegistered(forms::names::frmSelectUnks)) {
        w->instructorSelection(); // not part of this program: the start window stays
        EXPECT_EQ(forms::find(forms::names::frmInitial), w);
        forms::registerForm(forms::names::frmSelectUnks, [] { return new frmSelectUnks; });
    }
    w->instructorSelection();
    EXPECT_EQ(forms::find(forms::names::frmInitial), nullptr);
    ASSERT_NE(forms::find(forms::names::frmSelectUnks), nullptr);
    EXPECT_TRUE(forms::find(forms::names::frmSelectUnks)->isVisible());
    EXPECT_FALSE(forms::find(forms::names::frmSelectUnks)->isModal());
    EXPECT_TRUE(m.UserFilePath.isEmpty()) << "no user file is read on this road";
}

#include "test_startup.moc"
