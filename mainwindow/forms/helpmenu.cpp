#include "mainwindow/forms/helpmenu.h"

#include "core/modorvan.h"
#include "mainwindow/forms/frmHelp.h"
#include "mainwindow/forms/mainmenuentry.h"
#include "mainwindow/helpactions.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/helpviewer.h"
#include "platform/msgbox.h"

#include <QPushButton>
#include <QTextEdit>

namespace orv {

namespace {

void openTopic(int topic)
{
    if (topic > 0)
        showHelpTopic(topic);
}

} // namespace

void exampleMenus(bool inExample)
{
    // Outside the example the save entries are there only where saving is.
    const bool canSave = !inExample && isTrue(modOrvan.MultipleSessionsAllowed) && !isTrue(modOrvan.InstructorMode);
    for (const char* name : {"mnuSaveCont", "mnuSaveNext", "mnuSaveQuit"})
        setMainMenuEntryVisible(QString::fromLatin1(name), -1, QString(), canSave);
    setMainMenuEntryVisible(QStringLiteral("mnuNextUser"), -1, QStringLiteral("N&ext user"), !canSave);
    setMainMenuEntryVisible(QStringLiteral("mnuExit"), -1, QStringLiteral("End n&ow"), !canSave);
    if (isTrue(modOrvan.ResignAllowed))
        setMainMenuEntryVisible(QStringLiteral("mnuNameItem"), 3, QStringLiteral("&Resign from this unknown"),
                                !inExample);
}

void mnuHelpGroup1_Click(int index)
{
    if (index == 0)
        showHelpContents();
    else
        openTopic(helpGroup1Topic(index));
}
void mnuHelpGroup2_Click(int index) { openTopic(helpGroup2Topic(index)); }
void mnuHelpTables_Click(int index) { openTopic(helpTablesTopic(index)); }

void mnuHelpGroup4_Click(int index)
{
    if (index != 0)
        return;
    const ExampleStart s = beginSolvedExample(modOrvan);
    if (s.firstTime)
        exampleMenus(true);
    if (!s.loaded)
        return; // unknown 0 could not be read: the program has ended
    openTopic(kSolvedExampleTopic);
}

void mnuHelpGroup5_Click(int index)
{
    if (index == 0)
        showHelpText(itemsRevealedHelp(modOrvan));
    else if (index == 1)
        showHelpText(unknownHelp(modOrvan));
}

bool helpMenuClick(const QString& name, int index)
{
    if (name == QLatin1String("mnuHelpGroup1"))
        mnuHelpGroup1_Click(index);
    else if (name == QLatin1String("mnuHelpGroup2"))
        mnuHelpGroup2_Click(index);
    else if (name == QLatin1String("mnuHelpTables"))
        mnuHelpTables_Click(index);
    else if (name == QLatin1String("mnuHelpGroup4"))
        mnuHelpGroup4_Click(index);
    else if (name == QLatin1String("mnuHelpGroup5"))
        mnuHelpGroup5_Click(index);
    else
        return name == QLatin1String("mnuHelpGroup3"); // the tables submenu and a separator
    return true;
}

void showHelpText(const HelpText& help)
{
    // Each use starts from a fresh window.
    if (QWidget* old = forms::find(forms::names::frmHelp))
        forms::unload(old);
    auto* w = forms::instance<frmHelp>();
    w->setWindowTitle(help.caption);
    setHelpText(w->txtHelp, QString(help.text).replace(vbCrLf, QStringLiteral("\n")));
    w->cmdHelpPrint->setEnabled(help.printEnabled);
    forms::showModal(w);
}

} // namespace orv
