#pragma once
// First-order splitting of one of three coupled proton sets A, M and X:
// the lines, their 0.5 Hz bins, the scale, and the diagram in three kinds.
#include "nmrcalc/drawops.h"

#include <QString>
#include <array>

namespace orv::nmr {

struct CouplingLine {
    float Position = 0; // Hz from the set's own shift
    float Height = 0;   // the unsplit line has 100
};

struct CouplingInputs {
    int nA = 0, nM = 0, nX = 0;    // protons per set
    int JAM = 0, JAX = 0, JMX = 0; // coupling constants, Hz
};

enum class CouplingSet { A, M, X };
enum class DisplayKind { StraightLines = 0, LorentzCurve = 1, StickDiagram = 2 };

inline constexpr int kMaxCouplingLines = 112;
inline constexpr int kBinLow = -180;
inline constexpr int kBinHigh = 180;
inline constexpr int kTracePoints = 730;

class CouplingCalc {
public:
    // Entries 1..112; a list ends at the first entry whose height is not above 0.
    std::array<CouplingLine, kMaxCouplingLines + 1> CurrentLines{};
    std::array<CouplingLine, kMaxCouplingLines + 1> ScratchLines{};
    std::array<float, kBinHigh - kBinLow + 1> bins{};
    int DisplayScale = 1;
    std::array<int, kTracePoints + 1> LorentzTrace{};
    int FirstCount = 0, FirstJ = 0, SecondCount = 0, SecondJ = 0;
    QString CurrentSet = QStringLiteral("Initial");

    float& LineBins(int k) { return bins[k - kBinLow]; }
    float LineBins(int k) const { return bins[k - kBinLow]; }
    int lineCount() const;

    // Splits every current line by n equivalent neighbours with coupling J.
    void DoSplitting(int n, int J);
    // The lines of one set from the inputs (the Calculate commands' arithmetic).
    void calculateSet(CouplingSet set, const CouplingInputs& in);
    // Spread, scale, bins and normalising; the tree order for the stick diagram.
    void binLines();
    // The display scale that keeps every line, with its Lorentz peak, inside
    // the picture; widestBin is the largest |2 x Position| of the lines.
    static int displayScaleFor(int widestBin);
    void setTreeOrder(const CouplingInputs& in);

    // The whole diagram of the last calculation on the picture (5190 x 3800).
    // Lines and curves raise bins below 1 to 2 and keep them so (the printout
    // draws the raised values).
    DrawOps overseeCoupling(DisplayKind kind, const CouplingInputs& in);
    DrawOps DrawLines();
    DrawOps DrawLorentz();
    DrawOps DrawSticks() const;
    // The same diagram on paper, its top at y0.
    DrawOps printDiagram(DisplayKind kind, int y0) const;

    static QString MultipletName(int count);
    bool SuperImpose() const;

    static QString setLetter(CouplingSet set);
};

// The text of the Help box while nothing is calculated.
QString couplingGeneralHelp();

// The explanation of the set last calculated. `enabledAM` etc. tell whether
// each coupling input is enabled (both sets it joins hold protons).
struct CouplingExplainInputs {
    CouplingInputs in;
    bool enabledAM = false, enabledAX = false, enabledMX = false;
    bool stickShown = false;
    bool superImpose = false;
};
QString couplingExplanation(CouplingSet set, const CouplingExplainInputs& e);

} // namespace orv::nmr
