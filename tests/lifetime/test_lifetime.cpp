// A window closed while its "Printing completed." notice is on screen. Every
// printing window (the viewers, the calculators, the summary, the
// assignments) keeps the notice for three seconds on a timer, its handler
// already returned; a student who closes the window meanwhile, in any way,
// or the window behind it, or the main window, or ends the program, must find
// the program going on (or ending) normally, the closed window deleted and
// nothing run on it when the notice's time is up. The waits of all the cases
// overlap in one wait at the end of each test. Whatever does wait with a
// handler on the stack (a pause, a modal window) must not free a window under
// that handler. Run under the sanitizers, this also shows that nothing freed
// is touched.
#include "core/coreservices.h"
#include "core/modorvan.h"
#include "mainwindow/forms/frmAssignments.h"
#include "mainwindow/forms/frmHelp.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmSummary.h"
#include "mscalc/forms/frmCalcFormula.h"
#include "nmrcalc/forms/frmCalcCShift.h"
#include "nmrcalc/forms/frmCalcCoupling.h"
#include "nmrcalc/forms/frmCalcHShift.h"
#include "mscalc/forms/frmCalcIsotope.h"
#include "mscalc/forms/frmCalcMass.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/printnotice.h"
#include "platform/runtime.h"
#include "spectra/cmrplot.h"
#include "spectra/forms/spectrumviewer.h"
#include "tests/common/testsupport.h"
#include "tests/layout/scenes.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace orv;

namespace {

struct ViewerCase {
    const char* name;
    int item;
    const char* parent; // the window it is opened from ("frmOVMain" or a viewer)
};
const ViewerCase kViewers[] = {
    {"frmPmr", 8, "frmOVMain"}, {"frmCmr", 5, "frmOVMain"}, {"frmIr", 6, "frmOVMain"},
    {"frmMs", 7, "frmOVMain"},  {"frmPmrExp", 8, "frmPmr"}, {"frmCmrExp", 5, "frmCmr"},
};

enum class Closer { Shortcut, CloseItem, CloseBox, ParentCloseBox, MainCloseBox, EndNow };
struct CloserCase {
    const char* name;
    Closer how;
};
const CloserCase kClosers[] = {
    {"Alt+C", Closer::Shortcut},
    {"the Close item", Closer::CloseItem},
    {"the close box", Closer::CloseBox},
    {"the parent's close box", Closer::ParentCloseBox},
    {"the main window's close box", Closer::MainCloseBox},
    {"End now", Closer::EndNow},
};

// A window's close box: the close request comes from the window system.
void closeBox(QWidget* w)
{
    if (w && w->windowHandle())
        w->windowHandle()->close();
}

class Lifetime : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    void SetUp() override
    {
        layoutscenes::prepareApplication();
        layoutscenes::loadStudentState(folder);
        modOrvan.ExpandLeftX = float(spectra::cmr::xAtPpm(40));
        modOrvan.ExpandRightX = float(spectra::cmr::xAtPpm(8));
        orvtest::msgLog().shown.clear();
        orvtest::programEnds() = 0;
        qputenv("ORVANTO_PRINT_PDF", folder.file(QStringLiteral("printout.pdf")).toLocal8Bit());
    }
    void TearDown() override
    {
        qputenv("ORVANTO_PRINT_PDF", QByteArray());
        layoutscenes::closeAll();
    }

    // The main window, loaded and shown.
    QPointer<QWidget> showMain()
    {
        QPointer<QWidget> main = forms::load(forms::names::frmOVMain);
        EXPECT_TRUE(main);
        if (main)
            main->show();
        return main;
    }
    // Every window closed and the program as at its start, for the next case.
    void startAfresh()
    {
        layoutscenes::closeAll();
        layoutscenes::prepareApplication();
        orvtest::programEnds() = 0;
    }

    // Opens `name` modally from a handler of its parent window, as the menus
    // do, and runs `during` while it is shown; returns when the modal loop
    // has ended and the event loop is back at this level.
    void runModal(const QString& name, const std::function<void(QWidget*)>& during)
    {
        QEventLoop outer;
        orvtest::later([&] {
            QWidget* w = forms::load(orvtest::form(name));
            ASSERT_NE(w, nullptr) << name.toStdString();
            orvtest::later([&, w = QPointer<QWidget>(w)] { during(w); });
            forms::showModal(w);
            QTimer::singleShot(0, &outer, &QEventLoop::quit);
        });
        outer.exec();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(Lifetime, AViewerClosedDuringItsPrintNoticeLeavesTheProgramRunning)
{
    QList<QPointer<QWidget>> closed;
    for (const ViewerCase& v : kViewers) {
        for (const CloserCase& c : kClosers) {
            if (c.how == Closer::ParentCloseBox && QLatin1String(v.parent) == QLatin1String("frmOVMain"))
                continue; // the main window's close box, below
            SCOPED_TRACE(std::string(v.name) + " closed by " + c.name);
            modOrvan.CurrentItem = v.item;
            QPointer<QWidget> main = showMain();
            ASSERT_TRUE(main);
            modOrvan.QuitReason.clear();
            QPointer<QWidget> viewer, parent;
            bool noticeSeen = false;
            const auto printAndClose = [&](QWidget* w) {
                viewer = w;
                // The student prints with Alt+P, then closes while the notice shows.
                w->activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(w, 2000));
                QTest::keyClick(w, Qt::Key_P, Qt::AltModifier);
                auto* sv = qobject_cast<spectra::SpectrumViewer*>(w);
                noticeSeen = sv && sv->isVisible() && sv->printProgress().notice()->isVisible()
                          && sv->printProgress().noticeTimer()->isActive();
                switch (c.how) {
                case Closer::Shortcut: QTest::keyClick(viewer, Qt::Key_C, Qt::AltModifier); break;
                case Closer::CloseItem: sv->closeMenu()->trigger(); break;
                case Closer::CloseBox: closeBox(viewer); break;
                case Closer::ParentCloseBox: closeBox(parent ? parent.data() : viewer.data()); break;
                case Closer::MainCloseBox: closeBox(main); break;
                case Closer::EndNow:
                    if (auto* mw = qobject_cast<frmOVMain*>(main.data()))
                        mw->menuAction(QStringLiteral("mnuExit"))->trigger();
                    EndProgram();
                    break;
                }
                if (viewer && c.how != Closer::ParentCloseBox && c.how != Closer::MainCloseBox) {
                    EXPECT_FALSE(viewer->isVisible());
                }
                // Left open when only a window behind it was closed: the student closes it now.
                if (viewer && viewer->isVisible())
                    viewer->close();
            };
            if (QLatin1String(v.parent) == QLatin1String("frmOVMain")) {
                runModal(QString::fromLatin1(v.name), printAndClose);
            } else {
                runModal(QString::fromLatin1(v.parent), [&](QWidget* p) {
                    parent = p;
                    runModal(QString::fromLatin1(v.name), printAndClose);
                    if (parent)
                        parent->close();
                });
            }
            EXPECT_TRUE(noticeSeen) << "the notice shows on its timer";
            if (viewer)
                viewer->close();
            QApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_FALSE(viewer) << "the closed viewer is deleted once its handler has returned";
            if (c.how == Closer::EndNow) {
                EXPECT_GE(orvtest::programEnds(), 1);
            } else if (c.how != Closer::MainCloseBox) {
                EXPECT_TRUE(main && main->isVisible()) << "the student is back in the main window";
            }
            closed.append(viewer);
            startAfresh();
        }
    }
    // Every notice's time runs out, for all the cases at once, with the
    // program running on.
    QPointer<QWidget> main = showMain();
    QTest::qWait(kPrintNoticeMs + 300);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const QPointer<QWidget>& w : closed)
        EXPECT_FALSE(w) << "every closed viewer stays deleted";
    EXPECT_TRUE(main && main->isVisible()) << "the program goes on";
}

// The calculators, the help texts, the summary and the assignments keep their notice on
// screen with a timer, not a wait: printing and closing at once, by Escape,
// by Continue, by the window's close box or by the main window's, leaves
// nothing running on the closed window when the notice's time is up.
TEST_F(Lifetime, APrintoutWithATimedNoticeSurvivesItsWindowClosingAtOnce)
{
    // Each window with what it needs to print, its print handler and its
    // Continue button.
    struct Printing {
        const char* name;
        std::function<void(QWidget*)> print;
        std::function<QPushButton*(QWidget*)> continueButton;
    };
    const Printing windows[] = {
        {"frmCalcFormula",
         [](QWidget* w) {
             auto* f = static_cast<frmCalcFormula*>(w);
             f->txtMass->setText(QStringLiteral("72"));
             f->cmdCalcCalc_Click();
             f->cmdCalcPrint_Click();
             f->txtMass->setFocus(); // where the keyboard is after Calculate
         },
         [](QWidget* w) { return static_cast<frmCalcFormula*>(w)->cmdCalcOk; }},
        {"frmCalcMass",
         [](QWidget* w) {
             static_cast<frmCalcMass*>(w)->cmdMCalcCalc_Click();
             static_cast<frmCalcMass*>(w)->cmdMCalcPrint_Click();
         },
         [](QWidget* w) { return static_cast<frmCalcMass*>(w)->cmdCMassOk; }},
        {"frmCalcIsotope",
         [](QWidget* w) {
             static_cast<frmCalcIsotope*>(w)->cmdIsotopeCalc_Click();
             static_cast<frmCalcIsotope*>(w)->cmdIsotopePrint_Click();
         },
         [](QWidget* w) { return static_cast<frmCalcIsotope*>(w)->cmdIsotopeOk; }},
        {"frmSummary", [](QWidget* w) { static_cast<frmSummary*>(w)->cmdSummaryPrint_Click(); },
         [](QWidget* w) { return static_cast<frmSummary*>(w)->cmdSummaryOk; }},
        {"frmAssignments", [](QWidget* w) { static_cast<frmAssignments*>(w)->cmdAssignmentsPrint_Click(); },
         [](QWidget* w) { return static_cast<frmAssignments*>(w)->cmdAssignmentsOk; }},
        {"frmHelp",
         [](QWidget* w) {
             auto* h = static_cast<frmHelp*>(w);
             h->txtHelp->setPlainText(QStringLiteral("Boiling point: compare with the tables."));
             h->cmdHelpPrint_Click();
         },
         [](QWidget* w) { return static_cast<frmHelp*>(w)->cmdHelpOk; }},
        {"frmCalcCoupling", [](QWidget* w) { static_cast<frmCalcCoupling*>(w)->cmdCalcCouplingPrint_Click(); },
         [](QWidget* w) { return static_cast<frmCalcCoupling*>(w)->cmdCalcCouplingOk; }},
        {"frmCalcHShift", [](QWidget* w) { static_cast<frmCalcHShift*>(w)->cmdShiftPrint_Click(); },
         [](QWidget* w) { return static_cast<frmCalcHShift*>(w)->cmdHShiftOk; }},
        {"frmCalcCShift", [](QWidget* w) { static_cast<frmCalcCShift*>(w)->cmdShiftPrint_Click(); },
         [](QWidget* w) { return static_cast<frmCalcCShift*>(w)->cmdCShiftOk; }},
    };
    enum class TimedCloser { Escape, Continue, CloseBox, MainCloseBox };
    const std::pair<TimedCloser, const char*> closers[] = {
        {TimedCloser::Escape, "Escape"},
        {TimedCloser::Continue, "Continue"},
        {TimedCloser::CloseBox, "its close box"},
        {TimedCloser::MainCloseBox, "the main window's close box"},
    };
    // Every window is printed and closed in turn, in every way; then the
    // notices' time runs out for all of them at once.
    QList<std::pair<QPointer<QWidget>, const char*>> closed;
    for (const auto& closer : closers) {
        const TimedCloser how = closer.first;
        const char* const closerName = closer.second;
        for (const Printing& p : windows) {
            SCOPED_TRACE(std::string(p.name) + " closed by " + closerName);
            QPointer<QWidget> main = showMain();
            QPointer<QWidget> window;
            bool printed = false, hidden = false;
            runModal(QString::fromLatin1(p.name), [&](QWidget* w) {
                window = w;
                p.print(w);
                for (auto* box : w->findChildren<QLineEdit*>())
                    printed = printed || (box->isVisible() && box->text() == QLatin1String("Printing completed."));
                switch (how) {
                // To the control with the focus, as the student's key goes.
                case TimedCloser::Escape:
                    QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Escape);
                    break;
                case TimedCloser::Continue: p.continueButton(w)->click(); break;
                case TimedCloser::CloseBox: closeBox(w); break;
                case TimedCloser::MainCloseBox: closeBox(main); break;
                }
                hidden = !window || !window->isVisible();
                if (window && window->isVisible())
                    window->close();
            });
            EXPECT_TRUE(printed) << "the notice shows";
            if (how != TimedCloser::MainCloseBox) {
                EXPECT_TRUE(hidden) << "the window closes at once";
            }
            closed.append({window, closerName});
            startAfresh();
        }
    }
    QTest::qWait(kPrintNoticeMs + 300);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto& [w, closerName] : closed)
        EXPECT_FALSE(w) << closerName << ": every closed window is deleted";
}

// Every kind of wait: a window closed while the wait runs is only hidden,
// and deleted once the outermost wait has returned.
TEST_F(Lifetime, AWindowClosedDuringAnyWaitIsDeletedOnlyAfterTheWait)
{
    struct WaitCase {
        const char* name;
        std::function<void()> wait;
    };
    const WaitCase waits[] = {
        {"a pause", [] { Pause(0.3); }},
        {"a pause after a sound", [] { PlayResourceSound(QStringLiteral("Good")); }},
        {"a modal window",
         [] {
             QWidget* w = forms::load(forms::names::frmSummary);
             orvtest::later(
                 [w = QPointer<QWidget>(w)] {
                     if (w)
                         w->close();
                 },
                 300);
             forms::showModal(w);
         }},
    };
    for (const WaitCase& wc : waits) {
        SCOPED_TRACE(wc.name);
        QPointer<QWidget> main = showMain();
        bool aliveAfterWait = false, hiddenAfterWait = false;
        QEventLoop outer;
        orvtest::later([&] {
            orvtest::later([&] { closeBox(main); }, 100);
            const int depth = nestedWaitDepth();
            wc.wait();
            EXPECT_EQ(nestedWaitDepth(), depth);
            aliveAfterWait = !main.isNull();
            hiddenAfterWait = main && !main->isVisible();
            QTimer::singleShot(0, &outer, &QEventLoop::quit);
        });
        outer.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(aliveAfterWait);
        EXPECT_TRUE(hiddenAfterWait);
        EXPECT_TRUE(main.isNull()) << "deleted once the handler has returned";
        EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
        startAfresh();
    }
}

} // namespace
