// Test-only driver for screenshots: shows one mass-spectrometry calculator
// for a few seconds, optionally after a calculation or a help press:
//   calc_shots frmCalcFormula|frmCalcMass|frmCalcIsotope [--calc] [--help] [--print] [--seconds S]
// The formula window takes --mass M; the others take counts as C6H6Cl2 style
// pairs after --formula (C H N O Br Cl I).
#include "core/modorvan.h"
#include "mscalc/forms/frmCalcFormula.h"
#include "mscalc/forms/frmCalcIsotope.h"
#include "mscalc/forms/frmCalcMass.h"
#include "mscalc/forms/registermscalc.h"
#include "platform/forms/formregistry.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

void setCounts(const QString& formula, const std::map<QString, orv::mscalc::UpDown*>& spins)
{
    static const QRegularExpression re(QStringLiteral("(Br|Cl|C|H|N|O|I)(\\d*)"));
    for (auto it = re.globalMatch(formula); it.hasNext();) {
        const auto m = it.next();
        if (auto s = spins.find(m.captured(1)); s != spins.end())
            s->second->setValue(m.captured(2).isEmpty() ? 1 : m.captured(2).toInt());
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    orv::registerMscalcForms();
    const QStringList args = app.arguments();
    const QString name = args.value(1, QStringLiteral("frmCalcFormula"));
    orv::modOrvan.ProgramPath = qEnvironmentVariable("ORV_PROGRAM_DIR");
    QWidget* w = orv::forms::load(name);
    if (!w)
        return 1;
    w->move(20, 20);
    w->show();
    const QString formula = args.value(args.indexOf(QStringLiteral("--formula")) + 1);
    const bool calc = args.contains(QStringLiteral("--calc"));
    const bool help = args.contains(QStringLiteral("--help"));
    const bool print = args.contains(QStringLiteral("--print"));   // into ORVANTO_PRINT_PDF
    QTimer::singleShot(200, [&] {
        if (auto* f = qobject_cast<orv::frmCalcFormula*>(w)) {
            f->txtMass->setText(args.value(args.indexOf(QStringLiteral("--mass")) + 1));
            if (args.contains(QStringLiteral("--nitrogen")))
                f->upd(orv::mscalc::Limit::N, true)->setValue(2);
            if (calc)
                f->cmdCalcCalc->click();
            if (help)
                f->cmdCalcHelp->click();
            if (print)
                f->cmdCalcPrint->click();
        } else if (auto* m = qobject_cast<orv::frmCalcMass*>(w)) {
            setCounts(formula, {{"C", m->updC}, {"H", m->updH}, {"N", m->updN}, {"O", m->updO},
                                {"Br", m->updBr}, {"Cl", m->updCl}, {"I", m->updI}});
            if (calc)
                m->cmdMCalcCalc->click();
            if (help)
                m->cmdMCalcHelp->click();
            if (print)
                m->cmdMCalcPrint->click();
        } else if (auto* i = qobject_cast<orv::frmCalcIsotope*>(w)) {
            setCounts(formula, {{"C", i->updC}, {"H", i->updH}, {"N", i->updN}, {"O", i->updO},
                                {"Br", i->updBr}, {"Cl", i->updCl}, {"I", i->updI}});
            if (calc)
                i->cmdIsotopeCalc->click();
            if (help)
                i->cmdIsotopeHelp->click();
            if (print)
                i->cmdIsotopePrint->click();
        }
    });
    const qsizetype s = args.indexOf(QStringLiteral("--seconds"));
    QTimer::singleShot(int(1000 * (s > 0 ? args.value(s + 1).toDouble() : 3.0)), &app, &QApplication::quit);
    return app.exec();
}
