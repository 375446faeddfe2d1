#include "nmrcalc/forms/frmCalcHShift.h"

#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "nmrcalc/forms/calcprint.h"
#include "nmrcalc/hshift.h"
#include "nmrcalc/substituents.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/twips.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace orv {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString crlf(const QString& plain) { return QString(plain).replace(u'\n', kCrLf); }
QString plain(const QString& crlfText) { return QString(crlfText).replace(kCrLf, QStringLiteral("\n")); }

// Designed places of the 23 substituent buttons in their frame.
QRect subPlace(int i)
{
    static const int col1[] = {240, 580, 920, 1260, 1940, 2280, 2620, 2960};
    static const int col2[] = {240, 580, 920, 1600, 1940, 2280, 2620, 2960};
    if (i < 8)
        return {100, col1[i], 1200, 255};
    if (i < 16)
        return {1740, col2[i - 8], 1200, 255};
    return {3380, 240 + 340 * (i - 16), 1100, 255};
}

// Clears a group of option buttons (none chosen).
template <std::size_t N> void clearOptions(QRadioButton* (&buttons)[N])
{
    for (QRadioButton* b : buttons) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

} // namespace

frmCalcHShift::frmCalcHShift(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCalcHShift"));
    setWindowTitle(QStringLiteral("Orvanto proton shift calculator"));
    applyFormLook(this);
    placeOnMainWindow(this, 400, 7500, 6000);

    frmHShiftCalc = new QGroupBox(QStringLiteral("H type"), this);
    placeControl(frmHShiftCalc, 100, 100, 1335, 1900);
    const char* types[] = {"alkyl", "alkenyl", "aryl"};
    const char* typeTips[] = {"methyl, methylene or methine", "substituted ethene", "substituted benzene"};
    for (int i = 0; i < 3; ++i) {
        optHType[i] = new QRadioButton(QString::fromLatin1(types[i]), frmHShiftCalc);
        optHType[i]->setToolTip(QString::fromLatin1(typeTips[i]));
        placeControl(optHType[i], 120, 240 + 340 * i, 1100, 255);
        optHType[i]->installEventFilter(this);
        connect(optHType[i], &QRadioButton::clicked, this, [this, i] { optHType_Click(i); });
    }
    cmdHShiftType = new QPushButton(QStringLiteral("&Select"), frmHShiftCalc);
    placeControl(cmdHShiftType, 120, 1300, 1095, 495);
    connect(cmdHShiftType, &QPushButton::clicked, this, &frmCalcHShift::cmdHShiftType_Click);

    frmSubType = new QGroupBox(QStringLiteral("subtype"), this);
    placeControl(frmSubType, 100, 2160, 2535, 3375);
    for (int i = 0; i < 7; ++i) {
        optSubType[i] = new QRadioButton(frmSubType);
        placeControl(optSubType[i], 120, 240 + 340 * i, 2350, 255);
        optSubType[i]->installEventFilter(this);
        connect(optSubType[i], &QRadioButton::clicked, this, [this, i] { optSubType_Click(i); });
    }
    cmdHSubType = new QPushButton(QStringLiteral("&Select"), frmSubType);
    placeControl(cmdHSubType, 840, 2760, 1095, 495);
    connect(cmdHSubType, &QPushButton::clicked, this, &frmCalcHShift::cmdHSubType_Click);

    frmGroups = new QGroupBox(this);
    placeControl(frmGroups, 2760, 120, 4575, 3975);
    // Substituents that cannot be chosen on a page stay readable, greyed.
    QPalette groups = frmGroups->palette();
    groups.setColor(QPalette::Disabled, QPalette::WindowText, vbColour(0x808080));
    groups.setColor(QPalette::Disabled, QPalette::Text, vbColour(0x808080));
    groups.setColor(QPalette::Disabled, QPalette::ButtonText, vbColour(0x808080));
    frmGroups->setPalette(groups);
    for (int i = 0; i < nmr::kSubstituentCount; ++i) {
        optSub[i] = new QRadioButton(frmGroups);
        const QRect r = subPlace(i);
        placeControl(optSub[i], r.x(), r.y(), r.width(), r.height());
        connect(optSub[i], &QRadioButton::clicked, this, [this, i] { optSub_Click(i); });
    }
    cmdXSelect = new QPushButton(QStringLiteral("&X select"), frmGroups);
    cmdYSelect = new QPushButton(QStringLiteral("&Y select"), frmGroups);
    cmdZSelect = new QPushButton(QStringLiteral("&Z select"), frmGroups);
    placeControl(cmdXSelect, 120, 3360, 1095, 495);
    placeControl(cmdYSelect, 1740, 3360, 1095, 495);
    placeControl(cmdZSelect, 3380, 3360, 1095, 495);
    connect(cmdXSelect, &QPushButton::clicked, this, &frmCalcHShift::cmdXSelect_Click);
    connect(cmdYSelect, &QPushButton::clicked, this, &frmCalcHShift::cmdYSelect_Click);
    connect(cmdZSelect, &QPushButton::clicked, this, &frmCalcHShift::cmdZSelect_Click);

    picCalcHShift = new QLabel(this);
    placeControl(picCalcHShift, 1560, 210, 1000, 1000);

    frmCalculate = new QGroupBox(QStringLiteral("calculation"), this);
    lblX = new QLabel(QStringLiteral("X is"), frmCalculate);
    lblY = new QLabel(QStringLiteral("Y is"), frmCalculate);
    lblZ = new QLabel(QStringLiteral("Z is"), frmCalculate);
    txtX = new QLineEdit(frmCalculate);
    txtY = new QLineEdit(frmCalculate);
    txtZ = new QLineEdit(frmCalculate);
    for (QLineEdit* t : {txtX, txtY, txtZ}) {
        t->setReadOnly(true);
        connect(t, &QLineEdit::textChanged, this, &frmCalcHShift::txtXYZ_Change);
    }
    cmdHShiftCalc = new QPushButton(QStringLiteral("C&alculate"), frmCalculate);
    connect(cmdHShiftCalc, &QPushButton::clicked, this, &frmCalcHShift::cmdHShiftCalc_Click);
    txtResult = new QPlainTextEdit(frmCalculate);
    txtResult->setReadOnly(true);
    // Tab stops every eight average characters, as in a standard text box.
    txtResult->setTabStopDistance(8 * QFontMetricsF(txtResult->font()).averageCharWidth());

    txtHShift = new QPlainTextEdit(this);
    txtHShift->setReadOnly(true);
    txtHShift->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeControl(txtHShift, 2760, 4200, 4575, 720);

    cmdHShiftHelp = new QPushButton(QStringLiteral("&Help"), this);
    cmdHShiftPrint = new QPushButton(QStringLiteral("&Print"), this);
    cmdHShiftOk = new QPushButton(QStringLiteral("&Continue"), this);
    placeControl(cmdHShiftHelp, 2760, 5040, 1095, 495);
    placeControl(cmdHShiftPrint, 4500, 5040, 1095, 495);
    placeControl(cmdHShiftOk, 6240, 5040, 1095, 495);
    connect(cmdHShiftHelp, &QPushButton::clicked, this, &frmCalcHShift::cmdHShiftHelp_Click);
    connect(cmdHShiftPrint, &QPushButton::clicked, this, &frmCalcHShift::cmdHShiftPrint_Click);
    connect(cmdHShiftOk, &QPushButton::clicked, this, &frmCalcHShift::cmdHShiftOk_Click);

    txtCalcMessage = new QLineEdit(this);
    noticeTimer_ = new QTimer(this);
    noticeTimer_->setSingleShot(true);
    connect(noticeTimer_, &QTimer::timeout, txtCalcMessage, &QWidget::hide);

    // Starting state.
    StageKey = QStringLiteral("htype");
    cmdHShiftType->setEnabled(false);
    cmdHShiftPrint->setEnabled(false);
    frmSubType->hide();
    frmGroups->hide();
    frmCalculate->hide();
    picCalcHShift->hide();
    txtHShift->clear();
    txtHShift->hide();
    txtCalcMessage->hide();
    cmdHShiftOk->setToolTip(QStringLiteral("Click here to continue with Orvanto"));
    cmdHShiftHelp->setToolTip(QStringLiteral("Click here to get help"));
    cmdHShiftPrint->setToolTip(QStringLiteral("Click here to print results"));
    cmdHShiftType->setToolTip(QStringLiteral("Click here to select type of compound"));
    cmdHSubType->setToolTip(QStringLiteral("Click here to select type of compound"));
    cmdXSelect->setToolTip(QStringLiteral("Click here to select X substituent"));
    cmdYSelect->setToolTip(QStringLiteral("Click here to select Y substituent"));
    cmdZSelect->setToolTip(QStringLiteral("Click here to select Z substituent"));
    cmdHShiftCalc->setToolTip(QStringLiteral("Click here to calculate chemical shifts"));
}

bool frmCalcHShift::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < 3; ++i)
            if (watched == optHType[i]) {
                optHType[i]->setChecked(true);
                optHType_DblClick(i);
                return true;
            }
        for (int i = 0; i < 7; ++i)
            if (watched == optSubType[i]) {
                optSubType[i]->setChecked(true);
                optSubType_DblClick(i);
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

void frmCalcHShift::optHType_Click(int) { cmdHShiftType->setEnabled(true); }

void frmCalcHShift::optHType_DblClick(int index)
{
    optHType_Click(index);
    cmdHShiftType->click();
}

void frmCalcHShift::cmdHShiftType_Click()
{
    cmdHSubType->setEnabled(false);
    cmdXSelect->hide();
    cmdYSelect->hide();
    cmdZSelect->hide();
    frmGroups->hide();
    frmCalculate->hide();
    picCalcHShift->hide();
    SubtypeTitles();
    txtHShift->hide();
    txtHShift->clear();
}

void frmCalcHShift::SubtypeTitles()
{
    placeControl(frmSubType, 100, 2160, 2530, 3375);
    frmSubType->show();
    clearOptions(optSubType);
    if (optHType[0]->isChecked()) {
        optSubType[0]->setText(QStringLiteral("methyl, methylene"));
        optSubType[1]->setText(QStringLiteral("methine"));
        for (int i = 0; i < 7; ++i)
            optSubType[i]->setVisible(i < 2);
        StageKey = QStringLiteral("subtypealkyl");
    } else if (optHType[1]->isChecked()) {
        frmSubType->hide();
        DoAlkenes();
    } else {
        const char* names[] = {"monosubstituted benzene",      "1,2-disubstituted benzene",
                               "1,3-disubstituted benzene",    "1,4-disubstituted benzene",
                               "1,2,3-trisubstituted benzene", "1,2,4-trisubstituted benzene",
                               "1,3,5-trisubstituted benzene"};
        for (int i = 0; i < 7; ++i) {
            optSubType[i]->setText(QString::fromLatin1(names[i]));
            optSubType[i]->show();
        }
        StageKey = QStringLiteral("subtypearyl");
    }
}

void frmCalcHShift::optSubType_Click(int)
{
    cmdHShiftType->setEnabled(true);
    cmdHSubType->setEnabled(true);
    cmdXSelect->hide();
    cmdYSelect->hide();
    cmdZSelect->hide();
}

void frmCalcHShift::optSubType_DblClick(int index)
{
    optSubType_Click(index);
    cmdHSubType->click();
}

void frmCalcHShift::cmdHSubType_Click()
{
    frmGroups->show();
    if (optHType[0]->isChecked())
        DoAlkanes();
    else if (optHType[2]->isChecked())
        DoArenes();
    frmSubType->hide();
    txtHShift->hide();
    txtHShift->clear();
    cmdHShiftType->setFocus();
    clearOptions(optSub);
}

void frmCalcHShift::setStage(const QString& key)
{
    const nmr::ShiftStage* stage = nmr::hShiftStage(key);
    if (!stage)
        return;
    StageKey = key;
    frmGroups->setTitle(QString::fromLatin1(stage->groupsCaption));
    // A diagram that cannot be read leaves the box empty; the page still works.
    const QPixmap pix = LoadPicture(modOrvan.ProgramPath + QStringLiteral("/gifs/") + QLatin1String(stage->picture));
    picCalcHShift->setPixmap(pix);
    const int w = pix.isNull() ? 0 : static_cast<int>(twips(pix.width()));
    const int h = pix.isNull() ? 0 : static_cast<int>(twips(pix.height()));
    placeControl(picCalcHShift, 2100 - w / 2, 210, w, h);
    picCalcHShift->show();
    for (int i : stage->disabled)
        optSub[i]->setEnabled(false);
    QPushButton* selects[] = {cmdXSelect, cmdYSelect, cmdZSelect};
    for (int i = 0; i < 3; ++i) {
        selects[i]->setVisible(i < stage->places);
        selects[i]->setEnabled(false);
    }
}

void frmCalcHShift::DoAlkanes()
{
    SubstituentTitles();
    setStage(optSubType[0]->isChecked() ? QStringLiteral("methylene") : QStringLiteral("methine"));
}

void frmCalcHShift::DoArenes()
{
    int subtype = 0;
    for (int i = 0; i < 7; ++i)
        if (optSubType[i]->isChecked())
            subtype = i;
    SubstituentTitles();
    setStage(QString::fromLatin1(nmr::hShiftBenzeneStage(subtype).key));
}

void frmCalcHShift::DoAlkenes()
{
    SubstituentTitles();
    setStage(QStringLiteral("alkene"));
}

void frmCalcHShift::SubstituentTitles()
{
    txtX->clear();
    txtY->clear();
    txtZ->clear();
    frmGroups->show();
    for (int i = 0; i < nmr::kSubstituentCount; ++i) {
        optSub[i]->setText(nmr::substituentCaption(i));
        optSub[i]->setToolTip(nmr::substituentToolTip(i));
        optSub[i]->setEnabled(true);
    }
    clearOptions(optSub);
}

int frmCalcHShift::placesInUse() const
{
    const nmr::ShiftStage* stage = nmr::hShiftStage(StageKey);
    return stage ? stage->places : 0;
}

void frmCalcHShift::optSub_Click(int)
{
    const int places = placesInUse();
    cmdXSelect->setEnabled(places >= 1);
    cmdYSelect->setEnabled(places >= 2);
    cmdZSelect->setEnabled(places >= 3);
}

void frmCalcHShift::CalculationTitles()
{
    placeControl(frmCalculate, 100, 2160, 2530, 3370);
    placeControl(lblX, 100, 330, 340, 255);
    placeControl(txtX, 450, 300, 900, 285);
    placeControl(lblY, 100, 730, 340, 255);
    placeControl(txtY, 450, 700, 900, 285);
    placeControl(lblZ, 100, 1130, 340, 255);
    placeControl(txtZ, 450, 1100, 900, 285);
    const bool yRow = !cmdYSelect->isHidden();
    const bool zRow = !cmdZSelect->isHidden();
    lblY->setVisible(yRow);
    txtY->setVisible(yRow);
    lblZ->setVisible(zRow);
    txtZ->setVisible(zRow);
    const int height = zRow ? 1100 : (yRow ? 700 : 315);
    placeControl(cmdHShiftCalc, 1450, 293, 950, height);
    cmdHShiftCalc->setEnabled(false);
    placeControl(txtResult, 120, 1550, 2280, 1685);
    txtResult->hide();
    frmCalculate->show();
}

void frmCalcHShift::selectInto(QLineEdit* box, int& sub)
{
    if (frmCalculate->isHidden())
        CalculationTitles();
    for (int i = 0; i < nmr::kSubstituentCount; ++i)
        if (optSub[i]->isChecked()) {
            box->setText(nmr::substituentCaption(i));
            sub = i;
            break;
        }
    GetReady();
}

void frmCalcHShift::cmdXSelect_Click() { selectInto(txtX, SubX); }
void frmCalcHShift::cmdYSelect_Click() { selectInto(txtY, SubY); }
void frmCalcHShift::cmdZSelect_Click() { selectInto(txtZ, SubZ); }

void frmCalcHShift::GetReady()
{
    txtResult->hide();
    cmdHShiftPrint->setEnabled(false);
}

void frmCalcHShift::txtXYZ_Change()
{
    const bool filled = !txtX->text().isEmpty() && (txtY->isHidden() || !txtY->text().isEmpty())
                     && (txtZ->isHidden() || !txtZ->text().isEmpty());
    if (filled)
        cmdHShiftCalc->setEnabled(true);
}

void frmCalcHShift::cmdHShiftCalc_Click()
{
    cmdHShiftPrint->setEnabled(true);
    txtResult->clear();
    txtResult->show();
    txtHShift->hide();
    txtHShift->clear();
    txtResult->setPlainText(plain(nmr::hShiftResult(StageKey, SubX, SubY, SubZ)));
}

void frmCalcHShift::cmdHShiftHelp_Click()
{
    if (txtHShift->isVisible()) {
        txtHShift->hide();
        return;
    }
    txtHShift->show();
    const bool resultShown = !frmCalculate->isHidden() && !txtResult->isHidden();
    txtHShift->setPlainText(plain(nmr::hShiftHelp(StageKey, resultShown)));
}

QString frmCalcHShift::resultText() const { return crlf(txtResult->toPlainText()); }
QString frmCalcHShift::helpText() const { return crlf(txtHShift->toPlainText()); }

void frmCalcHShift::cmdHShiftPrint_Click()
{
    CalcPrintout out;
    if (!out.begin(QStringLiteral("Orvanto proton nmr shift calculator")))
        return;
    out.print();
    // Room for the diagram: its height in 0.01 mm over 300, as blank lines;
    // drawn at (1000, 1000) twips at 0.8 of its size in 0.01 mm.
    const QPixmap pix = picCalcHShift->pixmap();
    if (!pix.isNull()) {
        const double himW = pix.width() * 2540.0 / 96.0, himH = pix.height() * 2540.0 / 96.0;
        const int lines = static_cast<int>(std::nearbyint(himH / 300.0));
        for (int i = 0; i < lines; ++i)
            out.print();
        out.painter()->drawPixmap(QRectF(1000, 1000, 0.8 * himW, 0.8 * himH), pix, QRectF(pix.rect()));
    }
    auto line = [](const char* place, int sub) {
        return QStringLiteral("Substituent %1 = ").arg(QLatin1String(place)) + nmr::substituentCaption(sub)
             + QStringLiteral(" (") + nmr::substituentToolTip(sub) + QStringLiteral(")");
    };
    out.print(line("X", SubX));
    if (!txtY->isHidden())
        out.print(line("Y", SubY));
    if (!txtZ->isHidden())
        out.print(line("Z", SubZ));
    out.print();
    out.print();
    for (const QString& l : txtResult->toPlainText().split(u'\n'))
        out.print(l);
    out.print();
    out.print();
    for (const QString& l : nmr::hShiftPrintedExplanation(StageKey))
        out.print(l);
    for (int i = 0; i < 5; ++i)
        out.print();
    if (!out.finish())
        return;
    showPrintCompleted(txtCalcMessage, 4322, 4395, noticeTimer_);
}

void frmCalcHShift::cmdHShiftOk_Click() { forms::unload(this); }

} // namespace orv
