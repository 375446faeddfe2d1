#include "mscalc/forms/frmCalcMass.h"

#include "platform/basic.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printnotice.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orv {

using namespace mscalc;

namespace {
constexpr int kWidth = 7500;

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width = 300, int height = 195)
{
    auto* l = new QLabel(text, parent);
    placeControl(l, left, top, width, height);
    return l;
}

QLineEdit* resultBox(QWidget* parent, int left, int top, int width)
{
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    placeControl(box, left, top, width, 285);
    return box;
}
} // namespace

frmCalcMass::frmCalcMass()
{
    setWindowTitle(QStringLiteral("Orvanto mass calculator"));
    placeCalculator(this, kWidth);

    frmAtoms = new QGroupBox(QStringLiteral("Atoms present"), this);
    placeControl(frmAtoms, 98, 150, 7215, 900);
    struct Row {
        const char* symbol;
        int max;
        QLineEdit** box;
        UpDown** upd;
        int labelLeft, boxLeft, spinLeft;
    };
    const Row rows[] = {
        {"C", 15, &txtC, &updC, 240, 375, 735},      {"H", 32, &txtH, &updH, 1245, 1440, 1740},
        {"Br", 3, &txtBr, &updBr, 2235, 2445, 2745}, {"Cl", 3, &txtCl, &updCl, 3240, 3435, 3735},
        {"I", 3, &txtI, &updI, 4245, 4440, 4740},    {"N", 4, &txtN, &updN, 5235, 5445, 5745},
        {"O", 4, &txtO, &updO, 6240, 6435, 6735},
    };
    for (const Row& r : rows) {
        const QString symbol = QString::fromLatin1(r.symbol);
        auto* l = label(frmAtoms, symbol, r.labelLeft, 405);
        l->setObjectName(QStringLiteral("lbl") + symbol);
        *r.box = countBox(frmAtoms, r.boxLeft, 360);
        (*r.box)->setObjectName(QStringLiteral("txt") + symbol);
        auto* upd = new UpDown(frmAtoms);
        upd->setObjectName(QStringLiteral("upd") + symbol);
        placeControl(upd, r.spinLeft, 360, 240, 285);
        upd->setMin(0);
        upd->setMax(r.max);
        upd->setBuddy(*r.box);
        upd->setToolTip(QStringLiteral("Click here to choose number of %1 atoms (max %2)").arg(symbol).arg(r.max));
        connect(upd, &UpDown::Change, this, &frmCalcMass::GetReady);
        *r.upd = upd;
    }

    frmCalc = new QGroupBox(QStringLiteral("Masses"), this);
    placeControl(frmCalc, 98, 1220, 7215, 1695);
    // The labels end just before their boxes, right-aligned and wrapped.
    const auto massLabel = [this](const QString& text, int left, int top, int width) {
        auto* l = label(frmCalc, text, left, top, width, 420);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    massLabel(QStringLiteral("Integer mass"), 150, 330, 630);
    txtIMCalc = resultBox(frmCalc, 840, 400, 600);
    massLabel(QStringLiteral("High resolution mass"), 1700, 290, 1290);
    txtHMCalc = resultBox(frmCalc, 3050, 360, 1095);
    massLabel(QStringLiteral("Molar mass"), 5300, 330, 780);
    txtMMCalc = resultBox(frmCalc, 6140, 400, 800);
    cmdMCalcCalc = calcButton(frmCalc, QStringLiteral("C&alculate"),
                              QStringLiteral("Click here to perform calculations"), 3050, 950);

    txtMassHelp = new QPlainTextEdit(this);
    txtMassHelp->setReadOnly(true);
    placeControl(txtMassHelp, 98, 3140, 7215, 1700);
    cmdMCalcHelp = calcButton(this, QStringLiteral("&Help"), QStringLiteral("Click here to get help"), 120, 5040);
    cmdMCalcPrint = calcButton(this, QStringLiteral("&Print"), QStringLiteral("Click here to print result"), 3158,
                               5040);
    cmdCMassOk = calcButton(this, QStringLiteral("&Continue"), QStringLiteral("Click here to continue with Orvanto"),
                            6240, 5040);
    txtCalcMessage = new QLineEdit(this);

    cmdMCalcCalc->setEnabled(false);
    cmdMCalcPrint->setEnabled(false);
    txtCalcMessage->hide();
    txtMassHelp->hide();
    noticeTimer_ = newPrintNoticeTimer(this, txtCalcMessage);
    print_ = std::make_unique<TextPrintout>(TextPrintout::Feedback{
        .notice = txtCalcMessage, .noticeAt = {(kWidth - kPrintNoticeWidth) / 2, 3800}, .noticeTimer = noticeTimer_});
    connect(cmdMCalcCalc, &QPushButton::clicked, this, &frmCalcMass::cmdMCalcCalc_Click);
    connect(cmdMCalcHelp, &QPushButton::clicked, this, &frmCalcMass::cmdMCalcHelp_Click);
    connect(cmdMCalcPrint, &QPushButton::clicked, this, &frmCalcMass::cmdMCalcPrint_Click);
    connect(cmdCMassOk, &QPushButton::clicked, this, &frmCalcMass::cmdCMassOk_Click);
    setCancelButton(this, cmdCMassOk); // Escape continues with Orvanto
}

AtomCounts frmCalcMass::boxCounts() const
{
    AtomCounts f;
    f.c = CInt(Val(txtC->text())), f.h = CInt(Val(txtH->text())), f.n = CInt(Val(txtN->text()));
    f.o = CInt(Val(txtO->text())), f.br = CInt(Val(txtBr->text())), f.cl = CInt(Val(txtCl->text()));
    f.i = CInt(Val(txtI->text()));
    return f;
}

AtomCounts frmCalcMass::spinCounts() const
{
    AtomCounts f;
    f.c = updC->Value(), f.h = updH->Value(), f.n = updN->Value(), f.o = updO->Value();
    f.br = updBr->Value(), f.cl = updCl->Value(), f.i = updI->Value();
    return f;
}

void frmCalcMass::GetReady()
{
    cmdMCalcCalc->setEnabled(!boxCounts().empty());
    txtIMCalc->clear();
    txtHMCalc->clear();
    txtMMCalc->clear();
    cmdMCalcPrint->setEnabled(false);
}

void frmCalcMass::cmdMCalcCalc_Click()
{
    const AtomCounts f = boxCounts();
    if (f.empty())
        return;
    IntegerMass = integerMass(f);
    HighResMass = highResMass(f);
    MolarMass = molarMass(f);
    txtIMCalc->setText(QString::number(IntegerMass));
    txtHMCalc->setText(formatHighRes(HighResMass));
    txtMMCalc->setText(formatGeneral(MolarMass));
    cmdMCalcPrint->setEnabled(true);
    cmdCMassOk->setFocus();
}

void frmCalcMass::cmdMCalcHelp_Click()
{
    if (txtMassHelp->isVisible()) {
        txtMassHelp->hide();
        return;
    }
    txtMassHelp->show();
    MassHelpText = massHelpParagraphs();
    txtMassHelp->setPlainText(QString(massHelpLead() + QStringLiteral("\r\n\r\n") + MassHelpText)
                                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmCalcMass::cmdMCalcPrint_Click()
{
    print_->print(QStringLiteral("Orvanto mass calculator"), [this](PrintLines& out) {
        out.setFont(QStringLiteral("Arial"), 12);
        out.print();
        out.setBold(true);
        out.print(QStringLiteral("Orvanto mass calculator"));
        out.setBold(false);
        out.print();
        out.print(formulaPrintLine(spinCounts()));
        out.print();
        out.print(QStringLiteral("Integer mass = ") + QString::number(IntegerMass));
        out.print(QStringLiteral("High resolution mass = ") + formatHighRes(HighResMass));
        out.print(QStringLiteral("Molar mass = ") + formatGeneral(MolarMass));
        out.print();
        out.print();
        if (txtMassHelp->isVisible()) {
            for (const QString& paragraph : MassHelpText.split(QStringLiteral("\r\n")))
                out.printWrapped(paragraph);
            out.print();
            out.print();
        }
        out.print(printedLine());
    });
}

void frmCalcMass::cmdCMassOk_Click() { forms::unload(this); }

} // namespace orv
