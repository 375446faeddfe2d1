#include "nmrcalc/forms/frmCalcCoupling.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "nmrcalc/forms/calcprint.h"
#include "nmrcalc/forms/diagrampainter.h"
#include "nmrcalc/forms/spincontrol.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printnotice.h"
#include "platform/twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace orv {

using nmr::CouplingSet;
using nmr::DisplayKind;

namespace {

constexpr int kPictureWidth = 5190;
constexpr int kPictureHeight = 3800;

QLabel* makeLabel(const QString& text, QWidget* parent, int l, int t, int w, int h)
{
    auto* lbl = new QLabel(text, parent);
    lbl->setWordWrap(true);
    placeControl(lbl, l, t, w, h);
    return lbl;
}

} // namespace

frmCalcCoupling::frmCalcCoupling(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCalcCoupling"));
    setWindowTitle(QStringLiteral("Orvanto first order proton coupling calculator"));
    applyFormLook(this);
    placeOnMainWindow(this, 400, 9000, 6000);

    picCalcCoupling = new QLabel(this);
    picCalcCoupling->setAutoFillBackground(true);
    setBackColour(picCalcCoupling, 0xFFFFFF);
    placeControl(picCalcCoupling, 100, 120, 5130, 3750);

    frmAtoms = new QFrame(this);
    frmAtoms->setFrameShape(QFrame::Box);
    placeControl(frmAtoms, 5360, 10, 2130, 3870);
    fitTextToLabel(makeLabel(QStringLiteral("Number of protons per set"), frmAtoms, 100, 150, 1900, 300));
    struct Row {
        QLineEdit** box;
        SpinControl** spin;
        const char* caption;
        int labelTop, top;
        const char* name;
    };
    // clang-format off
    const Row rows[] = {
        {&txtA, &updA, "Set A (max 6)", 480, 450, "A"},          {&txtM, &updM, "Set M (max 3)", 950, 907, "M"},
        {&txtX, &updX, "Set X (max 3)", 1410, 1370, "X"},        {&txtAM, &updAM, "Between A and M", 2610, 2565, "AM"},
        {&txtAX, &updAX, "Between A and X", 3060, 3000, "AX"},   {&txtMX, &updMX, "Between M and X", 3510, 3479, "MX"},
    };
    // clang-format on
    for (const Row& r : rows) {
        makeLabel(QString::fromLatin1(r.caption), frmAtoms, 150, r.labelTop, 1350, 300);
        *r.box = new QLineEdit(frmAtoms);
        (*r.box)->setObjectName(QStringLiteral("txt") + QLatin1String(r.name));
        placeControl(*r.box, 1500, r.top, 300, 285);
        *r.spin = new SpinControl(*r.box, frmAtoms);
        (*r.spin)->setObjectName(QStringLiteral("upd") + QLatin1String(r.name));
        placeControl(*r.spin, 1800, r.top, 240, 285);
    }
    fitTextToLabel(makeLabel(QStringLiteral("Coupling constants for each interaction (in Hz, max 20)"), frmAtoms, 50,
                             2080, 2000, 375));

    frmDisplay = new QGroupBox(QStringLiteral("Display"), this);
    placeControl(frmDisplay, 7590, 10, 1250, 2160);
    const char* kinds[] = {"Straight lines", "Lorentz curve", "Stick diagram"};
    for (int i = 0; i < 3; ++i) {
        optDisplay[i] = new QRadioButton(QString::fromLatin1(kinds[i]), frmDisplay);
        // Wider than designed, and in smaller type where needed, so that the
        // captions show whole in this font.
        placeControl(optDisplay[i], 60, 360 + 600 * i, 1160, 375);
        connect(optDisplay[i], &QRadioButton::clicked, this, [this, i] { optDisplay_Click(i); });
    }
    optDisplay[0]->setChecked(true);
    fitCaptionsToButtons({optDisplay[0], optDisplay[1], optDisplay[2]});

    cmdCalcSetA = new QPushButton(QStringLiteral("Calculate Set &A"), this);
    cmdCalcSetM = new QPushButton(QStringLiteral("Calculate Set &M"), this);
    cmdCalcSetX = new QPushButton(QStringLiteral("Calculate Set &X"), this);
    placeControl(cmdCalcSetA, 7590, 2540, 1250, 350);
    placeControl(cmdCalcSetM, 7590, 3000, 1250, 350);
    placeControl(cmdCalcSetX, 7590, 3450, 1250, 350);
    fitCaptionsToButtons({cmdCalcSetA, cmdCalcSetM, cmdCalcSetX});
    cmdCalcSetA->setToolTip(QStringLiteral("Click here to calculate multiplicity of set A protons"));
    cmdCalcSetM->setToolTip(QStringLiteral("Click here to calculate multiplicity of set M protons"));
    cmdCalcSetX->setToolTip(QStringLiteral("Click here to calculate multiplicity of set X protons"));
    connect(cmdCalcSetA, &QPushButton::clicked, this, &frmCalcCoupling::cmdCalcSetA_Click);
    connect(cmdCalcSetM, &QPushButton::clicked, this, &frmCalcCoupling::cmdCalcSetM_Click);
    connect(cmdCalcSetX, &QPushButton::clicked, this, &frmCalcCoupling::cmdCalcSetX_Click);

    txtCalcCoupling = new QPlainTextEdit(this);
    txtCalcCoupling->setReadOnly(true);
    txtCalcCoupling->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeControl(txtCalcCoupling, 1435, 4020, 6040, 900);

    cmdCalcCouplingHelp = new QPushButton(QStringLiteral("&Help"), this);
    cmdCalcCouplingPrint = new QPushButton(QStringLiteral("&Print"), this);
    cmdCalcCouplingOk = new QPushButton(this);
    makeContinueButton(cmdCalcCouplingOk);
    placeControl(cmdCalcCouplingHelp, 100, 5040, 1095, 495);
    placeControl(cmdCalcCouplingPrint, 3908, 5050, 1095, 495);
    placeControl(cmdCalcCouplingOk, 7725, 5040, 1095, 495);
    cmdCalcCouplingHelp->setToolTip(QStringLiteral("Click here to get help"));
    cmdCalcCouplingPrint->setToolTip(QStringLiteral("Click here to print diagram"));
    connect(cmdCalcCouplingHelp, &QPushButton::clicked, this, &frmCalcCoupling::cmdCalcCouplingHelp_Click);
    connect(cmdCalcCouplingPrint, &QPushButton::clicked, this, &frmCalcCoupling::cmdCalcCouplingPrint_Click);
    connect(cmdCalcCouplingOk, &QPushButton::clicked, this, &frmCalcCoupling::cmdCalcCouplingOk_Click);
    setCancelButton(this, cmdCalcCouplingOk); // Escape continues with Orvanto

    txtCalcMessage = new QLineEdit(this);
    txtCalcMessage->setReadOnly(true);
    txtCalcMessage->setAlignment(Qt::AlignCenter);
    placeControl(txtCalcMessage, 7800, 4200, 735, 375);
    noticeTimer_ = newPrintNoticeTimer(this, txtCalcMessage);
    print_ = std::make_unique<TextPrintout>(
        TextPrintout::Feedback{.notice = txtCalcMessage, .noticeAt = {2400, 1800}, .noticeTimer = noticeTimer_});

    // Starting state.
    txtCalcCoupling->hide();
    txtCalcCoupling->clear();
    txtCalcMessage->hide();
    cmdCalcCouplingPrint->setEnabled(false);
    picCalcCoupling->hide();
    updA->setToolTip(QStringLiteral("Click here to change number of protons in set A"));
    updM->setToolTip(QStringLiteral("Click here to change number of protons in set M"));
    updX->setToolTip(QStringLiteral("Click here to change number of protons in set X"));
    cmdCalcSetA->setEnabled(false);
    cmdCalcSetM->setEnabled(false);
    cmdCalcSetX->setEnabled(false);
    updA->setRange(0, 6);
    updM->setRange(0, 3);
    updX->setRange(0, 3);
    for (SpinControl* j : {updAM, updAX, updMX})
        j->setRange(0, 20);
    for (SpinControl* s : {updM, updX, updAM, updAX, updMX})
        s->setControlEnabled(false);

    connect(txtA, &QLineEdit::textChanged, this, &frmCalcCoupling::txtA_Change);
    connect(txtM, &QLineEdit::textChanged, this, &frmCalcCoupling::txtM_Change);
    connect(txtX, &QLineEdit::textChanged, this, &frmCalcCoupling::txtX_Change);
    for (QLineEdit* j : {txtAM, txtAX, txtMX})
        connect(j, &QLineEdit::textChanged, this, &frmCalcCoupling::txtJ_Change);
}

nmr::CouplingInputs frmCalcCoupling::inputs() const
{
    return {updA->Value(), updM->Value(), updX->Value(), updAM->Value(), updAX->Value(), updMX->Value()};
}

DisplayKind frmCalcCoupling::displayKind() const
{
    if (optDisplay[0]->isChecked())
        return DisplayKind::StraightLines;
    if (optDisplay[1]->isChecked())
        return DisplayKind::LorentzCurve;
    return DisplayKind::StickDiagram;
}

QFont frmCalcCoupling::pictureFont() const { return twipsFont(QStringLiteral("Arial"), 8); }

void frmCalcCoupling::hideResultOnChange()
{
    if (!picCalcCoupling->isVisible())
        return;
    picCalcCoupling->hide();
    txtCalcCoupling->hide();
    cmdCalcCouplingHelp->setEnabled(false);
    cmdCalcCouplingPrint->setEnabled(false);
}

void frmCalcCoupling::txtA_Change()
{
    hideResultOnChange();
    if (updA->Value() != 0) {
        updM->setControlEnabled(true);
        cmdCalcSetA->setEnabled(true);
        cmdCalcCouplingHelp->setEnabled(false);
        return;
    }
    updM->setControlEnabled(false);
    updM->setValue(0);
    updX->setControlEnabled(false);
    updX->setValue(0);
    cmdCalcSetA->setEnabled(false);
    picCalcCoupling->hide();
    cmdCalcCouplingPrint->setEnabled(false);
    calc_.CurrentSet = QStringLiteral("Initial");
    cmdCalcCouplingHelp->setEnabled(true);
}

void frmCalcCoupling::txtM_Change()
{
    hideResultOnChange();
    const bool on = updM->Value() != 0;
    updX->setControlEnabled(on);
    updAM->setControlEnabled(on);
    cmdCalcSetM->setEnabled(on);
    if (!on) {
        updX->setValue(0);
        updAM->setValue(0);
    }
}

void frmCalcCoupling::txtX_Change()
{
    hideResultOnChange();
    const bool on = updX->Value() != 0;
    updAX->setControlEnabled(on);
    updMX->setControlEnabled(on);
    cmdCalcSetX->setEnabled(on);
    if (!on) {
        updAX->setValue(0);
        updMX->setValue(0);
    }
}

void frmCalcCoupling::txtJ_Change() { hideResultOnChange(); }

void frmCalcCoupling::cmdCalcSetA_Click() { calculate(CouplingSet::A); }
void frmCalcCoupling::cmdCalcSetM_Click() { calculate(CouplingSet::M); }
void frmCalcCoupling::cmdCalcSetX_Click() { calculate(CouplingSet::X); }

void frmCalcCoupling::calculate(CouplingSet set)
{
    cmdCalcCouplingHelp->setEnabled(true);
    cmdCalcCouplingPrint->setEnabled(true);
    calc_.calculateSet(set, inputs());
    OverseeCoupling();
}

void frmCalcCoupling::OverseeCoupling()
{
    txtCalcCoupling->hide();
    diagram_ = calc_.overseeCoupling(displayKind(), inputs());
    placeControl(picCalcCoupling, 100, 120, kPictureWidth, kPictureHeight);
    QPixmap pix(px(kPictureWidth), px(kPictureHeight));
    pix.fill(Qt::white);
    {
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
        paintDrawOps(&p, diagram_, pictureFont(), kTwipsPerPixel);
    }
    picCalcCoupling->setPixmap(pix);
    picCalcCoupling->show();
}

void frmCalcCoupling::optDisplay_Click(int)
{
    txtCalcCoupling->hide();
    // Only a set that still holds protons is drawn again; an emptied set's
    // diagram was already taken away when it was emptied.
    if (calc_.CurrentSet == QLatin1String("Set A") && cmdCalcSetA->isEnabled())
        cmdCalcSetA->click();
    else if (calc_.CurrentSet == QLatin1String("Set M") && cmdCalcSetM->isEnabled())
        cmdCalcSetM->click();
    else if (calc_.CurrentSet == QLatin1String("Set X") && cmdCalcSetX->isEnabled())
        cmdCalcSetX->click();
}

void frmCalcCoupling::cmdCalcCouplingHelp_Click()
{
    if (txtCalcCoupling->isVisible()) {
        txtCalcCoupling->hide();
        return;
    }
    txtCalcCoupling->show();
    txtCalcCoupling->clear();
    QString text;
    if (calc_.CurrentSet == QLatin1String("Initial")) {
        text = nmr::couplingGeneralHelp();
    } else {
        nmr::CouplingExplainInputs e;
        e.in = inputs();
        e.enabledAM = updAM->isEnabled();
        e.enabledAX = updAX->isEnabled();
        e.enabledMX = updMX->isEnabled();
        e.stickShown = optDisplay[2]->isChecked();
        e.superImpose = calc_.SuperImpose();
        const CouplingSet set = calc_.CurrentSet.endsWith(u'A') ? CouplingSet::A
                              : calc_.CurrentSet.endsWith(u'M') ? CouplingSet::M
                                                                : CouplingSet::X;
        text = nmr::couplingExplanation(set, e);
    }
    txtCalcCoupling->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

QString frmCalcCoupling::explanationText() const
{
    return txtCalcCoupling->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void frmCalcCoupling::cmdCalcCouplingPrint_Click()
{
    print_->print(QStringLiteral("Orvanto first order proton coupling calculator"), [this](PrintLines& out) {
        printCalcHead(out, QStringLiteral("Orvanto first order proton coupling calculator"));
        const nmr::CouplingInputs in = inputs();
        auto protons = [](const char* set, int n) {
            return QStringLiteral("Set %1 contains %2 proton").arg(QLatin1String(set)).arg(n)
                 + (n == 1 ? QString() : QStringLiteral("s"));
        };
        printCalcLine(out, protons("A", in.nA));
        printCalcLine(out, protons("M", in.nM));
        printCalcLine(out, protons("X", in.nX));
        printCalcLine(out, QStringLiteral("Coupling constant for AM = %1 Hz").arg(in.JAM));
        printCalcLine(out, QStringLiteral("Coupling constant for AX = %1 Hz").arg(in.JAX));
        printCalcLine(out, QStringLiteral("Coupling constant for MX = %1 Hz").arg(in.JMX));
        printCalcLine(out);
        const DisplayKind kind = displayKind();
        const QString kindText = kind == DisplayKind::StraightLines ? QStringLiteral("straight line display")
                               : kind == DisplayKind::LorentzCurve  ? QStringLiteral("Lorentz curve")
                                                                    : QStringLiteral("stick diagram");
        printCalcLine(out, calc_.CurrentSet + QStringLiteral(" multiplicity - ") + kindText, 1000, true);
        printCalcLine(out);
        if (!out.ok)
            return;
        const int y0 = static_cast<int>(std::lround(out.y));
        // Pen widths count printer dots: one dot at 600 dots an inch is 2.4 twips.
        paintDrawOps(out.painter(), calc_.printDiagram(kind, y0), out.font(), 2.4);
        out.y = y0 + 6500;
        if (kind == DisplayKind::StickDiagram) {
            printCalcLine(out, {}, 1);
            printCalcLine(out, QStringLiteral("Please note that this stick diagram does not show relative"), 1);
            printCalcLine(out, QStringLiteral("peak heights. Use another method of display to do that."), 1);
        }
        printCalcLine(out, {}, 1);
        if (txtCalcCoupling->isVisible()) {
            for (const QString& line : txtCalcCoupling->toPlainText().split(u'\n'))
                printCalcLine(out, line, 1);
            printCalcLine(out, {}, 1);
        }
        printCalcFoot(out);
    });
}

void frmCalcCoupling::cmdCalcCouplingOk_Click() { forms::unload(this); }

} // namespace orv
