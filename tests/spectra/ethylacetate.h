#pragma once
// Ethyl acetate, CH3COOCH2CH3, as the unknown file stores its spectra: the
// 400 MHz proton trace (triplet 1.26, singlet 2.05, quartet 4.12 ppm, TMS at
// 0), the infrared trace (C-H 2985, C=O 1742, C-O 1240 and 1047 cm-1), the
// carbon-13 peak records (171.0, 60.4, 21.0, 14.2 ppm) and the mass-spectrum
// records (base peak 43, M+ 88).
#include <QByteArray>
#include <QList>
#include <array>

namespace fixture {

struct Line {
    double ppm;
    double height;
};

// Proton trace lines 5..24 built from Lorentzian lines of the given heights
// (a height above 241 is kept at 241).
std::array<QByteArray, 26> pmrTrace(const QList<Line>& lines, double halfWidthPpm = 0.0012);
QList<Line> ethylAcetateProtonLines();

// Fills the program-wide state with ethyl acetate's spectra and titles.
void loadEthylAcetate();

// Infrared trace: 600 points with the given absorptions (wavenumber, depth 0..1).
QByteArray irTrace(const QList<Line>& bands);

// A byte of height h.
inline char heightByte(int h) { return char(14 + h); }

} // namespace fixture
