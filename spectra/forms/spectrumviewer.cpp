#include "spectra/forms/spectrumviewer.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/forms/printer.h"
#include "spectra/forms/printpage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QVariant>

namespace orv::spectra {

SpectrumViewer::SpectrumViewer(const ViewerNames& names, const QStringList& toolCaptions,
                               const QList<ToolButtonDef>& buttons, QWidget* parent, const ViewerSize& size)
    : QMainWindow(parent), size_(size)
{
    const QString menu = names.menuCode.isEmpty() ? names.code : names.menuCode;
    const QString tail = names.helpCode.isEmpty() ? names.code : names.helpCode;
    QMenuBar* bar = menuBar();
    print_ = bar->addAction(QStringLiteral("&Print"));
    print_->setObjectName(QStringLiteral("mnu%1Print").arg(menu));
    copy_ = bar->addAction(QStringLiteral("C&opy"));
    copy_->setObjectName(QStringLiteral("mnu%1Copy").arg(menu));
    tools_ = bar->addMenu(QStringLiteral("&Tools"));
    tools_->setObjectName(QStringLiteral("mnu%1Tools").arg(menu));
    help_ = bar->addAction(QStringLiteral("&Help"));
    help_->setObjectName(QStringLiteral("mnu%1Help").arg(tail));
    close_ = bar->addAction(QStringLiteral("&Close"));
    close_->setObjectName(QStringLiteral("mnu%1Close").arg(tail));
    for (int i = 0; i < toolCaptions.size(); ++i) {
        QAction* a = toolCaptions[i] == u"-" ? tools_->addSeparator() : tools_->addAction(toolCaptions[i]);
        a->setObjectName(QStringLiteral("mnu%1TItem_%2").arg(menu).arg(i));
        if (!a->isSeparator())
            a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i, a] {
            // The tool decides the check mark; undo the automatic toggle first.
            a->setChecked(!a->isChecked());
            toolsItemClick(i);
        });
        toolItems_.append(a);
    }
    connect(print_, &QAction::triggered, this, [this] { printSpectrum(); });
    connect(copy_, &QAction::triggered, this, [this] { copyPicture(); });
    connect(help_, &QAction::triggered, this, [this, caption = names.helpCaption] { showQuickHelp(caption); });
    connect(close_, &QAction::triggered, this, [this] { forms::unload(this); });
    // Escape closes the viewer as its Close item does, but not in the middle
    // of a drag on the picture (a measurement or an expansion band).
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            forms::unload(this);
    });

    auto* central = new QWidget(this);
    setCentralWidget(central);
    picture_ = new SpectrumPicture(size.pictureWidth, size.pictureHeight, central);
    picture_->setObjectName(QStringLiteral("pic%1").arg(names.code));
    for (const ToolButtonDef& b : buttons)
        buttonKeys_.append(b.key);
    toolbar_ = new ViewerToolbar(buttons, central);
    toolbar_->setObjectName(QStringLiteral("tbr%1").arg(names.code));
    connect(toolbar_, &ViewerToolbar::buttonClick, this, [this](const QString& key) { buttonClick(key); });
    connect(picture_, &SpectrumPicture::mouseDown, this, &SpectrumViewer::pictureMouseDown);
    connect(picture_, &SpectrumPicture::mouseMove, this, &SpectrumViewer::pictureMouseMove);
    connect(picture_, &SpectrumPicture::mouseUp, this, &SpectrumViewer::pictureMouseUp);
    progress_ = std::make_unique<PrintProgress>(central, names.code, size.progressLeft);
}

SpectrumViewer::~SpectrumViewer() = default;

void SpectrumViewer::setToolShortcut(int index, const QKeySequence& shortcut)
{
    if (QAction* a = toolItems_.value(index))
        a->setShortcut(shortcut);
}

void SpectrumViewer::pictureMouseMove(int, int, float, float) {}
void SpectrumViewer::pictureMouseUp(int, int, float, float) {}

void SpectrumViewer::placeViewer(const QString& caption)
{
    setWindowIcon(programIcon());
    placeOnMainWindow(this, 400 + CaptionExtraTwips(), size_.width, size_.height);
    placeControl(picture_, (size_.width - size_.pictureWidth) / 2 - 50, 1, size_.pictureWidth, size_.pictureHeight);
    toolbar_->placeOver(size_.pictureWidth);
    setWindowTitle(caption);
}

void SpectrumViewer::setPointer(int pointer, int icon)
{
    mousePointer_ = pointer;
    mouseIcon_ = pointer == 99 ? icon : 0;
    if (pointer == 2)
        setCursor(Qt::CrossCursor);
    else if (pointer == 99)
        setCursor(LoadResCursor(icon));
    else
        unsetCursor();
}

void SpectrumViewer::applyToolState(bool own, int pointer, int icon, const QList<int>& items, int item,
                                    const QStringList& keys, const QString& key)
{
    setPointer(own ? pointer : 0, icon);
    print_->setEnabled(!own);
    for (int i : items)
        if (QAction* a = toolItems_.value(i))
            a->setChecked(own && i == item);
    for (const QString& k : keys)
        toolbar_->setDown(k, own && k == key);
}

void SpectrumViewer::chooseTool(const QString& mode, std::initializer_list<std::function<void()>> processes,
                                bool toggle)
{
    ToolMode = toggle && ToolMode == mode ? QString() : mode;
    for (const auto& process : processes)
        process();
}

void SpectrumViewer::buttonClick(const QString& key)
{
    const qsizetype index = buttonKeys_.indexOf(key);
    if (index >= 0)
        toolsItemClick(int(index));
}

void SpectrumViewer::moveBand(ExpandBand& band, float x, Plot (*box)(double, double, bool),
                              const std::function<void()>& redrawTrace)
{
    const float l = band.left, r = band.right;
    const BandChange change = band.changeFor(x);
    band.apply(change, x);
    switch (change) {
    case BandChange::GrowRight:
    case BandChange::GrowLeft: picture_->draw(box(band.left, band.right, true)); break;
    case BandChange::ShrinkRight:
        picture_->draw(box(x, r, false));
        redrawTrace();
        break;
    case BandChange::ShrinkLeft:
        picture_->draw(box(l, x, false));
        redrawTrace();
        break;
    case BandChange::None: break;
    }
    modOrvan.ExpandLeftX = band.left;
    modOrvan.ExpandRightX = band.right;
}

bool SpectrumViewer::printSpectrum()
{
    const int width = formRectTwips(this).width();
    progress_->start(width);
    TwipsPrinter printer;
    printer.setLandscape(true);
    bool ok = printer.begin(windowTitle());
    if (ok) {
        {
            PrintPage page(*printer.painter());
            printLayout(page, printer.pageSizeTwips(), [this](double v) { progress_->setValue(v); });
        }
        ok = printer.end();
    }
    if (!ok) {
        progress_->abandon();
        printFailed();
        return false;
    }
    progress_->finish(width);
    return true;
}

void SpectrumViewer::copyPicture()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(picture_->image());
}

void SpectrumViewer::showQuickHelp(const QString& caption)
{
    QWidget* help = forms::load(forms::names::frmSpecQHelp);
    if (!help)
        return;
    const int item = modOrvan.CurrentItem;
    help->setWindowTitle(caption);
    if (QObject* box = help->findChild<QObject*>(QStringLiteral("txtQHelp"))) {
        const QString text = modOrvan.UnkItemHelp[item];
        if (!box->setProperty("plainText", text))
            box->setProperty("text", text);
    }
    forms::showModal(help);
    modOrvan.ItemHelpShown[item] = kTrue;
}

void SpectrumViewer::RedrawSpectrum()
{
    picture_->clear();
    progress_->abandon();
    resetForm();
    formPaint();
}

void SpectrumViewer::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!painted_) {
        painted_ = true;
        formPaint();
    }
}

} // namespace orv::spectra
