#pragma once
// What the spectrum viewers share: a 9200 x 6000 twips window placed
// below the main window's caption, a white 8990 x 5300 picture box at
// (55, 1), a toolbar over its top right corner, the menu bar (Print, Copy,
// Tools, Help, Close), the pointer tools' states, the printout's flow
// (progress bar, page, "Printing completed." notice), Copy, quick help and
// the clean redraw. Each viewer names its own controls, draws its spectrum
// and lays out its printed page.
#include "platform/basic.h"
#include "spectra/expandband.h"
#include "spectra/forms/printprogress.h"
#include "spectra/forms/spectrumpicture.h"
#include "spectra/forms/viewertoolbar.h"

#include <QList>
#include <QMainWindow>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace orv::spectra {

class PrintPage;

struct ViewerNames {
    QString code;        // "Pmr": picPmr, tbrPmr, mnuPmrTItem, ...
    QString menuCode;    // the menus' own spelling: "IR" for mnuIRPrint, else as code
    QString helpCode;    // "Ir" for mnuIrHelp / mnuIrClose, else as code
    QString helpCaption; // the quick-help window's caption
};

// The window's and its picture's designed sizes in twips.
struct ViewerSize {
    int width = 9200;
    int height = 6000;
    int pictureWidth = 8990;
    int pictureHeight = 5300;
    int progressLeft = 120; // the print progress bar's left edge
};

struct ToolItemDef {
    QString caption; // "-" for a separator
    QKeySequence shortcut = {};
};

class SpectrumViewer : public QMainWindow {
    Q_OBJECT
public:
    ~SpectrumViewer() override;

    // The window's mouse pointer: 0 default, 2 cross-hair, 99 custom (MouseIcon).
    int MousePointer() const { return mousePointer_; }
    int MouseIconId() const { return mouseIcon_; }
    const QString& toolMode() const { return ToolMode; }

    SpectrumPicture* picture() const { return picture_; }
    ViewerToolbar* toolbar() const { return toolbar_; }
    QAction* toolsItem(int index) const { return toolItems_.value(index); }
    QAction* printMenu() const { return print_; }
    QAction* copyMenu() const { return copy_; }
    QAction* helpMenu() const { return help_; }
    QAction* closeMenu() const { return close_; }
    PrintProgress& printProgress() { return *progress_; }

    // The Print menu: the progress bar at 1, the landscape page laid out by
    // printLayout, the document ended, then the notice for three seconds on
    // a timer (the handler does not wait). A printer failure shows "Error
    // with printer.", hides both controls and calls printFailed; the result
    // is false then.
    bool printSpectrum();

    // The Tools menu item with this index, as the student chooses it.
    virtual void toolsItemClick(int index) = 0;
    // A toolbar button's click by key: the Tools item at the button's position
    // (every viewer orders its buttons as its first Tools items).
    void buttonClick(const QString& key);
    // Mouse on the picture, x and y in twips.
    virtual void pictureMouseDown(int button, int shift, float x, float y) = 0;
    virtual void pictureMouseMove(int button, int shift, float x, float y);
    virtual void pictureMouseUp(int button, int shift, float x, float y);

protected:
    SpectrumViewer(const ViewerNames& names, const QStringList& toolCaptions, const QList<ToolButtonDef>& buttons,
                   QWidget* parent = nullptr, const ViewerSize& size = {});
    // Overrides the shortcut of one Tools item.
    void setToolShortcut(int index, const QKeySequence& shortcut);

    // Icon, size and place, picture box and toolbar; the caption.
    void placeViewer(const QString& caption);
    // Draws the whole spectrum on the picture (the window's paint).
    virtual void formPaint() = 0;
    // Puts the form-level state back as a fresh load leaves it.
    virtual void resetForm() = 0;
    // Lays the printed page out (its size in twips as the printer reports
    // it), handing the progress bar's values (0..100) to `progress`.
    virtual void printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress) = 0;
    // After the failure message of a printout.
    virtual void printFailed() {}

    // The window's pointer: 0 default, 2 cross-hair, 99 with cursor resource `icon`.
    void setPointer(int pointer, int icon = 0);
    // One pointer tool's process routine: its own state when `own`, else the
    // state with no tool. `items` and `keys` are every pointer tool's Tools
    // items and buttons; `item` and `key` the tool's own.
    void applyToolState(bool own, int pointer, int icon, const QList<int>& items, int item, const QStringList& keys,
                        const QString& key);
    // Chooses a tool: its mode, or empty when it already was the mode (always
    // the mode when `toggle` is false); then the process routines in the
    // given order, the chosen tool's last, so that it decides the state.
    void chooseTool(const QString& mode, std::initializer_list<std::function<void()>> processes, bool toggle = true);

    // An expansion drag's move to x: the band grows (tinted) or shrinks from
    // its nearer edge (wiped white, then the trace redrawn); ExpandLeftX and
    // ExpandRightX follow the band.
    void moveBand(ExpandBand& band, float x, Plot (*box)(double, double, bool),
                  const std::function<void()>& redrawTrace);

    void copyPicture();
    void showQuickHelp(const QString& caption);
    // A clean picture and a fresh state, as if the window were loaded and shown again.
    void RedrawSpectrum();
    void showEvent(QShowEvent* e) override;

    QString ToolMode;

private:
    SpectrumPicture* picture_ = nullptr;
    ViewerToolbar* toolbar_ = nullptr;
    QAction* print_ = nullptr;
    QAction* copy_ = nullptr;
    QMenu* tools_ = nullptr;
    QAction* help_ = nullptr;
    QAction* close_ = nullptr;
    QList<QAction*> toolItems_;
    std::unique_ptr<PrintProgress> progress_;
    ViewerSize size_;
    QStringList buttonKeys_;
    int mousePointer_ = 0;
    int mouseIcon_ = 0;
    bool painted_ = false;
};

} // namespace orv::spectra
