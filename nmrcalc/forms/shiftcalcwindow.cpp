#include "nmrcalc/forms/shiftcalcwindow.h"

#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "nmrcalc/forms/calcprint.h"
#include "nmrcalc/substituents.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/forms/printnotice.h"
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

ShiftCalcWindow::ShiftCalcWindow(const ShiftWindowLook& look, QWidget* parent) : QWidget(parent), look_(look)
{
    setWindowTitle(QString::fromLatin1(look.caption));
    applyFormLook(this);
    placeOnMainWindow(this, 400, look.width, 6000);

    frmShiftCalc = new QGroupBox(QString::fromLatin1(look.typeFrameCaption), this);
    placeControl(frmShiftCalc, 100, 100, 1335, 1900);
    const char* types[] = {"alkyl", "alkenyl", "aryl"};
    for (int i = 0; i < 3; ++i) {
        optType[i] = new QRadioButton(QString::fromLatin1(types[i]), frmShiftCalc);
        optType[i]->setToolTip(QString::fromLatin1(look.typeTips[i]));
        placeControl(optType[i], 120, 240 + 340 * i, 1100, 255);
        optType[i]->installEventFilter(this);
        connect(optType[i], &QRadioButton::clicked, this, [this, i] { optType_Click(i); });
    }
    cmdShiftType = new QPushButton(QStringLiteral("&Select"), frmShiftCalc);
    placeControl(cmdShiftType, 120, 1300, 1095, 495);
    connect(cmdShiftType, &QPushButton::clicked, this, &ShiftCalcWindow::cmdShiftType_Click);

    frmSubType = new QGroupBox(QStringLiteral("subtype"), this);
    placeControl(frmSubType, 100, 2160, look.subTypeFrameWidth, 3375);
    for (int i = 0; i < kMaxSubtypes; ++i) {
        optSubType[i] = new QRadioButton(frmSubType);
        if (i < 7)
            placeControl(optSubType[i], 120, 240 + 340 * i, 2350, 255);
        else
            placeControl(optSubType[i], 1700, 240 + 340 * (i - 7), 1400, 255);
        optSubType[i]->installEventFilter(this);
        connect(optSubType[i], &QRadioButton::clicked, this, [this, i] { optSubType_Click(i); });
    }
    // Both Select buttons are on show together: each needs its own access key.
    cmdSubType = new QPushButton(QStringLiteral("S&elect"), frmSubType);
    placeControl(cmdSubType, look.subSelectLeft, 2760, 1095, 495);
    connect(cmdSubType, &QPushButton::clicked, this, &ShiftCalcWindow::cmdSubType_Click);

    frmGroups = new QGroupBox(this);
    placeControl(frmGroups, look.groupsLeft, 120, 4575, 3975);
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
    placeControl(cmdXSelect, look.xSelectLeft, 3360, 1095, 495);
    placeControl(cmdYSelect, 1740, 3360, 1095, 495);
    placeControl(cmdZSelect, 3380, 3360, 1095, 495);
    connect(cmdXSelect, &QPushButton::clicked, this, &ShiftCalcWindow::cmdXSelect_Click);
    connect(cmdYSelect, &QPushButton::clicked, this, &ShiftCalcWindow::cmdYSelect_Click);
    connect(cmdZSelect, &QPushButton::clicked, this, &ShiftCalcWindow::cmdZSelect_Click);

    picCalcShift = new QLabel(this);
    placeControl(picCalcShift, 1560, 210, 1000, 1000);

    frmCalculate = new QGroupBox(QStringLiteral("calculation"), this);
    lblX = new QLabel(QStringLiteral("X is"), frmCalculate);
    lblY = new QLabel(QStringLiteral("Y is"), frmCalculate);
    lblZ = new QLabel(QStringLiteral("Z is"), frmCalculate);
    txtX = new QLineEdit(frmCalculate);
    txtY = new QLineEdit(frmCalculate);
    txtZ = new QLineEdit(frmCalculate);
    for (QLineEdit* t : {txtX, txtY, txtZ}) {
        t->setReadOnly(true);
        connect(t, &QLineEdit::textChanged, this, &ShiftCalcWindow::txtXYZ_Change);
    }
    cmdShiftCalc = new QPushButton(QStringLiteral("C&alculate"), frmCalculate);
    connect(cmdShiftCalc, &QPushButton::clicked, this, &ShiftCalcWindow::cmdShiftCalc_Click);
    txtResult = new QPlainTextEdit(frmCalculate);
    txtResult->setReadOnly(true);
    // Tab stops every eight average characters, as in a standard text box.
    txtResult->setTabStopDistance(8 * QFontMetricsF(txtResult->font()).averageCharWidth());

    txtShiftHelp = new QPlainTextEdit(this);
    txtShiftHelp->setReadOnly(true);
    txtShiftHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeControl(txtShiftHelp, look.groupsLeft, 4200, 4575, 720);

    cmdShiftHelp = new QPushButton(QStringLiteral("&Help"), this);
    cmdShiftPrint = new QPushButton(QStringLiteral("&Print"), this);
    cmdShiftOk = new QPushButton(QStringLiteral("&Continue"), this);
    placeControl(cmdShiftHelp, look.bottomLefts[0], 5040, 1095, 495);
    placeControl(cmdShiftPrint, look.bottomLefts[1], 5040, 1095, 495);
    placeControl(cmdShiftOk, look.bottomLefts[2], 5040, 1095, 495);
    connect(cmdShiftHelp, &QPushButton::clicked, this, &ShiftCalcWindow::cmdShiftHelp_Click);
    connect(cmdShiftPrint, &QPushButton::clicked, this, &ShiftCalcWindow::cmdShiftPrint_Click);
    connect(cmdShiftOk, &QPushButton::clicked, this, &ShiftCalcWindow::cmdShiftOk_Click);
    setCancelButton(this, cmdShiftOk); // Escape continues with Orvanto

    txtCalcMessage = new QLineEdit(this);
    noticeTimer_ = newPrintNoticeTimer(this, txtCalcMessage);
    print_ = std::make_unique<TextPrintout>(
        TextPrintout::Feedback{.notice = txtCalcMessage, .noticeAt = {4322, 4395}, .noticeTimer = noticeTimer_});
}

void ShiftCalcWindow::startUp()
{
    StageKey = QString::fromLatin1(look_.firstStage);
    cmdShiftType->setEnabled(false);
    cmdShiftPrint->setEnabled(false);
    frmSubType->hide();
    frmGroups->hide();
    frmCalculate->hide();
    picCalcShift->hide();
    txtShiftHelp->clear();
    txtShiftHelp->hide();
    txtCalcMessage->hide();
    cmdShiftOk->setToolTip(QStringLiteral("Click here to continue with Orvanto"));
    cmdShiftHelp->setToolTip(QStringLiteral("Click here to get help"));
    cmdShiftPrint->setToolTip(QStringLiteral("Click here to print results"));
    cmdShiftType->setToolTip(QStringLiteral("Click here to select type of compound"));
    cmdSubType->setToolTip(QStringLiteral("Click here to select type of compound"));
    cmdXSelect->setToolTip(QStringLiteral("Click here to select X substituent"));
    cmdYSelect->setToolTip(QStringLiteral("Click here to select Y substituent"));
    cmdZSelect->setToolTip(QStringLiteral("Click here to select Z substituent"));
    cmdShiftCalc->setToolTip(QStringLiteral("Click here to calculate chemical shifts"));
}

bool ShiftCalcWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < 3; ++i)
            if (watched == optType[i]) {
                optType[i]->setChecked(true);
                optType_DblClick(i);
                return true;
            }
        for (int i = 0; i < kMaxSubtypes; ++i)
            if (watched == optSubType[i]) {
                optSubType[i]->setChecked(true);
                optSubType_DblClick(i);
                return true;
            }
        for (int i = 0; i < nmr::kSubstituentCount; ++i)
            if (watched == optSub[i] && optSub[i]->isEnabled()) {
                optSub[i]->setChecked(true);
                optSub_Click(i);
                optSub_DblClick(i);
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

void ShiftCalcWindow::optType_Click(int) { cmdShiftType->setEnabled(true); }

void ShiftCalcWindow::optType_DblClick(int index)
{
    optType_Click(index);
    cmdShiftType->click();
}

void ShiftCalcWindow::cmdShiftType_Click()
{
    cmdSubType->setEnabled(false);
    cmdXSelect->hide();
    cmdYSelect->hide();
    cmdZSelect->hide();
    frmGroups->hide();
    frmCalculate->hide();
    picCalcShift->hide();
    SubtypeTitles();
    txtShiftHelp->hide();
    txtShiftHelp->clear();
}

void ShiftCalcWindow::SubtypeTitles()
{
    placeControl(frmSubType, 100, 2160, look_.subTypeFrameWidth, 3375);
    frmSubType->show();
    clearOptions(optSubType);
    if (optType[0]->isChecked()) {
        const QStringList names = alkylSubtypes();
        for (int i = 0; i < kMaxSubtypes; ++i) {
            optSubType[i]->setVisible(i < names.size());
            if (i < names.size())
                optSubType[i]->setText(names[i]);
        }
        StageKey = QStringLiteral("subtypealkyl");
    } else if (optType[1]->isChecked()) {
        frmSubType->hide();
        DoAlkenes();
    } else {
        const char* names[] = {"monosubstituted benzene",      "1,2-disubstituted benzene",
                               "1,3-disubstituted benzene",    "1,4-disubstituted benzene",
                               "1,2,3-trisubstituted benzene", "1,2,4-trisubstituted benzene",
                               "1,3,5-trisubstituted benzene"};
        for (int i = 0; i < kMaxSubtypes; ++i) {
            optSubType[i]->setVisible(i < 7);
            if (i < 7)
                optSubType[i]->setText(QString::fromLatin1(names[i]));
        }
        StageKey = QStringLiteral("subtypearyl");
    }
}

void ShiftCalcWindow::optSubType_Click(int)
{
    cmdShiftType->setEnabled(true);
    cmdSubType->setEnabled(true);
    cmdXSelect->hide();
    cmdYSelect->hide();
    cmdZSelect->hide();
}

void ShiftCalcWindow::optSubType_DblClick(int index)
{
    optSubType_Click(index);
    cmdSubType->click();
}

void ShiftCalcWindow::cmdSubType_Click()
{
    frmGroups->show();
    if (optType[0]->isChecked())
        DoAlkanes();
    else if (optType[2]->isChecked())
        DoArenes();
    frmSubType->hide();
    txtShiftHelp->hide();
    txtShiftHelp->clear();
    cmdShiftType->setFocus();
    clearOptions(optSub);
}

void ShiftCalcWindow::setStage(const QString& key)
{
    const nmr::ShiftStage* stage = this->stage(key);
    if (!stage)
        return;
    StageKey = key;
    frmGroups->setTitle(QString::fromLatin1(stage->groupsCaption));
    // A diagram that cannot be read leaves the box empty; the page still works.
    const QPixmap pix = LoadPicture(modOrvan.ProgramPath + QStringLiteral("/gifs/") + QLatin1String(stage->picture));
    picCalcShift->setPixmap(pix);
    const int w = pix.isNull() ? 0 : static_cast<int>(twips(pix.width()));
    const int h = pix.isNull() ? 0 : static_cast<int>(twips(pix.height()));
    placeControl(picCalcShift, look_.pictureCentre - w / 2, 210, w, h);
    picCalcShift->show();
    for (int i : stage->disabled)
        optSub[i]->setEnabled(false);
    QPushButton* selects[] = {cmdXSelect, cmdYSelect, cmdZSelect};
    for (int i = 0; i < 3; ++i) {
        selects[i]->setVisible(i < stage->places);
        selects[i]->setEnabled(false);
    }
}

namespace {
// The first chosen button of a group, or 0.
template <std::size_t N> int chosen(QRadioButton* (&buttons)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    return 0;
}
} // namespace

void ShiftCalcWindow::DoAlkanes()
{
    const int subtype = chosen(optSubType);
    SubstituentTitles();
    setStage(QString::fromLatin1(alkylStage(subtype).key));
}

void ShiftCalcWindow::DoArenes()
{
    const int subtype = chosen(optSubType);
    SubstituentTitles();
    setStage(QString::fromLatin1(benzeneStage(subtype).key));
}

void ShiftCalcWindow::DoAlkenes()
{
    SubstituentTitles();
    setStage(QStringLiteral("alkene"));
}

void ShiftCalcWindow::SubstituentTitles()
{
    txtX->clear();
    txtY->clear();
    txtZ->clear();
    frmGroups->show();
    for (int i = 0; i < nmr::kSubstituentCount; ++i) {
        optSub[i]->setText(nmr::substituentCaption(i, look_.list));
        optSub[i]->setToolTip(nmr::substituentToolTip(i, look_.list));
        optSub[i]->setEnabled(true);
    }
    clearOptions(optSub);
}

int ShiftCalcWindow::placesInUse() const
{
    const nmr::ShiftStage* s = stage(StageKey);
    return s ? s->places : 0;
}

void ShiftCalcWindow::optSub_Click(int)
{
    const int places = placesInUse();
    cmdXSelect->setEnabled(places >= 1);
    cmdYSelect->setEnabled(places >= 2);
    cmdZSelect->setEnabled(places >= 3);
}

void ShiftCalcWindow::CalculationTitles()
{
    placeControl(frmCalculate, 100, 2160, look_.calcFrameWidth, 3370);
    const int labelWidth = look_.boxLeft - look_.labelLeft - 10;
    placeControl(lblX, look_.labelLeft, 330, labelWidth, 255);
    placeControl(txtX, look_.boxLeft, 300, 900, 285);
    placeControl(lblY, look_.labelLeft, 730, labelWidth, 255);
    placeControl(txtY, look_.boxLeft, 700, 900, 285);
    placeControl(lblZ, look_.labelLeft, 1130, labelWidth, 255);
    placeControl(txtZ, look_.boxLeft, 1100, 900, 285);
    const bool yRow = !cmdYSelect->isHidden();
    const bool zRow = !cmdZSelect->isHidden();
    lblY->setVisible(yRow);
    txtY->setVisible(yRow);
    lblZ->setVisible(zRow);
    txtZ->setVisible(zRow);
    const int height = zRow ? 1100 : (yRow ? 700 : 315);
    placeControl(cmdShiftCalc, look_.calcLeft, 293, look_.calcWidth, height);
    cmdShiftCalc->setEnabled(false);
    placeControl(txtResult, 120, 1550, look_.resultWidth, 1685);
    txtResult->hide();
    frmCalculate->show();
}

void ShiftCalcWindow::selectInto(QLineEdit* box, int& sub)
{
    if (frmCalculate->isHidden())
        CalculationTitles();
    for (int i = 0; i < nmr::kSubstituentCount; ++i)
        if (optSub[i]->isChecked()) {
            box->setText(nmr::substituentCaption(i, look_.list));
            sub = i;
            break;
        }
    hideResult();
}

void ShiftCalcWindow::cmdXSelect_Click() { selectInto(txtX, SubX); }
void ShiftCalcWindow::cmdYSelect_Click() { selectInto(txtY, SubY); }
void ShiftCalcWindow::cmdZSelect_Click() { selectInto(txtZ, SubZ); }

void ShiftCalcWindow::hideResult()
{
    txtResult->hide();
    cmdShiftPrint->setEnabled(false);
}

void ShiftCalcWindow::txtXYZ_Change()
{
    const bool filled = !txtX->text().isEmpty() && (txtY->isHidden() || !txtY->text().isEmpty())
                     && (txtZ->isHidden() || !txtZ->text().isEmpty());
    if (filled)
        cmdShiftCalc->setEnabled(true);
}

void ShiftCalcWindow::cmdShiftCalc_Click()
{
    cmdShiftPrint->setEnabled(true);
    txtResult->clear();
    txtResult->show();
    txtShiftHelp->hide();
    txtShiftHelp->clear();
    txtResult->setPlainText(plain(result(StageKey)));
}

void ShiftCalcWindow::cmdShiftHelp_Click()
{
    if (txtShiftHelp->isVisible()) {
        txtShiftHelp->hide();
        return;
    }
    txtShiftHelp->show();
    const bool resultShown = !frmCalculate->isHidden() && !txtResult->isHidden();
    txtShiftHelp->setPlainText(plain(help(StageKey, resultShown)));
}

QString ShiftCalcWindow::resultText() const { return crlf(txtResult->toPlainText()); }
QString ShiftCalcWindow::helpText() const { return crlf(txtShiftHelp->toPlainText()); }

void ShiftCalcWindow::cmdShiftPrint_Click()
{
    const QString title = QString::fromLatin1(look_.printTitle);
    print_->print(title, [this, &title](PrintLines& out) {
        printCalcHead(out, title);
        printCalcLine(out);
        // Room for the diagram: its height in 0.01 mm over 300, as blank lines;
        // drawn at (1000, 1000) twips at 0.8 of its size in 0.01 mm.
        const QPixmap pix = picCalcShift->pixmap();
        if (!pix.isNull()) {
            const double himW = pix.width() * 2540.0 / 96.0, himH = pix.height() * 2540.0 / 96.0;
            const int lines = static_cast<int>(std::nearbyint(himH / 300.0));
            for (int i = 0; i < lines; ++i)
                printCalcLine(out);
            if (out.ok)
                out.painter()->drawPixmap(QRectF(1000, 1000, 0.8 * himW, 0.8 * himH), pix, QRectF(pix.rect()));
        }
        const nmr::SubstituentList list = look_.list;
        auto line = [list](const char* place, int sub) {
            return QStringLiteral("Substituent %1 = ").arg(QLatin1String(place)) + nmr::substituentCaption(sub, list)
                 + QStringLiteral(" (") + nmr::substituentToolTip(sub, list) + QStringLiteral(")");
        };
        printCalcLine(out, line("X", SubX));
        if (!txtY->isHidden())
            printCalcLine(out, line("Y", SubY));
        if (!txtZ->isHidden())
            printCalcLine(out, line("Z", SubZ));
        printCalcLine(out);
        printCalcLine(out);
        for (const QString& l : txtResult->toPlainText().split(u'\n'))
            printCalcLine(out, l);
        printCalcLine(out);
        printCalcLine(out);
        for (const QString& l : printedExplanation(StageKey))
            printCalcLine(out, l);
        for (int i = 0; i < 5; ++i)
            printCalcLine(out);
        printCalcFoot(out);
    });
}

void ShiftCalcWindow::cmdShiftOk_Click() { forms::unload(this); }

} // namespace orv
