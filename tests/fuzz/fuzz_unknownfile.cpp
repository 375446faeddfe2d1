#include "tests/fuzz/fuzztargets.h"

#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "platform/textfile.h"
#include "spectra/cmrplot.h"
#include "spectra/irplot.h"
#include "spectra/msplot.h"
#include "spectra/pmrexpansion.h"
#include "spectra/pmrintegral.h"
#include "spectra/pmrplot.h"
#include "spectra/pmrprint.h"
#include "spectra/spectrumdata.h"

#include <cmath>

namespace orvfuzz {

namespace {

using namespace orv::spectra;

// Every point of a picture lies somewhere on paper: no NaN, no infinity.
void requireFinite(const Plot& p)
{
    for (const PlotStep& s : p.steps())
        for (const QPointF& q : s.points)
            require(std::isfinite(q.x()) && std::isfinite(q.y()), "every drawn point is finite");
}

void requireFinite(const QList<Plot>& plots)
{
    for (const Plot& p : plots)
        requireFinite(p);
}

// The proton expansion of a range picked by the input: as many samples as the
// same window of a complete trace, whatever the lines' lengths.
void expansion(const std::array<QByteArray, 26>& pmrData, const QByteArray& bytes)
{
    std::array<QByteArray, 26> full;
    for (int e = 5; e <= 24; ++e)
        full[size_t(e)] = QByteArray(500, char(14));
    const unsigned seed = bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes.back());
    const float left = 60 + float(seed % 100) * 88; // anywhere on the proton plot
    const float right = left + 176 + float(seed / 100) * 2000;
    const pmrexp::Window w = pmrexp::snapRange(left, right);
    const QByteArray samples = pmrexp::windowSamples(pmrData, w);
    require(samples.size() == pmrexp::windowSamples(full, w).size(),
            "a short or empty trace line keeps every sample's shift");
    const int scale = pmrexp::verticalScale(samples);
    requireFinite(pmrexp::picture(w, samples, scale));
    requireFinite(pmrexp::integral(samples));
    for (QSizeF page : {QSizeF(11906, 16838), QSizeF(12240, 40000)}) {
        const pmrexp::Printout out = pmrexp::printout(w, samples, scale, page, true, 1);
        require(out.PrintLongSide == int(page.height()) - 1000, "the printout spans the long side");
        requireFinite(out.axis);
        requireFinite(out.trace);
    }
}

} // namespace

int unknownFile(const std::uint8_t* data, std::size_t size)
{
    using namespace orv;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ModOrvan m;
    if (!readUnknownData(splitLines(bytes), m)) {
        require(m.CmrData.isEmpty() && m.NameCount == 0 && m.StructCodeCount == 0,
                "a damaged file leaves nothing behind");
        return 0;
    }
    require(m.NameCount >= 0 && m.NameCount <= 12, "at most 12 accepted names");
    require(m.NameChoiceCount >= 0 && m.NameChoiceCount <= 8, "at most 8 name choices");
    require(m.StructCodeCount >= 0 && m.StructCodeCount <= 4, "at most 4 structure codes");

    for (const CarbonPeakRecord& c : decodeCarbonPeaks(m.CmrData)) {
        require(c.ppm >= -999 && c.ppm <= 999, "a carbon shift within -999..999");
        require(c.hydrogens >= 0 && c.hydrogens <= 9, "attached hydrogens 0..9");
    }
    for (const MsPeakRecord& p : decodeMsPeaks(m.MsData))
        require(p.mz >= -99 && p.mz <= 999, "an m/z within -99..999");
    requireFinite(cmr::sticks(m.CmrData));
    requireFinite(ir::trace(m.IrData));
    const ms::MzAxis axis = ms::mzAxisFor(m.MsMolecularIon);
    requireFinite(ms::frame(axis, m.MsMolecularIon, m.MsLabel));
    requireFinite(ms::bars(m.MsData, axis));
    requireFinite(pmr::trace(m.PmrData));
    requireFinite(pmr::integralCurve(m.PmrData));
    const pmr::PrintGeometry page = pmr::printGeometry(QSizeF(11906, 40000));
    require(page.W == 39000, "the proton printout spans the long side");
    requireFinite(pmr::printAxis(page));
    requireFinite(pmr::printTrace(page, m.PmrData));
    requireFinite(pmr::printIntegral(page, m.PmrData));
    expansion(m.PmrData, bytes);
    return 0;
}

} // namespace orvfuzz
