#pragma once
// The session window: the item menus, the calculators and identification
// menus, File and Help, the four-panel status bar and the one-second clock.
// Its menus are fixed from the settings when it loads; every other window
// opens modally over it.
#include "mainwindow/mainmenus.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace orv {

class frmOVMain : public QMainWindow {
    Q_OBJECT
public:
    frmOVMain();

    // Marks CurrentItem revealed and precludes what its result rules out.
    void ProcessResult();
    // Names the user's file when needed and saves the progress to it.
    void WriteUserData();

    // Status bar panel 1..4 (the core writes 1, 2 and 4; the clock 3).
    Q_INVOKABLE void showStatusPanel(int panel, const QString& text);
    QString statusPanel(int panel) const;

    // The menu action of a control (name and array index; -1 for none), or
    // the menu's own action for a top menu or submenu. For tests and the
    // F1 lookup.
    QAction* menuAction(const QString& name, int index = -1) const;
    // Triggers the entry as a click would (nothing for a separator).
    void clickMenu(const QString& name, int index = -1);

    // Entry handlers, given the index in their control array.
    void mnuPhysPropItem_Click(int index);
    void mnuCtestItem_Click(int index);
    void mnuDerivItem_Click(int index);
    void mmnuToolsItem_Click(int index);
    void mnuNameItem_Click(int index);
    void mnuPassword_Click();
    void mnuSound_Click();
    void TimerOVMain_Timer();

    // Reads the current unknown's data file when the window loads; tests
    // replace it to work on an unknown set up in the state.
    static std::function<bool()>& unknownFileReader();
    // True while a main window is being set up or unloaded: status writes
    // meanwhile must not ask for a main window again.
    static bool isChanging();
    // True from the window's load until its unload has gone through: the
    // student's session is open (a close refused by a failed save keeps it).
    static bool sessionOpen();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenus();
    QMenu* buildMenu(const MenuEntry& menu, QMenu* into, bool reachable);
    void onMenu(const QString& name, int index);
    void onHelpEntry(const QString& name, int index);
    void showResult(const QString& text);
    void quitWith(const QString& reason);

    std::vector<MenuEntry> menus_;
    QHash<QString, QAction*> actions_;
    QLabel* panels_[5] = {};
    QTimer* TimerOVMain = nullptr;
};

// Connects the core's status-bar and caption writes to the main window and
// lets the core bring the window up when it needs it.
void installMainWindowSinks();

} // namespace orv
