// Test-only driver for screenshots: shows one spectrum viewer on the ethyl
// acetate fixture (or on a shipped unknown with --unknown N) and stays open
// for a few seconds, optionally after using a tool:
//   viewer_shots frmPmr|frmIr|frmCmr|frmMs [--unknown N] [--measure X Y] [--nujol] [--correlate X]
//               [--print] [--seconds S]
//   viewer_shots frmPmrExp --expand FROM TO (ppm) [--integrate] [--measure X Y] [--coupling X1 X2 Y]
//   viewer_shots frmCmr [--unknown N] --drag FROM TO (ppm) [--measure X Y] [--print]
//               (the expansion drag; the tools are then used in the carbon expansion window)
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "platform/forms/formregistry.h"
#include "spectra/forms/registerspectra.h"
#include "spectra/forms/spectrumviewer.h"
#include "tests/spectra/ethylacetate.h"

#include <QApplication>
#include <QAction>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    orv::registerSpectraForms();
    const QStringList args = app.arguments();
    const QString name = args.value(1, QStringLiteral("frmPmr"));
    orv::ModOrvan& m = orv::modOrvan;
    m.CorrelationsAllowed = m.ItemHelpAllowed = orv::kTrue;
    m.HShiftCalcAllowed = m.CouplingCalcAllowed = m.CShiftCalcAllowed = orv::kTrue;
    m.FormulaCalcAllowed = m.MassCalcAllowed = m.IsotopeCalcAllowed = orv::kTrue;
    fixture::loadEthylAcetate();
    if (const qsizetype at = args.indexOf(QStringLiteral("--unknown")); at > 0) {
        orv::InitProgram();
        m.CurrentUnknown = args.value(at + 1).toInt();
        orv::ReadUnknownFile();
    }
    if (args.contains(QStringLiteral("--nujol")))
        m.UnkItemTitle[6] += QStringLiteral(" Nujol mull");
    if (const qsizetype at = args.indexOf(QStringLiteral("--expand")); at > 0) {
        m.ExpandLeftX = float(8860 - 880 * args.value(at + 1).toDouble());
        m.ExpandRightX = float(8860 - 880 * args.value(at + 2).toDouble());
    }
    const int item = name.startsWith(u"frmCmr") ? 5 : name == u"frmIr" ? 6 : name == u"frmMs" ? 7 : 8;
    m.CurrentItem = item;
    auto* w = qobject_cast<orv::spectra::SpectrumViewer*>(orv::forms::load(name));
    if (!w)
        return 1;
    w->move(20, 20);
    w->show();
    const auto useTools = [&args](orv::spectra::SpectrumViewer* w) {
        if (args.contains(QStringLiteral("--nujol")))
            w->toolsItemClick(2);
        if (args.contains(QStringLiteral("--integrate")))
            w->buttonClick(QStringLiteral("integrate"));
        if (const qsizetype at = args.indexOf(QStringLiteral("--coupling")); at > 0) {
            const float x1 = args.value(at + 1).toFloat(), x2 = args.value(at + 2).toFloat();
            const float y = args.value(at + 3).toFloat();
            w->buttonClick(QStringLiteral("coupling"));
            w->pictureMouseDown(1, 0, x1, y);
            w->pictureMouseMove(1, 0, x2, y);
            w->pictureMouseUp(1, 0, x2, y);
        }
        if (const qsizetype at = args.indexOf(QStringLiteral("--measure")); at > 0) {
            w->buttonClick(QStringLiteral("measure"));
            for (qsizetype i = at + 1; i + 1 < args.size() && !args[i].startsWith(u'-'); i += 2)
                w->pictureMouseDown(1, 0, args[i].toFloat(), args[i + 1].toFloat());
        }
        // A press held down with the correlation tool.
        if (const qsizetype at = args.indexOf(QStringLiteral("--correlate")); at > 0) {
            w->buttonClick(QStringLiteral("correlate"));
            w->pictureMouseDown(1, 0, args.value(at + 1).toFloat(), 2000);
        }
        if (args.contains(QStringLiteral("--print")))
            w->printMenu()->trigger();
    };
    QTimer::singleShot(300, [&] {
        const qsizetype at = args.indexOf(QStringLiteral("--drag"));
        if (at < 0) {
            useTools(w);
            return;
        }
        const auto x = [](double ppm) { return float(8860 - 40 * ppm); };
        QTimer::singleShot(500, [&] {
            if (auto* exp = qobject_cast<orv::spectra::SpectrumViewer*>(orv::forms::find(QStringLiteral("frmCmrExp"))))
                useTools(exp);
        });
        w->buttonClick(QStringLiteral("expand"));
        w->pictureMouseDown(1, 0, x(args.value(at + 1).toDouble()), 2000);
        w->pictureMouseMove(1, 0, x(args.value(at + 2).toDouble()), 2000);
        w->pictureMouseUp(1, 0, x(args.value(at + 2).toDouble()), 2000);
    });
    const qsizetype s = args.indexOf(QStringLiteral("--seconds"));
    QTimer::singleShot(int(1000 * (s > 0 ? args.value(s + 1).toDouble() : 4.0)), &app, &QApplication::quit);
    return app.exec();
}
