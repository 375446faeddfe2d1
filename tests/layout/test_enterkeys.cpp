// Enter in every window of both programs, in each state the layout test
// opens it in: on a focused button it presses that button once and no other,
// whether or not the window has a default button; where no button has the
// focus, it presses the window's default button when there is one.
#include "platform/forms/dialogkeys.h"
#include "tests/layout/scenes.h"

#include <QAbstractButton>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class EnterKeys : public ::testing::TestWithParam<layoutscenes::Scene> {
protected:
    static void SetUpTestSuite()
    {
        layoutscenes::prepareApplication();
        orv::installFocusedButtonEnter(); // as both programs do at start
    }
    orvtest::ProgramFolder folder;
    void SetUp() override { layoutscenes::loadStudentState(folder); }
    void TearDown() override { layoutscenes::closeAll(); }
};

std::string nameOf(const QAbstractButton* b)
{
    return (b->objectName().isEmpty() ? b->text() : b->objectName()).toStdString();
}

int total(const QMap<QAbstractButton*, int>& presses)
{
    int n = 0;
    for (int p : presses)
        n += p;
    return n;
}

} // namespace

TEST_P(EnterKeys, PressTheFocusedButtonOrElseTheDefault)
{
    const std::string scene = GetParam().name;
    QWidget* w = GetParam().open();
    ASSERT_NE(w, nullptr) << scene << " did not open";
    // The buttons only count their presses: what they would do stays out of it.
    QMap<QAbstractButton*, int> presses;
    QList<QAbstractButton*> focusable;
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        if (b->window() != w)
            continue;
        QObject::disconnect(b, &QAbstractButton::pressed, nullptr, nullptr);
        QObject::disconnect(b, &QAbstractButton::released, nullptr, nullptr);
        QObject::disconnect(b, &QAbstractButton::clicked, nullptr, nullptr);
        QObject::disconnect(b, &QAbstractButton::toggled, nullptr, nullptr);
        QObject::connect(b, &QAbstractButton::clicked, [&presses, b] { ++presses[b]; });
        const bool pushOrTool = qobject_cast<QPushButton*>(b) || qobject_cast<QToolButton*>(b);
        if (pushOrTool && b->isVisible() && b->isEnabled() && (b->focusPolicy() & Qt::TabFocus))
            focusable.append(b);
    }
    for (QAbstractButton* b : focusable) {
        presses.clear();
        b->setFocus();
        ASSERT_EQ(w->focusWidget(), b) << scene << ": " << nameOf(b);
        QTest::keyClick(b, Qt::Key_Return);
        EXPECT_EQ(presses.value(b), 1) << scene << ": Enter on " << nameOf(b);
        EXPECT_EQ(total(presses), presses.value(b)) << scene << ": Enter on " << nameOf(b) << " pressed another too";
    }

    QAbstractButton* standing = orv::defaultButton(w);
    if (!standing || !standing->isVisible() || !standing->isEnabled())
        return;
    if (QWidget* f = w->focusWidget())
        f->clearFocus();
    ASSERT_EQ(w->focusWidget(), nullptr) << scene;
    presses.clear();
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_EQ(presses.value(standing), 1) << scene << ": the default button " << nameOf(standing);
    EXPECT_EQ(total(presses), 1) << scene;
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, EnterKeys, ::testing::ValuesIn(layoutscenes::scenes()),
                         [](const auto& caseInfo) { return caseInfo.param.name; });
