// The main window's menus: built once from the menu model, entries routed to
// their handlers, F1 on a highlighted entry opening its help topic.
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/helpmenu.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "mainwindow/forms/frmResult.h"
#include "mainwindow/reveal.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/helpviewer.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>

namespace orv {

namespace {

QString actionKey(const QString& name, int index) { return name + u'#' + QString::number(index); }

// `reachable`: false under a hidden menu, whose entries' keys do nothing.
void configure(QAction* a, const MenuEntry& e, bool reachable)
{
    a->setObjectName(e.index >= 0 ? e.name + QString::number(e.index) : e.name);
    a->setProperty("orvName", e.name);
    a->setProperty("orvIndex", e.index);
    a->setProperty("helpTopic", e.helpTopic);
    a->setVisible(e.visible);
    a->setEnabled(e.enabled);
    if (e.checkable) {
        a->setCheckable(true);
        a->setChecked(e.checked);
    }
    if (!e.shortcut.isEmpty() && reachable)
        a->setShortcut(QKeySequence(e.shortcut));
}

} // namespace

void frmOVMain::buildMenus()
{
    menus_ = buildMainMenus(modOrvan);
    QMenuBar* bar = menuBar();
    bar->clear();
    actions_.clear();
    for (const MenuEntry& top : menus_) {
        QMenu* menu = buildMenu(top, nullptr, top.visible);
        bar->addMenu(menu);
    }
}

QMenu* frmOVMain::buildMenu(const MenuEntry& menuEntry, QMenu* into, bool reachable)
{
    auto* menu = new QMenu(menuEntry.caption, into ? static_cast<QWidget*>(into) : this);
    menu->setObjectName(menuEntry.name);
    menu->installEventFilter(this);
    configure(menu->menuAction(), menuEntry, reachable);
    actions_.insert(actionKey(menuEntry.name, menuEntry.index), menu->menuAction());
    for (const MenuEntry& e : menuEntry.entries) {
        QAction* a = nullptr;
        if (!e.entries.empty()) {
            a = buildMenu(e, menu, reachable && e.visible)->menuAction();
            menu->addAction(a);
            continue;
        }
        if (e.isSeparator()) {
            a = menu->addSeparator();
        } else {
            a = menu->addAction(e.caption);
            const QString name = e.name;
            const int index = e.index;
            connect(a, &QAction::triggered, this, [this, name, index] { onMenu(name, index); });
        }
        configure(a, e, reachable);
        actions_.insert(actionKey(e.name, e.index), a);
    }
    return menu;
}

QAction* frmOVMain::menuAction(const QString& name, int index) const { return actions_.value(actionKey(name, index)); }

void frmOVMain::clickMenu(const QString& name, int index)
{
    if (QAction* a = menuAction(name, index); a && !a->isSeparator())
        a->trigger();
}

bool frmOVMain::eventFilter(QObject* watched, QEvent* e)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) {
        // An entry without a topic of its own takes its menu's topic.
        int topic = 0;
        if (QAction* a = menu->activeAction())
            topic = a->property("helpTopic").toInt();
        if (topic == 0)
            topic = menu->menuAction()->property("helpTopic").toInt();
        if (topic > 0) {
            for (QWidget* w = menu; auto* m = qobject_cast<QMenu*>(w); w = m->parentWidget())
                m->close();
            showHelpTopic(topic);
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void frmOVMain::onMenu(const QString& name, int index)
{
    if (name == QLatin1String("mnuPhysPropItem"))
        mnuPhysPropItem_Click(index);
    else if (name == QLatin1String("mnuCtestItem"))
        mnuCtestItem_Click(index);
    else if (name == QLatin1String("mnuDerivItem"))
        mnuDerivItem_Click(index);
    else if (name == QLatin1String("mmnuToolsItem"))
        mmnuToolsItem_Click(index);
    else if (name == QLatin1String("mnuNameItem"))
        mnuNameItem_Click(index);
    else if (name == QLatin1String("mnuSummary"))
        forms::showModal(forms::names::frmSummary);
    else if (name == QLatin1String("mnuPassword"))
        mnuPassword_Click();
    else if (name == QLatin1String("mnuSound"))
        mnuSound_Click();
    else if (name == QLatin1String("mnuSaveCont"))
        WriteUserData();
    else if (name == QLatin1String("mnuSaveNext"))
        quitWith(QStringLiteral("AnotherUser"));
    else if (name == QLatin1String("mnuSaveQuit"))
        quitWith(QStringLiteral("QuitNow"));
    else if (name == QLatin1String("mnuNextUser"))
        quitWith(QStringLiteral("NoSaveNext"));
    else if (name == QLatin1String("mnuExit"))
        quitWith(QStringLiteral("NoSaveExit"));
    else if (name.startsWith(QLatin1String("mnuHelp")))
        onHelpEntry(name, index);
}

void frmOVMain::onHelpEntry(const QString& name, int index)
{
    if (helpMenuClick(name, index))
        return;
    if (const MenuEntry* e = findMenuEntry(menus_, name, index); e && e->helpTopic > 0)
        showHelpTopic(e->helpTopic);
}

void frmOVMain::quitWith(const QString& reason)
{
    modOrvan.QuitReason = reason;
    forms::unload(this);
}

void frmOVMain::showResult(const QString& text)
{
    auto* w = forms::instance<frmResult>();
    w->txtResult->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    forms::showModal(w);
}

void frmOVMain::mnuPhysPropItem_Click(int index)
{
    const RevealOutcome r = revealPhysProp(modOrvan, index);
    if (r.viewer)
        forms::showModal(*r.viewer);
    else if (r.showResult)
        showResult(r.resultText);
}

void frmOVMain::mnuCtestItem_Click(int index)
{
    const RevealOutcome r = revealChemTest(modOrvan, index);
    if (r.showResult)
        showResult(r.resultText);
}

void frmOVMain::mnuDerivItem_Click(int index)
{
    const RevealOutcome r = revealDerivative(modOrvan, index);
    if (r.showResult)
        showResult(r.resultText);
}

void frmOVMain::mmnuToolsItem_Click(int index)
{
    using namespace forms::names;
    static const forms::FormName calculators[] = {frmCalcHShift,  frmCalcCoupling, frmCalcCShift,
                                                  frmCalcFormula, frmCalcMass,     frmCalcIsotope};
    if (index >= 0 && index < 6)
        forms::showModal(calculators[index]);
}

void frmOVMain::mnuNameItem_Click(int index)
{
    using namespace forms::names;
    static const forms::FormName windows[] = {frmNameTyping, frmStructure, frmGiveStructure, frmNoID};
    if (index >= 0 && index < 4)
        forms::showModal(windows[index]);
}

void frmOVMain::mnuPassword_Click()
{
    QWidget* w = forms::load(forms::names::frmNewPassword);
    if (!w)
        return;
    w->setWindowTitle(QStringLiteral("Change password"));
    const int formWidth = formRectTwips(w).width();
    if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("cmdNewPassword")))
        placeControl(ok, formWidth / 2 + 800, 1250, 1000, 490);
    if (auto* cancel = w->findChild<QPushButton*>(QStringLiteral("cmdNPwordCancel"))) {
        placeControl(cancel, formWidth / 2 - 1000 - 800, 1250, 1000, 490);
        cancel->setVisible(true);
    }
    forms::showModal(w);
}

void frmOVMain::mnuSound_Click()
{
    auto& m = modOrvan;
    QAction* a = menuAction(QStringLiteral("mnuSound"));
    // The action flips its own check mark before this runs.
    m.SoundOn = vb(a && a->isChecked());
    PlayResourceSound(QStringLiteral("Sound"));
}

} // namespace orv
