#include "mscalc/forms/isotopeprint.h"

#include "mscalc/forms/calcwidgets.h"
#include "platform/forms/textprint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace orv::mscalc {

void printIsotopes(PrintLines& out, const IsotopePrintoutData& data)
{
    out.setFont(QStringLiteral("Arial"), 12);
    const QFont printerFont = out.font();
    out.print();
    out.setBold(true);
    out.print(QString::fromLatin1(kIsotopePrintTitle));
    out.setBold(false);
    out.print();
    out.print(formulaPrintLine(data.counts));
    out.print(QStringLiteral("the peaks due to isotopes in a mass spectrum are:"));
    out.print();
    out.setFont(fixedPitchFont(12));
    out.print(data.peaksText.endsWith(u'\n') ? data.peaksText.chopped(1) : data.peaksText);
    out.setFont(printerFont);
    out.print();

    // The chart: 5000 high and 3900 wide, M+k at X0 + 300 (k + 1); a chart
    // that would run off the page starts on the next one.
    if (!out.ensureRoom(kIsotopeChartHeight))
        return;
    QPainter* p = out.painter();
    // On a fresh page the "100" above the axis still needs its line.
    const double X0 = std::round(out.x + 800), Y0 = std::round(std::max(out.y, 300.0));
    const IsotopePrintChart chart = isotopePrintChart(data.calc, X0, Y0);
    const double ascent = QFontMetricsF(p->font()).ascent();
    p->setPen(QPen(Qt::black, 3));
    for (const ChartLine& l : chart.axes)
        p->drawLine(l.from, l.to);
    for (const ChartText& t : chart.texts)
        p->drawText(t.at + QPointF(0, ascent), t.text);
    p->setPen(QPen(Qt::black, 40, Qt::SolidLine, Qt::FlatCap));
    for (const ChartLine& l : chart.bars)
        p->drawLine(l.from, l.to);
    out.x = 0;
    out.y = Y0 + 6000;
    out.print(data.printed);
}

} // namespace orv::mscalc
