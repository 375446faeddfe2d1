#include "mscalc/forms/frmCalcFormula.h"

#include "core/modorvan.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printnotice.h"
#include "platform/msgbox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace orv {

using namespace mscalc;

namespace {
constexpr int kWidth = 7500;

struct LimitRow {
    const char* symbol; // as the labels and tool tips name it
    const char* what;   // tool tip wording
    int rowTop, labelTop;
    int minStart, maxStart;
};
const LimitRow kRows[kLimitCount] = {
    {"C", "number of C atoms", 435, 480, 1, 15},    {"H", "number of H atoms", 810, 885, 4, 32},
    {"N", "number of N atoms", 1185, 1245, 0, 0},   {"O", "number of O atoms", 1560, 1605, 0, 3},
    {"Br", "number of Br atoms", 2040, 2085, 0, 0}, {"Cl", "number of Cl atoms", 2400, 2445, 0, 0},
    {"I", "number of I atoms", 2760, 2805, 0, 0},   {"IHD", "ihd", 3240, 3200, 0, 16},
};

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width, int height)
{
    auto* l = new QLabel(text, parent);
    placeControl(l, left, top, width, height);
    return l;
}
} // namespace

frmCalcFormula::frmCalcFormula()
{
    setWindowTitle(QStringLiteral("Orvanto formula calculator"));
    placeCalculator(this, kWidth);

    lblMass = label(this, QStringLiteral("Mass"), 2040, 120, 495, 255);
    lblMass->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtMass = new QLineEdit(this);
    placeControl(txtMass, 2550, 120, 405, 285);
    txtMass->setContextMenuPolicy(Qt::NoContextMenu);
    txtMass->installEventFilter(this);
    txtCalc = new QPlainTextEdit(this);
    txtCalc->setReadOnly(true);
    txtCalc->setLineWrapMode(QPlainTextEdit::NoWrap);
    placeControl(txtCalc, 120, 500, 4935, 4440);
    pbCalcText = new QProgressBar(this);
    pbCalcText->setRange(0, 100);
    placeControl(pbCalcText, 120, 2520, 4935, 255);
    txtCalcPrtMessage = new QLineEdit(this);
    placeControl(txtCalcPrtMessage, 3240, 0, 1815, 360);

    label(this, QStringLiteral("Min."), 6000, 120, 375, 255);
    label(this, QStringLiteral("Max."), 6720, 120, 375, 255);
    for (int k = 0; k < kLimitCount; ++k) {
        const LimitRow& r = kRows[k];
        const QString symbol = QString::fromLatin1(r.symbol);
        if (k < 7)
            label(this, symbol, 5760, r.labelTop, 300, 195)->setObjectName(QStringLiteral("lbl") + symbol);
        else
            label(this, QStringLiteral("index of H deficiency"), 5160, r.labelTop, 795, 405)->setWordWrap(true);
        txtMin[k] = countBox(this, 6000, r.rowTop);
        txtMax[k] = countBox(this, 6720, r.rowTop);
        // Designed 15 twips under its spin buttons; it ends where they begin.
        placeControl(txtMax[k], 6720, r.rowTop, 285, 285);
        updMin[k] = new UpDown(this);
        updMax[k] = new UpDown(this);
        placeControl(updMin[k], 6300, r.rowTop, 240, 285);
        placeControl(updMax[k], 7005, r.rowTop, 240, 285);
        txtMin[k]->setObjectName(QStringLiteral("txt%1Min").arg(symbol));
        txtMax[k]->setObjectName(QStringLiteral("txt%1Max").arg(symbol));
        updMin[k]->setObjectName(QStringLiteral("upd%1Min").arg(symbol));
        updMax[k]->setObjectName(QStringLiteral("upd%1Max").arg(symbol));
        updMin[k]->setBuddy(txtMin[k]);
        updMax[k]->setBuddy(txtMax[k]);
        const QString top = QString::number(kLimitTop[k]) + u')';
        updMin[k]->setToolTip(QStringLiteral("Click here to change minimum %1 (0-").arg(QLatin1String(r.what)) + top);
        updMax[k]->setToolTip(QStringLiteral("Click here to change maximum %1 (0-").arg(QLatin1String(r.what)) + top);
        // Once a minimum moves its maximum cannot be spun below it, and the
        // other way round.
        UpDown* lo = updMin[k];
        UpDown* hi = updMax[k];
        connect(lo, &UpDown::Change, this, [this, lo, hi] {
            hi->setMin(lo->Value());
            GetReady();
        });
        connect(hi, &UpDown::Change, this, [this, lo, hi] {
            lo->setMax(hi->Value());
            GetReady();
        });
        if (k == int(Limit::Br) || k == int(Limit::Cl) || k == int(Limit::I))
            connect(lo, &UpDown::Change, this, &frmCalcFormula::SetMaxMassToolTip);
    }

    cmdCalcCalc = calcButton(this, QStringLiteral("C&alculate"), QStringLiteral("Click here to perform calculations"),
                             6070, 3720);
    cmdCalcHelp = calcButton(this, QStringLiteral("&Help"), QStringLiteral("Click here to get help"), 120, 5050);
    cmdCalcPrint = calcButton(this, QStringLiteral("&Print"), QStringLiteral("Click here to print above text"), 3180,
                              5050);
    cmdCalcOk = calcButton(this, QStringLiteral("&Continue"), QStringLiteral("Click here to continue with Orvanto"),
                           6240, 5050);

    resultFont_ = txtCalc->font();
    pbCalcText->hide();
    txtCalcPrtMessage->hide();
    txtCalc->hide();
    txtCalc->clear();
    QWidget* ms = forms::find(forms::names::frmMs);
    if (ms && ms->isVisible())
        txtMass->setText(modOrvan.MsMolecularIon.section(u'/', 0, 0));
    txtMass->setToolTip(maxMassToolTip(250));
    cmdCalcPrint->setEnabled(false);

    // The limits' bounds and start values, in the designed order (minimum,
    // then maximum; lower bound, upper bound, value), so that the couplings
    // leave the table's bounds in force.
    for (int k = 0; k < kLimitCount; ++k) {
        for (UpDown* u : {updMin[k], updMax[k]}) {
            u->setMin(0);
            u->setMax(kLimitTop[k]);
            u->setValue(u == updMin[k] ? kRows[k].minStart : kRows[k].maxStart);
        }
    }

    noticeTimer_ = newPrintNoticeTimer(this, txtCalcPrtMessage);
    print_ = std::make_unique<TextPrintout>(
        TextPrintout::Feedback{.notice = txtCalcPrtMessage, .noticeAt = {3240, 0}, .noticeTimer = noticeTimer_});
    connect(txtMass, &QLineEdit::textChanged, this, &frmCalcFormula::GetReady);
    connect(cmdCalcCalc, &QPushButton::clicked, this, &frmCalcFormula::cmdCalcCalc_Click);
    connect(cmdCalcHelp, &QPushButton::clicked, this, &frmCalcFormula::cmdCalcHelp_Click);
    connect(cmdCalcPrint, &QPushButton::clicked, this, &frmCalcFormula::cmdCalcPrint_Click);
    connect(cmdCalcOk, &QPushButton::clicked, this, &frmCalcFormula::cmdCalcOk_Click);
    setCancelButton(this, cmdCalcOk); // Escape continues with Orvanto
}

FormulaLimits frmCalcFormula::limits() const
{
    FormulaLimits l;
    for (int k = 0; k < kLimitCount; ++k) {
        l.min[k] = updMin[k]->Value();
        l.max[k] = updMax[k]->Value();
    }
    return l;
}

void frmCalcFormula::CheckAndShow()
{
    search_.CheckAndShow();
    setResultText(search_.text);
}

void frmCalcFormula::GetReady()
{
    helpShown_ = false;
    txtCalc->hide();
    cmdCalcPrint->setEnabled(false);
}

void frmCalcFormula::SetMaxMassToolTip() { txtMass->setToolTip(maxMassToolTip(formulaMassLimit(limits()))); }

void frmCalcFormula::setResultText(const QString& crlfText)
{
    QString t = crlfText;
    txtCalc->setPlainText(t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

bool frmCalcFormula::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != txtMass || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        cmdCalcCalc->click();
        return true;
    }
    // Only typed characters other than digits are refused, and pasting,
    // which would bring in any text: Escape, Tab, Shift+Tab and shortcuts go
    // on to the window, and moving the cursor and deleting work as usual.
    if (!typesCharacter(key) && !key->matches(QKeySequence::Paste))
        return false;
    const QString text = key->text();
    if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9')
        return false;
    if (isTrue(modOrvan.SoundOn))
        QApplication::beep();
    return true;
}

void frmCalcFormula::cmdCalcCalc_Click()
{
    const FormulaLimits l = limits();
    const int massLimit = formulaMassLimit(l);
    if (!massAccepted(txtMass->text(), massLimit)) {
        MsgBox(massRangeMessage(massLimit), MsgButtons::OkOnly, MsgIcon::Exclamation);
        txtMass->setFocus();
        return;
    }
    helpShown_ = false;
    txtCalc->show();
    txtCalc->setFont(fixedPitchFont(10));
    txtCalc->setLineWrapMode(QPlainTextEdit::NoWrap);
    cmdCalcPrint->setEnabled(true);
    pbCalcText->setValue(0);
    pbCalcText->show();
    pbCalcText->raise();
    // The bar moves in steps of 4 per cent: each step repaints it at once, and
    // a step per combination would take far longer than the search itself.
    search_.Calculate(txtMass->text(), l, [this](double percent) {
        const int step = int(percent) / 4 * 4;
        if (step > pbCalcText->value())
            pbCalcText->setValue(step);
    });
    pbCalcText->hide();
    setResultText(search_.text);
}

void frmCalcFormula::cmdCalcHelp_Click()
{
    if (helpShown_ && txtCalc->isVisible()) {
        txtCalc->hide();
        helpShown_ = false;
        return;
    }
    helpShown_ = true;
    txtCalc->show();
    txtCalc->setFont(resultFont_);
    cmdCalcPrint->setEnabled(false);
    txtCalc->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setResultText(formulaHelpText());
}

void frmCalcFormula::cmdCalcPrint_Click()
{
    print_->print(QStringLiteral("Orvanto formula calculator results"), [this](PrintLines& out) {
        out.setFont(QStringLiteral("Arial"), 12);
        out.print();
        out.setBold(true);
        out.print(QStringLiteral("Orvanto formula calculator results"));
        out.setBold(false);
        out.print();
        out.print();
        out.print(QStringLiteral("Mass selected = ") + QString::number(search_.TargetMass));
        out.print();
        auto& buffer = modOrvan.TextBuffer;
        buffer = rangesLine(search_.limits);
        out.print(buffer);
        buffer = ihdRangeLine(search_.limits);
        out.print(buffer);
        out.print();
        const QFont body = out.font();
        out.setFont(fixedPitchFont(12));
        out.print(search_.text);
        out.setFont(body);
        out.print();
        buffer = printedLine();
        out.print(buffer);
    });
}

void frmCalcFormula::cmdCalcOk_Click() { forms::unload(this); }

} // namespace orv
