#include "structure/forms/frmGiveStructure.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace orv {

using structure::Slot;

namespace {
constexpr int kWidth = 9200;
constexpr int kHeight = 6000;
constexpr std::uint32_t kDrawingCyan = 0xFFFF70;
constexpr std::uint32_t kWhite = 0xFFFFFF;

QFont designFont(double points)
{
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                   QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(points);
    return f;
}

QString crlfToBox(QString t) { return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// The entry the student chose in a list: the selected one, by a click, the
// arrow keys, a typed letter or Space. The current entry alone, where the
// focus shows, is no choice: the toolkit makes the first entry current when
// a list takes the focus by Tab or with the window.
int chosenRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? -1 : list->row(chosen.first());
}
} // namespace

std::function<void(const QString&)>& frmGiveStructure::soundPlayer()
{
    static std::function<void(const QString&)> play = [](const QString& kind) { PlayResourceSound(kind); };
    return play;
}

frmGiveStructure::frmGiveStructure()
    : cmdGSHelp(new QPushButton(this)), cmdGSOk(new QPushButton(this)), frmCompType(new QGroupBox(this)),
      cmdCompType(new QPushButton(frmCompType)), lstCompType(new QListWidget(frmCompType)),
      frmSubType(new QGroupBox(this)), lstSubType(new QListWidget(frmSubType)), cmdSubType(new QPushButton(frmSubType)),
      txtGiveStruct(new QPlainTextEdit(this)), cmdGCancel(new QPushButton(this)), frmSubstituents(new QGroupBox(this)),
      lstX(new QListWidget(frmSubstituents)), lstY(new QListWidget(frmSubstituents)),
      lstZ(new QListWidget(frmSubstituents)), cmdSelectX(new QPushButton(frmSubstituents)),
      cmdSelectZ(new QPushButton(frmSubstituents)), cmdSelectY(new QPushButton(frmSubstituents)),
      picBaseStruct(new QLabel(this)), picXSub(new QLabel(this)), picYSub(new QLabel(this)), picZsub(new QLabel(this)),
      txtStructure(new QTextEdit(this))
{
    setObjectName(QStringLiteral("frmGiveStructure"));
    setFocusPolicy(Qt::ClickFocus); // the drawing area hands its focus to the window
    setFont(designFont(8));
    // clang-format off
    struct Named { QWidget* w; const char* name; };
    for (const Named& n : {Named{cmdGSHelp, "cmdGSHelp"}, {cmdGSOk, "cmdGSOk"}, {frmCompType, "frmCompType"},
                           {cmdCompType, "cmdCompType"}, {lstCompType, "lstCompType"}, {frmSubType, "frmSubType"},
                           {lstSubType, "lstSubType"}, {cmdSubType, "cmdSubType"}, {txtGiveStruct, "txtGiveStruct"},
                           {cmdGCancel, "cmdGCancel"}, {frmSubstituents, "frmSubstituents"}, {lstX, "lstX"},
                           {lstY, "lstY"}, {lstZ, "lstZ"}, {cmdSelectX, "cmdSelectX"}, {cmdSelectZ, "cmdSelectZ"},
                           {cmdSelectY, "cmdSelectY"}, {picBaseStruct, "picBaseStruct"}, {picXSub, "picXSub"},
                           {picYSub, "picYSub"}, {picZsub, "picZsub"}, {txtStructure, "txtStructure"}})
        n.w->setObjectName(QLatin1String(n.name));
    // clang-format on

    cmdGSHelp->setText(QStringLiteral("&Help"));
    cmdGSOk->setText(QStringLiteral("&Continue"));
    frmCompType->setTitle(QStringLiteral("Compound type"));
    cmdCompType->setText(QStringLiteral("&Select"));
    frmSubType->setTitle(QStringLiteral("Sub type"));
    // Both Select buttons are on show together: each needs its own access key.
    cmdSubType->setText(QStringLiteral("S&elect"));
    cmdGCancel->setText(QStringLiteral("C&ancel"));
    frmSubstituents->setTitle(QStringLiteral("Substituents"));
    cmdSelectX->setText(QStringLiteral("Select &X"));
    cmdSelectY->setText(QStringLiteral("Select &Y"));
    cmdSelectZ->setText(QStringLiteral("Select &Z"));
    for (QPushButton* b : {cmdGSHelp, cmdGSOk, cmdCompType, cmdSubType, cmdGCancel, cmdSelectX, cmdSelectY, cmdSelectZ})
        applyButtonLook(b);
    for (QGroupBox* g : {frmCompType, frmSubType, frmSubstituents}) {
        setBackColour(g, PaletteColour(kFormGrey));
        g->setAutoFillBackground(true);
    }

    placeControl(cmdGSHelp, 120, 5000, 1095, 495);
    placeControl(cmdGSOk, 7800, 5000, 1095, 495);
    placeControl(frmCompType, 100, 50, 1725, 2500);
    placeControl(cmdCompType, 300, 2050, 1095, 300);
    placeControl(lstCompType, 120, 300, 1455, 1625);
    placeControl(frmSubType, 100, 2610, 2895, 2220);
    placeControl(lstSubType, 120, 360, 2655, 1230);
    placeControl(cmdSubType, 840, 1750, 1095, 300);
    placeControl(txtGiveStruct, 3100, 2680, 3600, 2150);
    placeControl(cmdGCancel, 4200, 5000, 1095, 495);
    placeControl(frmSubstituents, 6820, 50, 2200, 4800);
    placeControl(lstX, 140, 300, 1935, 840);
    placeControl(lstY, 140, 1790, 1935, 840);
    placeControl(lstZ, 140, 3280, 1935, 840);
    placeControl(cmdSelectX, 550, 1260, 1095, 300);
    placeControl(cmdSelectZ, 550, 4230, 1095, 300);
    placeControl(cmdSelectY, 550, 2740, 1095, 300);
    placeControl(txtStructure, 1930, 120, 4770, 2415);
    placeControl(picBaseStruct, 2520, 360, 1530, 1530);
    placeControl(picXSub, 3480, 360, 735, 735);
    placeControl(picYSub, 4440, 360, 735, 735);
    placeControl(picZsub, 5400, 360, 735, 735);

    txtGiveStruct->setReadOnly(true);
    txtGiveStruct->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtStructure->setReadOnly(true);
    txtStructure->setFont(designFont(13.5));
    txtStructure->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtStructure->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtStructure->installEventFilter(this);
    txtStructure->viewport()->setCursor(Qt::ArrowCursor);
    // The pictures lie in front of the drawing area, fragments over the skeleton.
    for (QLabel* p : {picBaseStruct, picXSub, picYSub, picZsub}) {
        p->setFrameStyle(QFrame::NoFrame);
        p->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        p->raise();
    }
    picBaseStruct->installEventFilter(this);

    // Tab follows the steps of building: each list, then its Select button,
    // then the help text, Help, Cancel and Continue. The drawing area only
    // passes a click's focus on, so Tab does not stop there.
    txtStructure->setFocusPolicy(Qt::ClickFocus);
    QWidget* previous = lstCompType;
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmdCompType, lstSubType, cmdSubType, lstX, cmdSelectX, lstY, cmdSelectY, lstZ,
                                         cmdSelectZ, txtGiveStruct, cmdGSHelp, cmdGCancel, cmdGSOk}) {
        setTabOrder(previous, w);
        previous = w;
    }

    connect(lstCompType, &QListWidget::itemSelectionChanged, this, [this] {
        if (chosenRow(lstCompType) >= 0)
            lstCompType_Click();
    });
    connect(lstCompType, &QListWidget::itemDoubleClicked, this, &frmGiveStructure::lstCompType_DblClick);
    connect(cmdCompType, &QPushButton::clicked, this, &frmGiveStructure::cmdCompType_Click);
    connect(lstSubType, &QListWidget::itemSelectionChanged, this, [this] {
        if (chosenRow(lstSubType) >= 0)
            lstSubType_Click();
    });
    connect(lstSubType, &QListWidget::itemDoubleClicked, this, &frmGiveStructure::lstSubType_DblClick);
    connect(cmdSubType, &QPushButton::clicked, this, &frmGiveStructure::cmdSubType_Click);
    connect(lstX, &QListWidget::itemDoubleClicked, this, [this] { cmdSelectX_Click(); });
    connect(lstY, &QListWidget::itemDoubleClicked, this, [this] { cmdSelectY_Click(); });
    connect(lstZ, &QListWidget::itemDoubleClicked, this, [this] { cmdSelectZ_Click(); });
    connect(cmdSelectX, &QPushButton::clicked, this, &frmGiveStructure::cmdSelectX_Click);
    connect(cmdSelectY, &QPushButton::clicked, this, &frmGiveStructure::cmdSelectY_Click);
    connect(cmdSelectZ, &QPushButton::clicked, this, &frmGiveStructure::cmdSelectZ_Click);
    connect(cmdGSOk, &QPushButton::clicked, this, &frmGiveStructure::cmdGSOk_Click);
    connect(cmdGSHelp, &QPushButton::clicked, this, &frmGiveStructure::cmdGSHelp_Click);
    connect(cmdGCancel, &QPushButton::clicked, this, &frmGiveStructure::cmdGCancel_Click);
    setCancelButton(this, cmdGCancel);
    Form_Load();
}

void frmGiveStructure::Form_Load()
{
    applyFormLook(this);
    placeOnMainWindow(this, 400 + CaptionExtraTwips(), kWidth, kHeight);
    setWindowTitle(QStringLiteral("Give structure"));
    for (const structure::CompoundType& t : structure::compoundTypes())
        lstCompType->addItem(QLatin1String(t.text));
    cmdCompType->setEnabled(false);
    cmdSubType->setEnabled(false);
    txtGiveStruct->hide();
    for (QLabel* p : {picXSub, picYSub, picZsub}) {
        setBackColour(p, PaletteColour(kFormGrey));
        p->setAutoFillBackground(true);
    }
    setBackColour(picBaseStruct, PaletteColour(kWhite));
    picBaseStruct->setAutoFillBackground(true);

    cmdGSOk->setToolTip(QStringLiteral("Click here to continue with Orvanto"));
    cmdGSHelp->setToolTip(QStringLiteral("Click here to get help"));
    cmdGCancel->setToolTip(QStringLiteral("Click here to cancel and close window"));
    cmdCompType->setToolTip(QStringLiteral("Click here to proceed with selected type of compound"));
    cmdSubType->setToolTip(QStringLiteral("Click here to proceed with selected sub type of compound"));
    cmdSelectX->setToolTip(QStringLiteral("Click here to proceed with selected X substituent"));
    cmdSelectY->setToolTip(QStringLiteral("Click here to proceed with selected Y substituent"));
    cmdSelectZ->setToolTip(QStringLiteral("Click here to proceed with selected Z substituent"));
    lstCompType->setToolTip(QStringLiteral("Click here to select a compound type"));
    lstSubType->setToolTip(QStringLiteral("Click here to select a compound sub type"));
    lstX->setToolTip(QStringLiteral("Click here to select substituent X"));
    lstY->setToolTip(QStringLiteral("Click here to select substituent Y"));
    lstZ->setToolTip(QStringLiteral("Click here to select substituent Z"));
    txtStructure->setToolTip(QStringLiteral("Assemble structure here"));
    render();
    lstCompType->setFocus(); // the first step
}

void frmGiveStructure::showPicture(QLabel* box, const structure::PlacedPicture& p)
{
    box->setVisible(p.visible);
    if (!p.visible)
        return;
    const QPixmap picture = p.bitmap ? LoadResPicture(p.bitmap) : QPixmap();
    const QRect was = box->geometry();
    box->setPixmap(picture);
    placeControl(box, p.left, p.top, 15, 15);
    // A picture box takes the size of its bitmap; an empty one keeps its size.
    box->resize(picture.isNull() ? was.size() : picture.size());
    box->raise();
}

void frmGiveStructure::fillList(QListWidget* list, const QStringList& items)
{
    list->clear();
    list->addItems(items);
    list->setCurrentRow(-1);
    // A refilled list starts at its first entry, not where the last one was
    // scrolled to.
    list->scrollToTop();
}

void frmGiveStructure::render(bool refillLists)
{
    const auto& b = builder_;
    frmSubType->setVisible(b.subtypeFrameShown);
    frmSubstituents->setVisible(b.substituentsShown);
    QListWidget* lists[3] = {lstX, lstY, lstZ};
    QPushButton* buttons[3] = {cmdSelectX, cmdSelectY, cmdSelectZ};
    for (int k = 0; k < 3; ++k) {
        if (refillLists && b.slotShown[size_t(k)])
            fillList(lists[k], b.slotItems[size_t(k)]);
        lists[k]->setVisible(b.slotShown[size_t(k)]);
        buttons[k]->setVisible(b.slotShown[size_t(k)]);
    }
    cmdGSOk->setEnabled(b.continueEnabled);
    if (b.drawingAreaBlank) {
        txtStructure->clear();
    } else {
        txtStructure->setPlainText(crlfToBox(QStringLiteral("\r\n\r\n\r\n\r\n\r\nbuild your structure here")));
        // Lines as tall as the design's 13.5-point face had, so the prompt
        // stands below the start picture.
        QTextCursor all(txtStructure->document());
        all.select(QTextCursor::Document);
        QTextBlockFormat f;
        f.setAlignment(Qt::AlignHCenter);
        f.setLineHeight(120, QTextBlockFormat::ProportionalHeight);
        all.mergeBlockFormat(f);
    }
    QPalette pal = txtStructure->palette();
    pal.setColor(QPalette::Base, vbColour(PaletteColour(b.drawingAreaBlank ? kWhite : kDrawingCyan)));
    txtStructure->setPalette(pal);
    showPicture(picBaseStruct, b.basePicture);
    showPicture(picXSub, b.fragments[0]);
    showPicture(picYSub, b.fragments[1]);
    showPicture(picZsub, b.fragments[2]);
}

void frmGiveStructure::GetReady()
{
    builder_.GetReady();
    render();
}

void frmGiveStructure::SeeIfContinue()
{
    builder_.SeeIfContinue();
    cmdGSOk->setEnabled(builder_.continueEnabled);
}

void frmGiveStructure::lstCompType_Click() { cmdCompType->setEnabled(true); }
void frmGiveStructure::lstCompType_DblClick() { cmdCompType_Click(); }

void frmGiveStructure::cmdCompType_Click()
{
    const int row = chosenRow(lstCompType);
    const QString text = row >= 0 ? lstCompType->item(row)->text() : QString();
    builder_.chooseType(text);
    if (builder_.subtypeFrameShown)
        fillList(lstSubType, builder_.subtypeItems);
    render(true);
}

void frmGiveStructure::lstSubType_Click() { cmdSubType->setEnabled(true); }
void frmGiveStructure::lstSubType_DblClick() { cmdSubType_Click(); }

void frmGiveStructure::cmdSubType_Click()
{
    const int row = chosenRow(lstSubType);
    builder_.chooseSubtype(row >= 0 ? lstSubType->item(row)->text() : QString());
    render(true);
}

void frmGiveStructure::chooseSubstituent(Slot slot, QListWidget* list)
{
    if (!builder_.chooseSubstituent(slot, chosenRow(list)))
        return;
    render();
    list->setCurrentRow(-1);
    list->clearSelection();
}

void frmGiveStructure::cmdSelectX_Click() { chooseSubstituent(Slot::X, lstX); }
void frmGiveStructure::cmdSelectY_Click() { chooseSubstituent(Slot::Y, lstY); }
void frmGiveStructure::cmdSelectZ_Click() { chooseSubstituent(Slot::Z, lstZ); }

void frmGiveStructure::cmdGSOk_Click()
{
    const QString code = builder_.structureCode();
    structure::recordGivenStructure(code);
    forms::unload(this);
    forms::showModal(forms::names::frmReportProgress);
}

void frmGiveStructure::cmdGSHelp_Click()
{
    if (txtGiveStruct->isVisibleTo(this)) {
        txtGiveStruct->hide();
        return;
    }
    txtGiveStruct->show();
    txtGiveStruct->setPlainText(crlfToBox(structure::giveStructureHelpText()));
}

void frmGiveStructure::cmdGCancel_Click() { forms::unload(this); }

void frmGiveStructure::picBaseStruct_Click()
{
    if (isTrue(modOrvan.SoundOn) && builder_.StartPictureShown)
        soundPlayer()(QStringLiteral("Work"));
}

void frmGiveStructure::txtStructure_GotFocus()
{
    setFocus();
    if (cmdGSOk->isEnabled())
        cmdGSOk->setFocus();
}

bool frmGiveStructure::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picBaseStruct && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        picBaseStruct_Click();
        return true;
    }
    if (watched == txtStructure && event->type() == QEvent::FocusIn) {
        txtStructure_GotFocus();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orv
