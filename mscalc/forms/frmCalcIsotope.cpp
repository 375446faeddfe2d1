#include "mscalc/forms/frmCalcIsotope.h"

#include "core/modorvan.h"
#include "mscalc/forms/isotopeprint.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/forms/printnotice.h"
#include "platform/msgbox.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orv {

using namespace mscalc;

namespace {
constexpr int kWidth = 7500;
constexpr int kChartLeft = 120;
constexpr int kChartLeftWithHelp = 200;
} // namespace

frmCalcIsotope::frmCalcIsotope()
{
    setWindowTitle(QStringLiteral("Orvanto isotope calculator"));
    placeCalculator(this, kWidth);

    picCalcIsotope = new IsotopeChart(this);
    placeControl(picCalcIsotope, kChartLeft, 100, 1775, 4800);
    txtIsotope = new QPlainTextEdit(this);
    txtIsotope->setReadOnly(true);
    placeControl(txtIsotope, 2050, 100, 3835, 4800);
    frmAtoms = new QFrame(this);
    frmAtoms->setFrameShape(QFrame::Box);
    frmAtoms->setFrameShadow(QFrame::Sunken);
    placeControl(frmAtoms, 6050, 20, 1220, 3015);

    struct Row {
        const char* symbol;
        int labelTop, boxTop, spinTop, max;
        const char* tipMax;
        QLineEdit** box;
        UpDown** upd;
        int start;
    };
    const Row rows[] = {
        {"C", 285, 240, 240, 15, "15", &txtC, &updC, 1},
        {"H", 690, 615, 645, 32, "32", &txtH, &updH, 0},
        {"N", 1050, 990, 990, 4, "4", &txtN, &updN, 0},
        {"O", 1410, 1365, 1365, 4, "4", &txtO, &updO, 0},
        {"Br", 1890, 1845, 1845, 3, "3", &txtBr, &updBr, 0},
        {"Cl", 2250, 2205, 2205, 3, "3", &txtCl, &updCl, 0},
        // Iodine stops at 2 although its tool tip offers 3.
        {"I", 2610, 2565, 2565, 2, "3", &txtI, &updI, 0},
    };
    for (const Row& r : rows) {
        const QString symbol = QString::fromLatin1(r.symbol);
        auto* l = new QLabel(symbol, frmAtoms);
        l->setObjectName(QStringLiteral("lbl") + symbol);
        placeControl(l, 240, r.labelTop, 300, 195);
        *r.box = countBox(frmAtoms, 480, r.boxTop);
        (*r.box)->setObjectName(QStringLiteral("txt") + symbol);
        auto* upd = new UpDown(frmAtoms);
        upd->setObjectName(QStringLiteral("upd") + symbol);
        placeControl(upd, 780, r.spinTop, 240, 285);
        upd->setBuddy(*r.box);
        upd->setToolTip(
            QStringLiteral("Click here to change number of %1 atoms (max %2)").arg(symbol, QLatin1String(r.tipMax)));
        connect(upd, &UpDown::Change, this, &frmCalcIsotope::GetReady);
        *r.upd = upd;
    }

    cmdIsotopeCalc = calcButton(this, QStringLiteral("C&alculate"),
                                QStringLiteral("Click here to perform calculations"), 6070, 3720);
    cmdIsotopeHelp = calcButton(this, QStringLiteral("&Help"), QStringLiteral("Click here to get help"), 120, 5040);
    cmdIsotopePrint = calcButton(this, QStringLiteral("&Print"), QStringLiteral("Click here to print above text"), 3150,
                                 5050);
    cmdIsotopeOk = calcButton(this, QStringLiteral("&Continue"), QStringLiteral("Click here to proceed"), 6120, 5040);
    txtCalcMessage = new QLineEdit(this);

    LastAction.clear();
    ResultsHelpShown = false;
    txtIsotope->hide();
    txtIsotope->clear();
    txtCalcMessage->hide();
    cmdIsotopePrint->setEnabled(false);
    picCalcIsotope->hide();
    resultFont_ = txtIsotope->font();
    for (const Row& r : rows) {
        (*r.upd)->setMin(0);
        (*r.upd)->setMax(r.max);
        (*r.upd)->setValue(r.start);
    }

    noticeTimer_ = newPrintNoticeTimer(this, txtCalcMessage);
    print_ = std::make_unique<TextPrintout>(TextPrintout::Feedback{
        .notice = txtCalcMessage, .noticeAt = {(kWidth - kPrintNoticeWidth) / 2, 4000}, .noticeTimer = noticeTimer_});
    connect(cmdIsotopeCalc, &QPushButton::clicked, this, &frmCalcIsotope::cmdIsotopeCalc_Click);
    connect(cmdIsotopeHelp, &QPushButton::clicked, this, &frmCalcIsotope::cmdIsotopeHelp_Click);
    connect(cmdIsotopePrint, &QPushButton::clicked, this, &frmCalcIsotope::cmdIsotopePrint_Click);
    connect(cmdIsotopeOk, &QPushButton::clicked, this, &frmCalcIsotope::cmdIsotopeOk_Click);
    setCancelButton(this, cmdIsotopeOk); // Escape continues with Orvanto
}

AtomCounts frmCalcIsotope::counts() const
{
    AtomCounts f;
    f.c = updC->Value(), f.h = updH->Value(), f.n = updN->Value(), f.o = updO->Value();
    f.br = updBr->Value(), f.cl = updCl->Value(), f.i = updI->Value();
    return f;
}

void frmCalcIsotope::setText(const QString& crlfText)
{
    QString t = crlfText;
    txtIsotope->setPlainText(t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmCalcIsotope::GetReady()
{
    txtIsotope->hide();
    picCalcIsotope->hide();
    cmdIsotopePrint->setEnabled(false);
}

void frmCalcIsotope::cmdIsotopeCalc_Click()
{
    const AtomCounts f = counts();
    if (f.empty()) {
        MsgBox(QStringLiteral("No elements selected"), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return;
    }
    IsotopeCalc calc;
    if (!calc.calculate(f)) {
        MsgBox(QStringLiteral("Too many atoms: at most %1 of each element.").arg(kMaxIsotopeAtoms), MsgButtons::OkOnly,
               MsgIcon::Exclamation);
        return;
    }
    LastAction = QStringLiteral("Calculate");
    ResultsHelpShown = false;
    cmdIsotopePrint->setEnabled(true);
    QFont fixed = fixedPitchFont(10);
    txtIsotope->setFont(fixed);
    txtIsotope->setTabStopDistance(8 * QFontMetricsF(fixed).horizontalAdvance(u' '));
    picCalcIsotope->show();
    picCalcIsotope->clearToFrame();
    txtIsotope->show();
    calc_ = calc;
    picCalcIsotope->setMassLabels(calc_.NominalMass);
    setText(calc_.resultText());
    for (const IsotopePeak& p : calc_.peaks())
        if (chartsPeak(p))
            picCalcIsotope->addBar(p.k, p.relAbundance);
}

void frmCalcIsotope::cmdIsotopeHelp_Click()
{
    if (LastAction.isEmpty() && txtIsotope->isVisible()) {
        txtIsotope->hide();
        return;
    }
    if (!LastAction.isEmpty() && ResultsHelpShown && txtIsotope->isVisible()) {
        picCalcIsotope->hide();
        txtIsotope->hide();
        ResultsHelpShown = false;
        return;
    }
    txtIsotope->show();
    cmdIsotopePrint->setEnabled(false);
    txtIsotope->setFont(resultFont_);
    if (LastAction.isEmpty()) {
        setText(isotopeGeneralHelp());
        return;
    }
    picCalcIsotope->show();
    // A missing or unreadable picture leaves the box empty; the text still shows.
    picCalcIsotope->setPicture(LoadPicture(modOrvan.ProgramPath + QStringLiteral("/gifs/ovicaa.gif")));
    placeControl(picCalcIsotope, kChartLeftWithHelp, 100, 1775, 4800);
    setText(isotopeResultsHelp());
    ResultsHelpShown = true;
}

void frmCalcIsotope::cmdIsotopePrint_Click()
{
    const IsotopePrintoutData contents{counts(), txtIsotope->toPlainText(), calc_, printedLine()};
    print_->print(QString::fromLatin1(kIsotopePrintTitle),
                  [&contents](PrintLines& out) { printIsotopes(out, contents); });
    // The shared scratch text ends holding the last line printed.
    modOrvan.TextBuffer = contents.printed;
}

void frmCalcIsotope::cmdIsotopeOk_Click()
{
    txtIsotope->setFont(resultFont_);
    forms::unload(this);
}

} // namespace orv
