#include "spectra/spectrumdata.h"

#include "platform/basic.h"

#include <algorithm>

namespace orv::spectra {

double fieldValue(const QByteArray& field) { return Val(QString::fromLatin1(field)); }

QList<CarbonPeakRecord> decodeCarbonPeaks(const QByteArray& cmrData)
{
    QList<CarbonPeakRecord> peaks;
    for (qsizetype at = 0; at + 6 <= cmrData.size(); at += 6) {
        CarbonPeakRecord r;
        // The clamp keeps a field such as "9e99" from overflowing the whole-number shift.
        const double shift = std::clamp(fieldValue(cmrData.mid(at, 4)) / 10.0, -999.0, 999.0);
        r.ppm = CInt(shift);
        r.shift = float(shift);
        r.height = sampleHeight(cmrData.at(at + 4));
        r.hydrogens = CInt(std::clamp(fieldValue(cmrData.mid(at + 5, 1)), 0.0, 9.0));
        peaks.append(r);
    }
    return peaks;
}

QList<MsPeakRecord> decodeMsPeaks(const QByteArray& msData)
{
    QList<MsPeakRecord> peaks;
    for (qsizetype at = 0; at + 4 <= msData.size(); at += 4) {
        MsPeakRecord r;
        r.mz = CInt(std::clamp(fieldValue(msData.mid(at, 3)), -99.0, 999.0));
        r.intensity = sampleHeight(msData.at(at + 3));
        peaks.append(r);
    }
    return peaks;
}

} // namespace orv::spectra
