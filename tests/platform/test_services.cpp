#include "platform/forms/formregistry.h"
#include "platform/forms/helpviewer.h"
#include "platform/forms/printer.h"
#include "platform/resources.h"
#include "platform/runtime.h"
#include "platform/sound.h"
#include "platform/twips.h"
#include "tests/common/testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orv;

TEST(Sound, ParsesPcmAndRejectsOtherImages)
{
    WavInfo info;
    ASSERT_TRUE(parseWav(orvtest::wavImage(8000, 100), info));
    EXPECT_EQ(info.sampleRate, 8000);
    EXPECT_EQ(info.bitsPerSample, 16);
    EXPECT_EQ(info.samples.size(), 200);
    EXPECT_FALSE(parseWav("RIFF....WAVE", info));
    EXPECT_FALSE(parseWav(QByteArray(), info));
}

// How soon it returns is timed by the bench (./build.sh bench).
TEST(Sound, PlayingStartsAPcmImageWithoutADeviceAndRefusesOthers)
{
    EXPECT_TRUE(playWavAsync(orvtest::wavImage(8000, 8000))); // a whole second of sound
    EXPECT_FALSE(playWavAsync("not a wav"));
}

TEST(Runtime, PauseLetsTimersRunAndLastsItsTime)
{
    bool fired = false;
    QTimer::singleShot(20, [&] { fired = true; });
    QElapsedTimer t;
    t.start();
    Pause(0.1);
    EXPECT_TRUE(fired);
    EXPECT_GE(t.elapsed(), 95);
}

TEST(Runtime, SecondCopyIsRefused)
{
    QTemporaryDir dir;
    SingleInstance first("copy", dir.path());
    SingleInstance second("copy", dir.path());
    ASSERT_TRUE(first.tryLock());
    EXPECT_FALSE(second.tryLock());
}

TEST(Twips, CaptionCorrection)
{
    EXPECT_EQ(captionExtraTwipsFor(19), 0);
    EXPECT_EQ(captionExtraTwipsFor(23), 84);
    EXPECT_EQ(captionExtraTwipsFor(18), 9);
    EXPECT_EQ(px(1500), 100);
}

TEST(Resources, ItemNamesAreCompiledIn)
{
    EXPECT_EQ(LoadResString(1001), "Elemental analysis");
    EXPECT_EQ(LoadResString(1085), "3,5-Dinitrobenzoate ");
    EXPECT_EQ(LoadResString(1087), "2,4-Dinitrophenylhydrazone");
    EXPECT_EQ(LoadResString(1019), "unused");
    EXPECT_TRUE(LoadResString(99999).isEmpty());
}

TEST(Printer, WritesAPdfWhenAsked)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
    TwipsPrinter p;
    ASSERT_TRUE(p.begin("test"));
    EXPECT_GT(p.pageSizeTwips().width(), 1440 * 6);
    p.painter()->drawLine(0, 0, 1440, 1440);
    EXPECT_TRUE(p.end());
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(4) == "%PDF");
}

TEST(Printer, FailureShowsTheProgramsOwnMessage)
{
    qputenv("ORVANTO_PRINT_PDF", "/nonexistent-folder/out.pdf");
    orvtest::msgLog().shown.clear();
    TwipsPrinter p;
    p.setFailureMessage("Problem with printer.", MsgIcon::None);
    EXPECT_FALSE(p.begin("test"));
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown[0].prompt, "Problem with printer.");
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::None);
}

TEST(MsgBox, SecondDefaultButtonIsPassedOnAndAnswersWithoutAPresenter)
{
    orvtest::msgLog().shown.clear();
    MsgBox("Quit?", MsgButtons::YesNo, MsgIcon::None, QString(), 2);
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown[0].defaultButton, 2);
    const MsgPresenter saved = msgPresenter();
    setMsgPresenter({});
    EXPECT_EQ(MsgBox("Quit?", MsgButtons::YesNo, MsgIcon::None, QString(), 2), MsgResult::No);
    EXPECT_EQ(MsgBox("Quit?", MsgButtons::YesNo), MsgResult::Yes);
    setMsgPresenter(saved);
}

class Probe : public QLabel {
    Q_OBJECT
public:
    Probe() = default;
};

// Names of windows made for these tests.
constexpr forms::FormName kProbe{"Probe"}, kNotBuilt{"NotBuilt"}, kScoped{"frmScoped"};

TEST(FormRegistry, SingleInstanceUntilUnloaded)
{
    Probe* a = forms::instance<Probe>();
    EXPECT_EQ(forms::instance<Probe>(), a);
    EXPECT_EQ(forms::find(kProbe), a);
    forms::showModeless(a);
    EXPECT_TRUE(forms::unload(a));
    EXPECT_EQ(forms::find(kProbe), nullptr);
    Probe* b = forms::instance<Probe>();
    forms::showModeless(b);
    b->close(); // the close box unloads too
    EXPECT_EQ(forms::find(kProbe), nullptr);
    EXPECT_FALSE(forms::showModal(kNotBuilt));
}

namespace scoped {
class frmScoped : public QLabel {
    Q_OBJECT
public:
    frmScoped() = default;
};
} // namespace scoped

TEST(FormRegistry, WindowsInANamespaceAreKnownByTheirOwnName)
{
    auto* w = forms::instance<scoped::frmScoped>();
    EXPECT_EQ(forms::find(kScoped), w);
    EXPECT_EQ(forms::instance<scoped::frmScoped>(), w);
    forms::registerForm(kScoped, [] { return new scoped::frmScoped; });
    EXPECT_EQ(forms::load(kScoped), w);
    EXPECT_TRUE(forms::unload(w));
    EXPECT_EQ(forms::find(kScoped), nullptr);
}

TEST(FormRegistry, ModalShowReturnsWhenClosed)
{
    Probe* p = forms::instance<Probe>();
    bool seen = false;
    orvtest::later(
        [&] {
            seen = p->isVisible() && p->isModal();
            forms::unload(p);
        },
        10);
    forms::showModal(p);
    EXPECT_TRUE(seen);
    EXPECT_EQ(forms::find(kProbe), nullptr);
}

TEST(HelpViewer, SaysWhenATopicHasNoText)
{
    orvtest::ProgramFolder folder;
    showHelpTopic(99999);
    ASSERT_TRUE(currentHelpViewer());
    EXPECT_TRUE(currentHelpViewer()->shownText().contains("no help text"));
    currentHelpViewer()->close();
}

TEST(HelpViewer, ReopenedRightAfterClosingStaysOpen)
{
    // Closing deletes the window at the next pass of the event loop; a topic
    // asked for before then must still get a window that stays.
    orvtest::ProgramFolder folder;
    showHelpTopic(1);
    QPointer<HelpViewer> first = currentHelpViewer();
    first->close();
    showHelpTopic(2);
    QPointer<HelpViewer> second = currentHelpViewer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->topic(), 2);
    second->close();
}

#include "test_services.moc"
