#include "nmrcalc/forms/frmCalcCShift.h"

#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "nmrcalc/forms/calcprint.h"
#include "nmrcalc/cshift.h"
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

frmCalcCShift::frmCalcCShift(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCalcCShift"));
    setWindowTitle(QStringLiteral("Orvanto carbon-13 shift calculator"));
    applyFormLook(this);
    placeOnMainWindow(this, 400, 9000, 6000);

    frmCShiftCalc = new QGroupBox(QStringLiteral("C type"), this);
    placeControl(frmCShiftCalc, 100, 100, 1335, 1900);
    const char* types[] = {"alkyl", "alkenyl", "aryl"};
    const char* typeTips[] = {"methyl, ethyl etc", "substituted ethene", "substituted benzene"};
    for (int i = 0; i < 3; ++i) {
        optCType[i] = new QRadioButton(QString::fromLatin1(types[i]), frmCShiftCalc);
        optCType[i]->setToolTip(QString::fromLatin1(typeTips[i]));
        placeControl(optCType[i], 120, 240 + 340 * i, 1100, 255);
        optCType[i]->installEventFilter(this);
        connect(optCType[i], &QRadioButton::clicked, this, [this, i] { optCType_Click(i); });
    }
    cmdCShiftType = new QPushButton(QStringLiteral("&Select"), frmCShiftCalc);
    placeControl(cmdCShiftType, 120, 1300, 1095, 495);
    connect(cmdCShiftType, &QPushButton::clicked, this, &frmCalcCShift::cmdCShiftType_Click);

    frmSubType = new QGroupBox(QStringLiteral("subtype"), this);
    placeControl(frmSubType, 100, 2160, 3120, 3375);
    for (int i = 0; i < 9; ++i) {
        optSubType[i] = new QRadioButton(frmSubType);
        if (i < 7)
            placeControl(optSubType[i], 120, 240 + 340 * i, 2350, 255);
        else
            placeControl(optSubType[i], 1700, 240 + 340 * (i - 7), 1400, 255);
        optSubType[i]->installEventFilter(this);
        connect(optSubType[i], &QRadioButton::clicked, this, [this, i] { optSubType_Click(i); });
    }
    cmdCSubType = new QPushButton(QStringLiteral("&Select"), frmSubType);
    placeControl(cmdCSubType, 1140, 2760, 1095, 495);
    connect(cmdCSubType, &QPushButton::clicked, this, &frmCalcCShift::cmdCSubType_Click);

    frmGroups = new QGroupBox(this);
    placeControl(frmGroups, 4250, 120, 4575, 3975);
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
        optSub[i]->installEventFilter(this);
        connect(optSub[i], &QRadioButton::clicked, this, [this, i] { optSub_Click(i); });
    }
    cmdXSelect = new QPushButton(QStringLiteral("&X select"), frmGroups);
    cmdYSelect = new QPushButton(QStringLiteral("&Y select"), frmGroups);
    cmdZSelect = new QPushButton(QStringLiteral("&Z select"), frmGroups);
    placeControl(cmdXSelect, 100, 3360, 1095, 495);
    placeControl(cmdYSelect, 1740, 3360, 1095, 495);
    placeControl(cmdZSelect, 3380, 3360, 1095, 495);
    connect(cmdXSelect, &QPushButton::clicked, this, &frmCalcCShift::cmdXSelect_Click);
    connect(cmdYSelect, &QPushButton::clicked, this, &frmCalcCShift::cmdYSelect_Click);
    connect(cmdZSelect, &QPushButton::clicked, this, &frmCalcCShift::cmdZSelect_Click);

    picCalcCShift = new QLabel(this);
    placeControl(picCalcCShift, 1560, 210, 1000, 1000);

    frmCalculate = new QGroupBox(QStringLiteral("calculation"), this);
    lblX = new QLabel(QStringLiteral("X is"), frmCalculate);
    lblY = new QLabel(QStringLiteral("Y is"), frmCalculate);
    lblZ = new QLabel(QStringLiteral("Z is"), frmCalculate);
    txtX = new QLineEdit(frmCalculate);
    txtY = new QLineEdit(frmCalculate);
    txtZ = new QLineEdit(frmCalculate);
    for (QLineEdit* t : {txtX, txtY, txtZ}) {
        t->setReadOnly(true);
        connect(t, &QLineEdit::textChanged, this, &frmCalcCShift::txtXYZ_Change);
    }
    cmdCShiftCalc = new QPushButton(QStringLiteral("C&alculate"), frmCalculate);
    connect(cmdCShiftCalc, &QPushButton::clicked, this, &frmCalcCShift::cmdCShiftCalc_Click);
    txtResult = new QPlainTextEdit(frmCalculate);
    txtResult->setReadOnly(true);
    // Tab stops every eight average characters, as in a standard text box.
    txtResult->setTabStopDistance(8 * QFontMetricsF(txtResult->font()).averageCharWidth());

    txtCShift = new QPlainTextEdit(this);
    txtCShift->setReadOnly(true);
    txtCShift->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeControl(txtCShift, 4250, 4200, 4575, 720);

    cmdCShiftHelp = new QPushButton(QStringLiteral("&Help"), this);
    cmdCShiftPrint = new QPushButton(QStringLiteral("&Print"), this);
    cmdCShiftOk = new QPushButton(QStringLiteral("&Continue"), this);
    placeControl(cmdCShiftHelp, 4250, 5040, 1095, 495);
    placeControl(cmdCShiftPrint, 5995, 5040, 1095, 495);
    placeControl(cmdCShiftOk, 7740, 5040, 1095, 495);
    connect(cmdCShiftHelp, &QPushButton::clicked, this, &frmCalcCShift::cmdCShiftHelp_Click);
    connect(cmdCShiftPrint, &QPushButton::clicked, this, &frmCalcCShift::cmdCShiftPrint_Click);
    connect(cmdCShiftOk, &QPushButton::clicked, this, &frmCalcCShift::cmdCShiftOk_Click);

    txtCalcMessage = new QLineEdit(this);
    noticeTimer_ = new QTimer(this);
    noticeTimer_->setSingleShot(true);
    connect(noticeTimer_, &QTimer::timeout, txtCalcMessage, &QWidget::hide);

    // Starting state.
    StageKey = QStringLiteral("ctype");
    cmdCShiftType->setEnabled(false);
    cmdCShiftPrint->setEnabled(false);
    frmSubType->hide();
    frmGroups->hide();
    frmCalculate->hide();
    picCalcCShift->hide();
    txtCShift->clear();
    txtCShift->hide();
    txtCalcMessage->hide();
    cmdCShiftOk->setToolTip(QStringLiteral("Click here to continue with Orvanto"));
    cmdCShiftHelp->setToolTip(QStringLiteral("Click here to get help"));
    cmdCShiftPrint->setToolTip(QStringLiteral("Click here to print results"));
    cmdCShiftType->setToolTip(QStringLiteral("Click here to select type of compound"));
    cmdCSubType->setToolTip(QStringLiteral("Click here to select type of compound"));
    cmdXSelect->setToolTip(QStringLiteral("Click here to select X substituent"));
    cmdYSelect->setToolTip(QStringLiteral("Click here to select Y substituent"));
    cmdZSelect->setToolTip(QStringLiteral("Click here to select Z substituent"));
    cmdCShiftCalc->setToolTip(QStringLiteral("Click here to calculate chemical shifts"));
}

bool frmCalcCShift::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < 3; ++i)
            if (watched == optCType[i]) {
                optCType[i]->setChecked(true);
                optCType_DblClick(i);
                return true;
            }
        for (int i = 0; i < 9; ++i)
            if (watched == optSubType[i]) {
                optSubType[i]->setChecked(true);
                optSubType_DblClick(i);
                return true;
            }
        for (int i = 0; i < nmr::kSubstituentCount; ++i)
            if (watched == optSub[i] && optSub[i]->isEnabled()) {
                optSub[i]->setChecked(true);
                optSub_DblClick(i);
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

void frmCalcCShift::optCType_Click(int) { cmdCShiftType->setEnabled(true); }

void frmCalcCShift::optCType_DblClick(int index)
{
    optCType_Click(index);
    cmdCShiftType->click();
}

void frmCalcCShift::cmdCShiftType_Click()
{
    cmdCSubType->setEnabled(false);
    cmdXSelect->hide();
    cmdYSelect->hide();
    cmdZSelect->hide();
    frmGroups->hide();
    frmCalculate->hide();
    picCalcCShift->hide();
    SubtypeTitles();
    txtCShift->hide();
    txtCShift->clear();
}

void frmCalcCShift::SubtypeTitles()
{
    placeControl(frmSubType, 100, 2160, 3120, 3375);
    frmSubType->show();
    clearOptions(optSubType);
    if (optCType[0]->isChecked()) {
        const QStringList names = nmr::cShiftAlkylSubtypes();
        for (int i = 0; i < 9; ++i) {
            optSubType[i]->setText(names[i]);
            optSubType[i]->show();
        }
        StageKey = QStringLiteral("subtypealkyl");
    } else if (optCType[1]->isChecked()) {
        frmSubType->hide();
        DoAlkenes();
    } else {
        const char* names[] = {"monosubstituted benzene",      "1,2-disubstituted benzene",
                               "1,3-disubstituted benzene",    "1,4-disubstituted benzene",
                               "1,2,3-trisubstituted benzene", "1,2,4-trisubstituted benzene",
                               "1,3,5-trisubstituted benzene"};
        for (int i = 0; i < 9; ++i) {
            optSubType[i]->setVisible(i < 7);
            if (i < 7)
                optSubType[i]->setText(QString::fromLatin1(names[i]));
        }
        StageKey = QStringLiteral("subtypearyl");
    }
}

void frmCalcCShift::optSubType_Click(int)
{
    cmdCShiftType->setEnabled(true);
    cmdCSubType->setEnabled(true);
    cmdXSelect->hide();
    cmdYSelect->hide();
    cmdZSelect->hide();
}

void frmCalcCShift::optSubType_DblClick(int index)
{
    optSubType_Click(index);
    cmdCSubType->click();
}

void frmCalcCShift::cmdCSubType_Click()
{
    frmGroups->show();
    if (optCType[0]->isChecked())
        DoAlkanes();
    else if (optCType[2]->isChecked())
        DoArenes();
    frmSubType->hide();
    txtCShift->hide();
    txtCShift->clear();
    cmdCShiftType->setFocus();
    clearOptions(optSub);
}

void frmCalcCShift::setStage(const QString& key)
{
    const nmr::ShiftStage* stage = nmr::cShiftStage(key);
    if (!stage)
        return;
    StageKey = key;
    frmGroups->setTitle(QString::fromLatin1(stage->groupsCaption));
    // A diagram that cannot be read leaves the box empty; the page still works.
    const QPixmap pix = LoadPicture(modOrvan.ProgramPath + QStringLiteral("/gifs/") + QLatin1String(stage->picture));
    picCalcCShift->setPixmap(pix);
    const int w = pix.isNull() ? 0 : static_cast<int>(twips(pix.width()));
    const int h = pix.isNull() ? 0 : static_cast<int>(twips(pix.height()));
    placeControl(picCalcCShift, 2850 - w / 2, 210, w, h);
    picCalcCShift->show();
    for (int i : stage->disabled)
        optSub[i]->setEnabled(false);
    QPushButton* selects[] = {cmdXSelect, cmdYSelect, cmdZSelect};
    for (int i = 0; i < 3; ++i) {
        selects[i]->setVisible(i < stage->places);
        selects[i]->setEnabled(false);
    }
}

void frmCalcCShift::DoAlkanes()
{
    int subtype = 0;
    for (int i = 0; i < 9; ++i)
        if (optSubType[i]->isChecked()) {
            subtype = i;
            break;
        }
    SubstituentTitles();
    setStage(QString::fromLatin1(nmr::cShiftAlkylStage(subtype).key));
    cmdZSelect->hide();
}

void frmCalcCShift::DoArenes()
{
    int subtype = 0;
    for (int i = 0; i < 7; ++i)
        if (optSubType[i]->isChecked()) {
            subtype = i;
            break;
        }
    SubstituentTitles();
    setStage(QString::fromLatin1(nmr::cShiftBenzeneStage(subtype).key));
}

void frmCalcCShift::DoAlkenes()
{
    SubstituentTitles();
    setStage(QStringLiteral("alkene"));
}

void frmCalcCShift::SubstituentTitles()
{
    txtX->clear();
    txtY->clear();
    txtZ->clear();
    frmGroups->show();
    for (int i = 0; i < nmr::kSubstituentCount; ++i) {
        optSub[i]->setText(nmr::substituentCaption(i, nmr::SubstituentList::Carbon));
        optSub[i]->setToolTip(nmr::substituentToolTip(i, nmr::SubstituentList::Carbon));
        optSub[i]->setEnabled(true);
    }
    clearOptions(optSub);
}

int frmCalcCShift::placesInUse() const
{
    const nmr::ShiftStage* stage = nmr::cShiftStage(StageKey);
    return stage ? stage->places : 0;
}

void frmCalcCShift::optSub_Click(int)
{
    const int places = placesInUse();
    cmdXSelect->setEnabled(places >= 1);
    cmdYSelect->setEnabled(places >= 2);
    cmdZSelect->setEnabled(places >= 3);
}

void frmCalcCShift::optSub_DblClick(int index)
{
    optSub_Click(index);
    // A one-place page takes the substituent at once.
    if (cmdYSelect->isHidden() && cmdZSelect->isHidden()) {
        cmdXSelect->setEnabled(true);
        cmdXSelect->click();
    }
}

void frmCalcCShift::CalculationTitles()
{
    placeControl(frmCalculate, 100, 2160, 4000, 3370);
    placeControl(lblX, 150, 330, 400, 255);
    placeControl(txtX, 600, 300, 900, 285);
    placeControl(lblY, 150, 730, 400, 255);
    placeControl(txtY, 600, 700, 900, 285);
    placeControl(lblZ, 150, 1130, 400, 255);
    placeControl(txtZ, 600, 1100, 900, 285);
    const bool yRow = !cmdYSelect->isHidden();
    const bool zRow = !cmdZSelect->isHidden();
    lblY->setVisible(yRow);
    txtY->setVisible(yRow);
    lblZ->setVisible(zRow);
    txtZ->setVisible(zRow);
    const int height = zRow ? 1100 : (yRow ? 700 : 315);
    placeControl(cmdCShiftCalc, 1800, 293, 1095, height);
    cmdCShiftCalc->setEnabled(false);
    placeControl(txtResult, 120, 1550, 3750, 1685);
    txtResult->hide();
    frmCalculate->show();
}

void frmCalcCShift::selectInto(QLineEdit* box, int& sub)
{
    if (frmCalculate->isHidden())
        CalculationTitles();
    for (int i = 0; i < nmr::kSubstituentCount; ++i)
        if (optSub[i]->isChecked()) {
            box->setText(nmr::substituentCaption(i, nmr::SubstituentList::Carbon));
            sub = i;
            break;
        }
    txtResult->hide();
    cmdCShiftPrint->setEnabled(false);
}

void frmCalcCShift::cmdXSelect_Click() { selectInto(txtX, SubX); }
void frmCalcCShift::cmdYSelect_Click() { selectInto(txtY, SubY); }
void frmCalcCShift::cmdZSelect_Click() { selectInto(txtZ, SubZ); }

void frmCalcCShift::txtXYZ_Change()
{
    const bool filled = !txtX->text().isEmpty() && (txtY->isHidden() || !txtY->text().isEmpty())
                     && (txtZ->isHidden() || !txtZ->text().isEmpty());
    if (filled)
        cmdCShiftCalc->setEnabled(true);
}

void frmCalcCShift::cmdCShiftCalc_Click()
{
    cmdCShiftPrint->setEnabled(true);
    txtResult->clear();
    txtResult->show();
    txtCShift->hide();
    txtCShift->clear();
    txtResult->setPlainText(plain(nmr::cShiftResult(StageKey, SubX, SubY, SubZ)));
}

void frmCalcCShift::cmdCShiftHelp_Click()
{
    if (txtCShift->isVisible()) {
        txtCShift->hide();
        return;
    }
    txtCShift->show();
    const bool resultShown = !frmCalculate->isHidden() && !txtResult->isHidden();
    txtCShift->setPlainText(plain(nmr::cShiftHelp(StageKey, resultShown)));
}

QString frmCalcCShift::resultText() const { return crlf(txtResult->toPlainText()); }
QString frmCalcCShift::helpText() const { return crlf(txtCShift->toPlainText()); }

void frmCalcCShift::cmdCShiftPrint_Click()
{
    CalcPrintout out;
    if (!out.begin(QStringLiteral("Orvanto carbon-13 nmr shift calculator")))
        return;
    out.print();
    // Room for the diagram: its height in 0.01 mm over 300, as blank lines;
    // drawn at (1000, 1000) twips at 0.8 of its size in 0.01 mm.
    const QPixmap pix = picCalcCShift->pixmap();
    if (!pix.isNull()) {
        const double himW = pix.width() * 2540.0 / 96.0, himH = pix.height() * 2540.0 / 96.0;
        const int lines = static_cast<int>(std::nearbyint(himH / 300.0));
        for (int i = 0; i < lines; ++i)
            out.print();
        out.painter()->drawPixmap(QRectF(1000, 1000, 0.8 * himW, 0.8 * himH), pix, QRectF(pix.rect()));
    }
    auto line = [](const char* place, int sub) {
        const auto list = nmr::SubstituentList::Carbon;
        return QStringLiteral("Substituent %1 = ").arg(QLatin1String(place)) + nmr::substituentCaption(sub, list)
             + QStringLiteral(" (") + nmr::substituentToolTip(sub, list) + QStringLiteral(")");
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
    for (const QString& l : nmr::cShiftPrintedExplanation(StageKey))
        out.print(l);
    for (int i = 0; i < 5; ++i)
        out.print();
    if (!out.finish())
        return;
    showPrintCompleted(txtCalcMessage, 4322, 4395, noticeTimer_);
}

void frmCalcCShift::cmdCShiftOk_Click() { forms::unload(this); }

} // namespace orv
