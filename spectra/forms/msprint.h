#pragma once
// The mass spectrum laid out on a landscape page: the bold title, the
// unknown's number, the molecular ion and the note, then the bars on a fixed
// m/z axis from 30 to 230 with a tick every m/z.
#include "spectra/forms/printpage.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <functional>

namespace orv::spectra::ms {

struct PrintoutData {
    QString caption;      // the viewer's caption
    QString molecularIon; // MsMolecularIon
    QString note;         // MsLabel
    QByteArray peaks;     // MsData
    bool unknownNumberShown = false;
    int unknownNumber = 0;
};

// Page quantities in twips from the page's sides as the printer reports them.
struct PrintGeometry {
    int longSide = 0;      // the longer side - 1000: where m/z 230 lies
    double shortSide = 0;  // the shorter side - 4000: the plot's height
    double axisLength = 0; // longSide - 900
    double baselineY = 0;  // shortSide + 2000
};
PrintGeometry printGeometry(QSizeF pageTwips);

// Lays the page out; `progress` receives the progress bar's values.
void printout(PrintPage& page, QSizeF pageTwips, const PrintoutData& data, const std::function<void(double)>& progress);

} // namespace orv::spectra::ms
