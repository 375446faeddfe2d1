#pragma once
// Decoding the spectrum lines of an unknown for drawing. Every height is one byte whose
// code minus 14 is the value (byte 14 = 0, byte 255 = 241; bytes below 14
// give negative heights, which the viewers draw where the formulas put them).
// Peak lists are runs of fixed-size records; only whole records are decoded,
// so a line cut short in its last record never reads past its end.
#include "core/unknownfile.h" // sampleHeight

#include <QByteArray>
#include <QList>
#include <QString>

namespace orv::spectra {

// Carbon-13 peak record, six characters: four digits of the shift x 10, one
// height character, one digit of attached hydrogens.
struct CarbonPeakRecord {
    int ppm = 0;       // shift rounded to whole ppm (halves to even), kept within -999..999
    float shift = 0;   // the exact shift in ppm (tenths), single precision, same range
    int height = 0;    // sample height
    int hydrogens = 0; // leading numeric value of the last character (0 when not a digit)
};
QList<CarbonPeakRecord> decodeCarbonPeaks(const QByteArray& cmrData);

// Mass-spectrum peak record, four characters: three digits of m/z, one
// intensity character (241 = 100 %).
struct MsPeakRecord {
    int mz = 0;        // leading numeric value, rounded (halves to even), kept within -99..999
    int intensity = 0; // sample height
};
QList<MsPeakRecord> decodeMsPeaks(const QByteArray& msData);

// Leading numeric value of a byte field, read as the runtime reads a number.
double fieldValue(const QByteArray& field);

} // namespace orv::spectra
