// How long a student waits for each viewer's printout, from the Print key
// to the "Printing completed." notice, beside the same page drawn straight
// onto a bare QPrinter PDF (and, for scale, the trace alone) in the same run.
// The viewer's flow (menu, progress bar, notice) should cost at most as much
// again as the page itself: a ratio to the page above 2 is worth a look.
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "spectra/cmrplot.h"
#include "spectra/forms/cmrexpprint.h"
#include "spectra/forms/cmrprint.h"
#include "spectra/forms/frmCmr.h"
#include "spectra/forms/frmCmrExp.h"
#include "spectra/forms/frmIr.h"
#include "spectra/forms/frmMs.h"
#include "spectra/forms/frmPmr.h"
#include "spectra/forms/frmPmrExp.h"
#include "spectra/forms/irprint.h"
#include "spectra/forms/msprint.h"
#include "spectra/forms/pmrprintout.h"
#include "spectra/forms/printpage.h"
#include "spectra/forms/registerspectra.h"
#include "tests/bench/bench.h"
#include "tests/common/testsupport.h"
#include "tests/spectra/ethylacetate.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QTest>
#include <algorithm>
#include <functional>

using namespace orv;
using namespace orv::spectra;

namespace bench {

namespace {

constexpr int kRuns = 5;

// A landscape PDF page straight on a QPrinter, drawn in twips by `draw`
// (given the page's size in twips).
void barePdf(const QString& file, const std::function<void(QPainter&, QSizeF)>& draw)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter p(&printer);
    const double scale = printer.resolution() / 1440.0;
    p.scale(scale, scale);
    const QRectF r = printer.pageRect(QPrinter::Inch);
    draw(p, QSizeF(r.width() * 1440, r.height() * 1440));
    p.end();
}

// The trace alone: one line per sample across the page, nothing else on it.
void traceOnly(QPainter& p, const QByteArray& samples)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 7.2));
    const double step = 14000.0 / std::max<qsizetype>(1, samples.size());
    QPointF last(500, 9000);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const QPointF next(500 + (i + 1) * step, 9000 - 30.0 * static_cast<unsigned char>(samples.at(i)));
        p.drawLine(last, next);
        last = next;
    }
}

QByteArray protonTrace()
{
    QByteArray all;
    for (int i = 5; i <= 24; ++i)
        all += modOrvan.PmrData[i];
    return all;
}

} // namespace

void printouts()
{
    orvtest::ProgramFolder folder;
    registerSpectraForms();
    fixture::loadEthylAcetate();
    const QString pdf = folder.file(QStringLiteral("viewer.pdf"));
    const QString bare = folder.file(QStringLiteral("bare.pdf"));

    struct Case {
        const char* name;
        int item;
        std::function<SpectrumViewer*()> open;
        std::function<QByteArray(SpectrumViewer*)> trace;
        // The viewer's own page layout with the data it prints, no progress.
        std::function<void(SpectrumViewer*, PrintPage&, QSizeF)> page;
    };
    const auto none = [](double) {};
    const ModOrvan& m = modOrvan;
    const Case cases[] = {
        {"frmPmr", 8, [] { return forms::instance<frmPmr>(); }, [](SpectrumViewer*) { return protonTrace(); },
         [&](SpectrumViewer* w, PrintPage& page, QSizeF size) {
             pmr::printout(page, size, {w->windowTitle(), &m.PmrData, false, false, 0}, none);
         }},
        {"frmPmrExp", 8,
         [] {
             modOrvan.ExpandLeftX = float(8860 - 880 * 2.2);
             modOrvan.ExpandRightX = float(8860 - 880 * 1.0);
             return forms::instance<frmPmrExp>();
         },
         [](SpectrumViewer* w) { return static_cast<frmPmrExp*>(w)->WindowSamples(); },
         [&](SpectrumViewer* w, PrintPage& page, QSizeF size) {
             auto* e = static_cast<frmPmrExp*>(w);
             pmrexp::printout(page, size, {e->window(), e->WindowSamples(), 1, false, 0}, none);
         }},
        {"frmCmr", 5, [] { return forms::instance<frmCmr>(); }, [](SpectrumViewer*) { return QByteArray(500, 20); },
         [&](SpectrumViewer* w, PrintPage& page, QSizeF size) {
             cmr::NoiseSource noise{cmr::noiseSeed(0)};
             cmr::printout(page, size, {w->windowTitle(), m.CmrLabel, m.CmrData, false, 0}, noise, none);
         }},
        {"frmCmrExp", 5,
         [] {
             modOrvan.ExpandLeftX = float(cmr::xAtPpm(40));
             modOrvan.ExpandRightX = float(cmr::xAtPpm(8));
             return forms::instance<frmCmrExp>();
         },
         [](SpectrumViewer*) { return QByteArray(100, 20); },
         [&](SpectrumViewer* w, PrintPage& page, QSizeF size) {
             cmr::NoiseSource noise{cmr::noiseSeed(0)};
             cmrexp::printout(page, size, {w->windowTitle(), static_cast<frmCmrExp*>(w)->window(), m.CmrData, false, 0},
                              noise, none);
         }},
        {"frmIr", 6, [] { return forms::instance<frmIr>(); }, [](SpectrumViewer*) { return modOrvan.IrData; },
         [&](SpectrumViewer* w, PrintPage& page, QSizeF size) {
             ir::printout(page, size, {w->windowTitle(), m.IrLabel, m.IrData, false, 0, false}, none);
         }},
        {"frmMs", 7, [] { return forms::instance<frmMs>(); }, [](SpectrumViewer*) { return modOrvan.MsData; },
         [&](SpectrumViewer* w, PrintPage& page, QSizeF size) {
             ms::printout(page, size, {w->windowTitle(), m.MsMolecularIon, m.MsLabel, m.MsData, false, 0}, none);
         }},
    };
    table(QStringLiteral("Printouts, the Print key to the notice (viewer) beside the same page on a bare PDF (page) "
                         "and the trace alone, the fastest of %1")
              .arg(kRuns));
    for (const Case& c : cases) {
        modOrvan.CurrentItem = c.item;
        SpectrumViewer* w = c.open();
        w->show();
        w->activateWindow();
        QApplication::processEvents();
        qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
        bool printed = true;
        const double viewerMs = fastestMs(kRuns, [&] {
            QTest::keyClick(w, Qt::Key_P, Qt::AltModifier);
            printed = printed && w->printProgress().notice()->isVisible();
        });
        qputenv("ORVANTO_PRINT_PDF", QByteArray());
        if (!printed) {
            cannot(QStringLiteral("%1: the Print key prints nothing").arg(QString::fromUtf8(c.name)));
            forms::unloadAll();
            continue;
        }
        const QByteArray trace = c.trace(w);
        const double traceMs = fastestMs(kRuns,
                                         [&] { barePdf(bare, [&](QPainter& p, QSizeF) { traceOnly(p, trace); }); });
        const double pageMs = fastestMs(kRuns, [&] {
            barePdf(bare, [&](QPainter& p, QSizeF size) {
                PrintPage page(p);
                c.page(w, page, size);
            });
        });
        const QString name = QString::fromUtf8(c.name);
        row(name + QStringLiteral(" viewer"), viewerMs,
            QStringLiteral("%1 x the page, %2 x the trace")
                .arg(viewerMs / pageMs, 0, 'f', 2)
                .arg(viewerMs / traceMs, 0, 'f', 2));
        row(name + QStringLiteral(" page"), pageMs, QStringLiteral("%1 samples").arg(trace.size()));
        row(name + QStringLiteral(" trace"), traceMs);
        forms::unloadAll();
    }
}

} // namespace bench
