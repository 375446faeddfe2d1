#include "mainwindow/forms/frmSelectUnks.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "mainwindow/forms/mainmenuentry.h"
#include "mainwindow/unknowncatalogue.h"
#include "mainwindow/unknownselection.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace orv {

namespace {
constexpr int kWidth = 6500;
constexpr int kHeight = 6000;

// The window was laid out for a small system font: where this display's font
// is wider, the text shrinks (never below 6 points) until every line fits.
void fitFontToWidth(QWidget* w, const QStringList& lines, int widthTw)
{
    QFont f = w->font();
    for (double pt = 9; pt >= 6; pt -= 0.5) {
        f.setPointSizeF(pt);
        const QFontMetrics fm(f);
        bool fits = true;
        for (const QString& l : lines)
            fits = fits && fm.horizontalAdvance(l) <= px(widthTw);
        if (fits)
            break;
    }
    w->setFont(f);
}
}

frmSelectUnks::frmSelectUnks()
{
    auto& m = modOrvan;
    enterInstructorMode();
    QuitOnUnload = kTrue;
    applyFormLook(this);

    const int height = kHeight + CaptionExtraTwips();
    QWidget* main = forms::find(forms::names::frmOVMain);
    if (main && main->isEnabled()) {
        const QRect r = formRectTwips(main);
        setFormGeometry(this, r.x() + (r.width() - kWidth) / 2, r.y() + (r.height() - height) / 2, kWidth, height);
    } else {
        setFormGeometry(this, (screenWidthTwips() - kWidth) / 2, m.ScreenTopOffset + 1900, kWidth, height);
    }
    setWindowTitle(QStringLiteral("Select an unknown"));

    lblSelectUnks = new QLabel(this);
    applyLabelLook(lblSelectUnks);
    lblSelectUnks->setWordWrap(false);
    lblSelectUnks->setText(
        QStringLiteral("This option is intended for special use by instructors only. \n"
                       "Click on the unknown to load it into Orvanto. Leave the pointer on the unknown\n"
                       "to see its name. Compound classes may be highlighted by selecting a type."));
    lblSelectUnks->setContentsMargins(px(60), 0, 0, 0);
    fitFontToWidth(lblSelectUnks, lblSelectUnks->text().split(u'\n'), 5800 - 150);
    placeControl(lblSelectUnks, (kWidth - 5800) / 2 - 40, 150, 5800, 650);

    cmdQuitAll = new QPushButton(QStringLiteral("&Quit Orvanto"), this);
    applyButtonLook(cmdQuitAll);
    cmdQuitAll->setToolTip(QStringLiteral("Click here to finish with Orvanto"));
    placeControl(cmdQuitAll, kWidth / 2 - 1260 / 2 - 60, height - 970, 1260, 500);
    connect(cmdQuitAll, &QPushButton::clicked, this, &frmSelectUnks::cmdQuitAll_Click);

    UnkButtonCount = kCatalogueUnknowns;
    for (int n = 0; n <= UnkButtonCount; ++n) {
        auto* b = new QPushButton(n == 0 ? QStringLiteral("Unk") : QString::number(n), this);
        b->setObjectName(QStringLiteral("cmdUnk%1").arg(n));
        cmdUnk[n] = b;
        setButtonColour(n, kPlainColour);
        if (n == 0) {
            placeControl(b, 0, 0, kSelectionButtonWidth, kSelectionButtonHeight);
            b->hide();
            continue;
        }
        const QPoint at = selectionButtonPosition(n);
        placeControl(b, at.x(), at.y(), kSelectionButtonWidth, kSelectionButtonHeight);
        b->setToolTip(catalogueName(n));
        // An unknown whose data file is not shipped cannot be chosen.
        b->setEnabled(unknownAvailable(n));
        connect(b, &QPushButton::clicked, this, [this, n] { cmdUnk_Click(n); });
    }

    lblType = new QLabel(QStringLiteral("type"), this);
    applyLabelLook(lblType, 0xFFFFFF);
    lblType->setAlignment(Qt::AlignCenter);
    placeControl(lblType, 4900, 980, 1200, 260);

    lstType = new QListWidget(this);
    QStringList classes;
    for (int k = 0; k < kCatalogueClasses; ++k)
        classes << catalogueClassName(k);
    lstType->addItems(classes);
    lstType->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitFontToWidth(lstType, classes, 1215 - 120);
    placeControl(lstType, 4900, 1320, 1215, 3580);
    lstType->setCurrentRow(0);
    lstType->installEventFilter(this);
    lstType->viewport()->installEventFilter(this);
}

void frmSelectUnks::setButtonColour(int n, std::uint32_t colour)
{
    // Set as they are: these colours do not pass through PaletteColour.
    colours_[n] = colour;
    applyButtonLook(cmdUnk[n], colour);
}

std::uint32_t frmSelectUnks::buttonColour(int n) const { return n >= 0 && n <= 99 ? colours_[n] : 0; }

void frmSelectUnks::ColourButtons(int k)
{
    for (int n = 1; n <= UnkButtonCount; ++n)
        if (colours_[n] != kPlainColour)
            setButtonColour(n, kPlainColour);
    for (int n : catalogueClassMembers(k))
        if (n <= UnkButtonCount)
            setButtonColour(n, kClassColour);
}

bool frmSelectUnks::eventFilter(QObject* watched, QEvent* e)
{
    // lstType_KeyUp and lstType_MouseUp: the grid follows the list's selection.
    const bool fromList = watched == lstType || watched == lstType->viewport();
    if (fromList && (e->type() == QEvent::KeyRelease || e->type() == QEvent::MouseButtonRelease))
        ColourButtons(lstType->currentRow());
    return QWidget::eventFilter(watched, e);
}

void frmSelectUnks::cmdUnk_Click(int index)
{
    QuitOnUnload = kFalse;
    if (!loadInstructorUnknown(index))
        return; // the unknown's file could not be read: the program has ended
    // Bringing up the main window loads it when this is the first unknown.
    QWidget* main = forms::load(forms::names::frmOVMain);
    setMainMenuEntryVisible(QStringLiteral("mnuNameItem"), 3, QStringLiteral("&Resign from this unknown"), false);
    AnnounceUnknown();
    // The main window shows before this one unloads, so that the program
    // never stands without a visible window in between.
    if (main)
        forms::showModeless(main);
    forms::unload(this);
}

void frmSelectUnks::cmdQuitAll_Click()
{
    QuitOnUnload = kTrue;
    forms::unload(this);
}

void frmSelectUnks::closeEvent(QCloseEvent* e)
{
    modOrvan.QuitReason = QStringLiteral("SecretAllocate");
    e->accept();
    if (isTrue(QuitOnUnload)) {
        QuitOnUnload = kFalse; // the end unloads this window again
        EndProgram();
    }
}

} // namespace orv
