// Every window of both programs, opened offscreen on a shipped unknown in
// the programs' font: each caption fits its control and no two visible
// controls overlap. The check itself is shown on small windows with one
// fault each.
#include "tests/layout/layoutcheck.h"
#include "tests/layout/scenes.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

using layoutcheck::AllowedOverlap;

// Overlaps that are meant: window, the two controls (object name, or class
// and caption; '*' and '?' as wildcards), and why. Keep this short.
// clang-format off
const std::vector<AllowedOverlap> kAllowed = {
    {"frmInitial", "imgInitial", "*", "the title picture is the start window's backdrop"},
    {"*", "pic*", "tbr*", "a viewer's toolbar stands on the top right corner of its picture"},
    {"frmGiveStructure", "txtStructure", "pic*", "the structure is assembled on the text box, its pictures lying on it"},
    {"frmGiveStructure", "picBaseStruct", "pic?Sub", "a substituent's picture covers its slot letter on the base structure"},
    {"*", "*\"Printing completed.\"", "*", "the three-second printing notice shows above what lies under it"},
    {"frmTabSetup", "tspSetup", "*", "the setting frames stand on the tab control, as the settings window was designed"},
};
// clang-format on

class Layout : public ::testing::TestWithParam<layoutscenes::Scene> {
protected:
    static void SetUpTestSuite() { layoutscenes::prepareApplication(); }
    orvtest::ProgramFolder folder;
    void SetUp() override { layoutscenes::loadStudentState(folder); }
    void TearDown() override { layoutscenes::closeAll(); }
};

TEST_P(Layout, CaptionsFitAndControlsDoNotOverlap)
{
    QWidget* w = GetParam().open();
    ASSERT_NE(w, nullptr) << GetParam().name << " did not open";
    ASSERT_TRUE(w->isVisible()) << GetParam().name;
    const QStringList faults = layoutcheck::windowFaults(w, kAllowed);
    EXPECT_TRUE(faults.isEmpty()) << GetParam().name << ":\n" << faults.join(u'\n').toStdString();
}

// Tab never takes the focus where the student cannot see it.
TEST_P(Layout, NoTabStopOutOfSight)
{
    QWidget* w = GetParam().open();
    ASSERT_NE(w, nullptr) << GetParam().name << " did not open";
    const QStringList faults = layoutcheck::tabStopFaults(w);
    EXPECT_TRUE(faults.isEmpty()) << GetParam().name << ":\n" << faults.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, Layout, ::testing::ValuesIn(layoutscenes::scenes()),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

// The check on windows made to show one fault each.
class LayoutCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite() { layoutscenes::prepareApplication(); }
    QWidget window;
    void SetUp() override
    {
        window.setObjectName(QStringLiteral("frmProbe"));
        window.resize(400, 300);
    }
    QStringList faults(const std::vector<AllowedOverlap>& allowed = {})
    {
        window.show();
        QApplication::processEvents();
        return layoutcheck::windowFaults(&window, allowed);
    }
    static bool mentions(const QStringList& faults, const QString& a, const QString& b = {})
    {
        for (const QString& f : faults)
            if (f.contains(QStringLiteral("frmProbe")) && f.contains(a) && f.contains(b))
                return true;
        return false;
    }
};

TEST_F(LayoutCheck, FindsCaptionsCutOffInEveryKindOfControl)
{
    const QString longText = QStringLiteral("A caption far too long for its control");
    auto* button = new QPushButton(longText, &window);
    button->setObjectName(QStringLiteral("cmdNarrow"));
    button->setGeometry(10, 10, 60, 30);
    auto* option = new QRadioButton(longText, &window);
    option->setObjectName(QStringLiteral("optNarrow"));
    option->setGeometry(10, 50, 80, 20);
    auto* check = new QCheckBox(longText, &window);
    check->setObjectName(QStringLiteral("chkNarrow"));
    check->setGeometry(10, 80, 80, 20);
    auto* label = new QLabel(longText, &window);
    label->setObjectName(QStringLiteral("lblNarrow"));
    label->setGeometry(10, 110, 80, 20);
    auto* wrapped = new QLabel(longText + u' ' + longText, &window);
    wrapped->setObjectName(QStringLiteral("lblShort"));
    wrapped->setWordWrap(true);
    wrapped->setGeometry(10, 140, 150, 16);
    auto* group = new QGroupBox(longText, &window);
    group->setObjectName(QStringLiteral("frmNarrow"));
    group->setGeometry(200, 10, 60, 60);
    auto* notice = new QLineEdit(QStringLiteral("Printing completed."), &window);
    notice->setObjectName(QStringLiteral("txtNotice"));
    notice->setReadOnly(true);
    notice->setGeometry(200, 100, 60, 22);
    auto* tabs = new QTabWidget(&window);
    tabs->setGeometry(200, 150, 120, 100);
    tabs->addTab(new QWidget, longText);
    tabs->addTab(new QWidget, longText);

    const QStringList f = faults();
    for (const char* name : {"cmdNarrow", "optNarrow", "chkNarrow", "lblNarrow", "lblShort", "frmNarrow", "txtNotice"})
        EXPECT_TRUE(mentions(f, QLatin1String(name), QStringLiteral("needs"))) << name << '\n'
                                                                               << f.join(u'\n').toStdString();
    EXPECT_TRUE(mentions(f, QStringLiteral("tab \"A caption far too long")));
}

TEST_F(LayoutCheck, CaptionsThatFitPass)
{
    auto* button = new QPushButton(QStringLiteral("&Continue"), &window);
    button->setGeometry(10, 10, 90, 33);
    auto* option = new QRadioButton(QStringLiteral("alkyl"), &window);
    option->setGeometry(10, 60, 90, 20);
    auto* label = new QLabel(QStringLiteral("Set A (max 6)"), &window);
    label->setGeometry(10, 90, 120, 20);
    auto* group = new QGroupBox(QStringLiteral("Display"), &window);
    group->setGeometry(200, 10, 120, 120);
    auto* inside = new QRadioButton(QStringLiteral("Stick diagram"), group);
    inside->setGeometry(10, 40, 105, 20);
    EXPECT_EQ(faults(), QStringList());
}

TEST_F(LayoutCheck, FindsOverlapsOfVisibleSiblingsUnlessAllowed)
{
    auto* a = new QPushButton(QStringLiteral("&Help"), &window);
    a->setObjectName(QStringLiteral("cmdHelp"));
    a->setGeometry(10, 10, 80, 30);
    auto* b = new QPushButton(QStringLiteral("&Print"), &window);
    b->setObjectName(QStringLiteral("cmdPrint"));
    b->setGeometry(60, 20, 80, 30);
    auto* hidden = new QPushButton(QStringLiteral("&Quit"), &window);
    hidden->setObjectName(QStringLiteral("cmdHidden"));
    hidden->setGeometry(10, 10, 80, 30);
    hidden->hide();
    // A transparent label's empty right part may lie under a neighbour.
    auto* label = new QLabel(QStringLiteral("X is"), &window);
    label->setGeometry(10, 100, 200, 20);
    auto* box = new QLineEdit(&window);
    box->setGeometry(100, 100, 80, 20);

    const QStringList f = faults();
    EXPECT_TRUE(mentions(f, QStringLiteral("cmdHelp: overlaps cmdPrint"))) << f.join(u'\n').toStdString();
    EXPECT_EQ(f.size(), 1) << f.join(u'\n').toStdString();
    EXPECT_EQ(faults({{QStringLiteral("frmProbe"), QStringLiteral("cmdPrint"), QStringLiteral("cmdHelp"),
                       QStringLiteral("meant")}}),
              QStringList());
}

TEST_F(LayoutCheck, FindsControlsOverTheirFrameOrOutsideTheWindow)
{
    auto* group = new QGroupBox(QStringLiteral("subtype"), &window);
    group->setGeometry(10, 10, 150, 150);
    auto* first = new QRadioButton(QStringLiteral("alkyl"), group);
    first->setObjectName(QStringLiteral("optFirst"));
    first->setGeometry(8, 0, 100, 17); // drawn over the title
    auto* box = new QFrame(&window);
    box->setFrameShape(QFrame::Box);
    box->setGeometry(170, 10, 150, 100);
    auto* edge = new QLabel(QStringLiteral("Set A"), box);
    edge->setObjectName(QStringLiteral("lblOnLine"));
    edge->setGeometry(0, 40, 60, 20);
    auto* outside = new QPushButton(QStringLiteral("&Continue"), &window);
    outside->setObjectName(QStringLiteral("cmdOutside"));
    outside->setGeometry(350, 250, 90, 33);

    const QStringList f = faults();
    EXPECT_TRUE(mentions(f, QStringLiteral("optFirst: runs over the frame and title"))) << f.join(u'\n').toStdString();
    EXPECT_TRUE(mentions(f, QStringLiteral("lblOnLine: runs over the frame line"))) << f.join(u'\n').toStdString();
    EXPECT_TRUE(mentions(f, QStringLiteral("cmdOutside: runs over the window"))) << f.join(u'\n').toStdString();
}

TEST_F(LayoutCheck, FindsTabStopsOutOfSight)
{
    struct Case {
        const char* name;
        QRect at; // in the window, or in the clipping group box
        bool inGroup = false;
        Qt::FocusPolicy policy = Qt::StrongFocus;
        bool hidden = false;
        bool fault = false;
    };
    const Case cases[] = {
        {"cmdBelow", {10, 320, 90, 30}, false, Qt::StrongFocus, false, true},
        {"cmdRight", {410, 10, 90, 30}, false, Qt::TabFocus, false, true},
        {"cmdClipped", {10, 130, 90, 30}, true, Qt::StrongFocus, false, true},  // below the group's bottom
        {"cmdPartly", {10, 290, 90, 30}, false, Qt::StrongFocus, false, false}, // its top is seen
        {"cmdNoTab", {10, 320, 90, 30}, false, Qt::ClickFocus, false, false},
        {"cmdHidden", {10, 320, 90, 30}, false, Qt::StrongFocus, true, false},
    };
    auto* group = new QGroupBox(QStringLiteral("Types"), &window);
    group->setGeometry(200, 10, 150, 100);
    for (const Case& c : cases) {
        auto* b = new QPushButton(QStringLiteral("Go"), c.inGroup ? static_cast<QWidget*>(group) : &window);
        b->setObjectName(QLatin1String(c.name));
        b->setGeometry(c.at);
        b->setFocusPolicy(c.policy);
        b->setHidden(c.hidden);
    }
    window.show();
    QApplication::processEvents();
    const QStringList f = layoutcheck::tabStopFaults(&window);
    for (const Case& c : cases)
        EXPECT_EQ(mentions(f, QLatin1String(c.name) + QStringLiteral(": takes a Tab stop")), c.fault)
            << c.name << '\n'
            << f.join(u'\n').toStdString();
}

} // namespace
