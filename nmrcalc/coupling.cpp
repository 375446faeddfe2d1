#include "nmrcalc/coupling.h"

#include "platform/basic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orv::nmr {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

int binomial(int n, int k)
{
    int c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kBlue = 0xFF0000; // &HBBGGRR

} // namespace

int CouplingCalc::lineCount() const
{
    int n = 0;
    while (n < kMaxCouplingLines && CurrentLines[n + 1].Height > 0)
        ++n;
    return n;
}

void CouplingCalc::DoSplitting(int n, int J)
{
    if (n < 1 || n > 6)
        return;
    int out = 1;
    const int count = lineCount();
    const float total = static_cast<float>(1 << n);
    for (int l = 1; l <= count; ++l) {
        const CouplingLine line = CurrentLines[l];
        for (int k = 0; k <= n && out <= kMaxCouplingLines; ++k, ++out) {
            // Whole multiples of J first, then halved: 3J/2 is (3J)/2.
            ScratchLines[out].Position = line.Position + static_cast<float>((2 * k - n) * J) / 2.0f;
            ScratchLines[out].Height = line.Height * static_cast<float>(binomial(n, k)) / total;
        }
    }
    for (int j = 1; j <= kMaxCouplingLines && ScratchLines[j].Height > 0; ++j) {
        CurrentLines[j] = ScratchLines[j];
        ScratchLines[j] = {};
    }
}

void CouplingCalc::calculateSet(CouplingSet set, const CouplingInputs& in)
{
    CurrentSet = setLetter(set).prepend(QStringLiteral("Set "));
    CurrentLines.fill({});
    ScratchLines.fill({});
    CurrentLines[1] = {0.0f, 100.0f};
    switch (set) {
    case CouplingSet::A:
        if (in.nM > 0)
            DoSplitting(in.nM, in.JAM);
        if (in.nX > 0)
            DoSplitting(in.nX, in.JAX);
        break;
    case CouplingSet::M:
        DoSplitting(in.nA, in.JAM);
        if (in.nX > 0)
            DoSplitting(in.nX, in.JMX);
        break;
    case CouplingSet::X:
        DoSplitting(in.nA, in.JAX);
        DoSplitting(in.nM, in.JMX);
        break;
    }
}

void CouplingCalc::binLines()
{
    bins.fill(0.0f);
    const int count = lineCount();
    int widest = 0; // bins from the centre
    for (int i = 1; i <= count; ++i)
        widest = std::max(widest, std::abs(CInt(2.0 * CurrentLines[i].Position)));
    DisplayScale = displayScaleFor(widest);

    int peak = 0;
    for (int i = 1; i <= count; ++i) {
        const int k = CInt(2.0 * CurrentLines[i].Position);
        if (k < kBinLow || k > kBinHigh)
            continue; // cannot happen within the input ranges
        LineBins(k) += CurrentLines[i].Height;
        if (LineBins(k) > peak)
            peak = CInt(LineBins(k));
    }
    if (peak <= 0)
        return;
    for (float& b : bins)
        if (b > 0)
            b = b * 100.0f / static_cast<float>(peak);
}

int CouplingCalc::displayScaleFor(int widestBin)
{
    // The axis spans 30 Hz either side per scale step. A line is kept well
    // inside it: its whole Lorentz peak (ten steps either side of its centre
    // in the trace) must fit the trace, so that no outer line sits past the
    // axis or loses half its peak at the picture's edge. The widest
    // multiplet (90 Hz either side) takes the last scale whatever it needs.
    for (int scale = 1; scale < 3; ++scale)
        if (CInt(6.0 * widestBin / scale + 367 + (4 - scale) * 10) <= kTracePoints)
            return scale;
    return 3;
}

void CouplingCalc::setTreeOrder(const CouplingInputs& in)
{
    auto order = [this](int n1, int j1, int n2, int j2) {
        if (j1 >= j2) {
            FirstCount = n1, FirstJ = j1, SecondCount = n2, SecondJ = j2;
        } else {
            FirstCount = n2, FirstJ = j2, SecondCount = n1, SecondJ = j1;
        }
    };
    if (CurrentSet == QLatin1String("Set A"))
        order(in.nM, in.JAM, in.nX, in.JAX);
    else if (CurrentSet == QLatin1String("Set M"))
        order(in.nA, in.JAM, in.nX, in.JMX);
    else
        order(in.nA, in.JAX, in.nM, in.JMX);
}

DrawOps CouplingCalc::overseeCoupling(DisplayKind kind, const CouplingInputs& in)
{
    binLines();
    DrawOps ops;
    const int ds = DisplayScale;
    const int tenHz = 840 / ds;
    ops << textOp(50, 50,
                  kind == DisplayKind::StickDiagram
                      ? CurrentSet + QStringLiteral("    +---> note that relative peak heights are NOT shown <---+")
                      : CurrentSet);
    ops << lineOp(50, 3400, 5095, 3400, 1);
    ops << lineOp(2570, 3420, 2570, 3460, 3);
    for (int k = 0; k <= 6 * ds; ++k) {
        const double x = 50 + k * 840.0 / ds;
        ops << lineOp(x, 3400, x, 3460, 1);
    }
    ops << lineOp(2570, 3570, 2570, 3630) << lineOp(2570, 3600, 2570 + tenHz, 3600)
        << lineOp(2570 + tenHz, 3570, 2570 + tenHz, 3630);
    ops << textOp(2620 + tenHz, 3500, QStringLiteral("10 Hz"));

    switch (kind) {
    case DisplayKind::StraightLines: ops << DrawLines(); break;
    case DisplayKind::LorentzCurve: ops << DrawLorentz(); break;
    case DisplayKind::StickDiagram:
        setTreeOrder(in);
        ops << DrawSticks();
        break;
    }
    return ops;
}

DrawOps CouplingCalc::DrawLines()
{
    DrawOps ops;
    ops << lineOp(1, 3200, 5200, 3200);
    for (int k = kBinLow; k <= kBinHigh; ++k) {
        float& b = LineBins(k);
        if (b <= 0)
            continue;
        if (b < 1)
            b = 2; // keeps very weak lines visible
        const double x = 2570 + 42.0 * k / DisplayScale;
        ops << lineOp(x, 3220 - 30.0 * b, x, 3200);
    }
    return ops;
}

DrawOps CouplingCalc::DrawLorentz()
{
    LorentzTrace.fill(3200);
    const float halfWidth = 0.9f;
    for (int k = kBinLow; k <= kBinHigh; ++k) {
        float& b = LineBins(k);
        if (b <= 0)
            continue;
        if (b < 1)
            b = 2;
        for (int d = -10; d <= 10; ++d) {
            const float q = static_cast<float>(d) / halfWidth;
            const int a = CInt(30.0f * b / (q * q + 1.0f));
            const int i = CInt(6.0 * k / DisplayScale + 367 + (4 - DisplayScale) * d);
            if (i >= 1 && i <= kTracePoints && a > 2)
                LorentzTrace[i] -= a;
        }
    }
    int top = 3320;
    for (int i = 1; i <= kTracePoints; ++i)
        top = std::min(top, LorentzTrace[i]);
    if (top < 215) {
        // Scale the curve down so that its tallest point lands on y = 220.
        const double factor = 3000.0 / (3220 - top);
        for (int i = 1; i <= kTracePoints; ++i)
            if (LorentzTrace[i] < 3100)
                LorentzTrace[i] = 3220 - static_cast<int>(Int((3220 - LorentzTrace[i]) * factor + 1e-9));
    }
    DrawOps ops;
    double px = 1, py = 3200;
    for (int i = 1; i <= kTracePoints; ++i) {
        if (LorentzTrace[i] >= 3200)
            continue;
        ops << lineOp(px, py, 7.0 * i, LorentzTrace[i]);
        px = 7.0 * i;
        py = LorentzTrace[i];
    }
    ops << lineOp(px, py, 5120, 3200);
    return ops;
}

DrawOps CouplingCalc::DrawSticks() const
{
    DrawOps ops;
    ops << lineOp(2570, 220, 2570, 640, 2);
    if (FirstJ > 0) {
        const int s1 = CInt(FirstJ / 2.0 * 84.0 / DisplayScale);
        const int s2 = CInt(SecondJ / 2.0 * 84.0 / DisplayScale);
        int xLast = 2570;
        for (int i = 0; i <= FirstCount; ++i) {
            const int xi = 2570 - s1 * FirstCount + 2 * s1 * i;
            xLast = xi;
            ops << lineOp(xi, 1480, xi, 1900, 2, kBlack);
            ops << lineOp(2570, 640, xi, 1480, 1, kBlue);
            if (SecondJ > 0) {
                for (int j = 0; j <= SecondCount; ++j) {
                    const int xij = xi - s2 * SecondCount + 2 * s2 * j;
                    ops << lineOp(xij, 2740, xij, 3160, 2, kBlack);
                    ops << lineOp(xi, 1900, xij, 2740, 1, kBlue);
                }
            }
        }
        ops << textOp(2870, 590, QStringLiteral("J = %1 Hz").arg(FirstJ), kBlue);
        if (SecondJ > 0) {
            int x = xLast + 200;
            if (x > 4500)
                x = 4480;
            ops << textOp(x, 1850, QStringLiteral("J = %1 Hz").arg(SecondJ), kBlue);
        }
    }
    return ops;
}

DrawOps CouplingCalc::printDiagram(DisplayKind kind, int y0) const
{
    DrawOps ops;
    const int ds = DisplayScale;
    const double tenHz = 1000.0 / ds;
    ops << lineOp(1000, y0 + 6000, 7000, y0 + 6000);
    ops << lineOp(4000, y0 + 6000, 4000, y0 + 6100, 10);
    for (int k = 0; k <= 6 * ds; ++k) {
        const int x = CInt(1000 + k * tenHz);
        ops << lineOp(x, y0 + 6000, x, y0 + 6100);
    }
    ops << lineOp(4000, y0 + 6250, 4000, y0 + 6350) << lineOp(4000, y0 + 6300, 4000 + tenHz, y0 + 6300)
        << lineOp(4000 + tenHz, y0 + 6250, 4000 + tenHz, y0 + 6350);
    ops << textOp(4100 + tenHz, y0 + 6150, QStringLiteral("10 Hz"));

    switch (kind) {
    case DisplayKind::StraightLines:
        ops << lineOp(1000, y0 + 5800, 7000, y0 + 5800);
        for (int k = kBinLow; k <= kBinHigh; ++k) {
            const float b = LineBins(k);
            if (b <= 0)
                continue;
            const int x = CInt(4000 + 50.0 * k / ds);
            ops << lineOp(x, y0 + 6000 - 60.0 * b, x, y0 + 5800);
        }
        break;
    case DisplayKind::LorentzCurve: {
        double px = 980, py = y0 + 5800;
        for (int i = 1; i <= kTracePoints; ++i) {
            if (LorentzTrace[i] >= 3200)
                continue;
            const double x = 980 + 8.3 * i, y = y0 + 2.0 * LorentzTrace[i] - 580;
            ops << lineOp(px, py, x, y);
            px = x, py = y;
        }
        ops << lineOp(px, py, 7020, y0 + 5800);
        break;
    }
    case DisplayKind::StickDiagram:
        ops << lineOp(4000, y0, 4000, y0 + 830, 16);
        if (FirstJ >= 1) {
            const int s1 = CInt(FirstJ * 0.5 * 100 / ds);
            const int s2 = CInt(SecondJ * 0.5 * 100 / ds);
            int xLast = 4000;
            for (int i = 0; i <= FirstCount; ++i) {
                const int xi = 4000 - s1 * FirstCount + 2 * s1 * i;
                xLast = xi;
                ops << lineOp(xi, y0 + 2490, xi, y0 + 3320, 18);
                ops << lineOp(4000, y0 + 830, xi, y0 + 2490, 1);
                if (SecondJ > 0)
                    for (int j = 0; j <= SecondCount; ++j) {
                        const int xij = xi - s2 * SecondCount + 2 * s2 * j;
                        ops << lineOp(xij, y0 + 4980, xij, y0 + 5810, 20);
                        ops << lineOp(xi, y0 + 3320, xij, y0 + 4980, 1);
                    }
            }
            ops << textOp(4300, y0 + 780, QStringLiteral("J = %1 Hz").arg(FirstJ));
            if (SecondJ > 0)
                ops << textOp(xLast + 200, y0 + 3270, QStringLiteral("J = %1 Hz").arg(SecondJ));
        }
        break;
    }
    return ops;
}

QString CouplingCalc::MultipletName(int count)
{
    static const char* const names[] = {"singlet", "doublet", "triplet", "quartet", "quintet",
                                        "sextet",  "septet",  "octet",   "nonet",   "dectet"};
    if (count < 0 || count > 9)
        return {};
    return QString::fromLatin1(names[count]);
}

bool CouplingCalc::SuperImpose() const
{
    const int count = lineCount();
    for (int i = 1; i <= count; ++i)
        for (int j = i + 1; j <= count; ++j)
            if (CurrentLines[i].Position == CurrentLines[j].Position)
                return true;
    return false;
}

QString CouplingCalc::setLetter(CouplingSet set)
{
    switch (set) {
    case CouplingSet::A: return QStringLiteral("A");
    case CouplingSet::M: return QStringLiteral("M");
    case CouplingSet::X: break;
    }
    return QStringLiteral("X");
}

QString couplingGeneralHelp()
{
    const QStringList lines = {
        QStringLiteral("Calculates proton multiplicities due to spin coupling under first order conditions."),
        QString(),
        QStringLiteral("Specify how many protons in each set, the coupling constants and display type "
                       "then click on one of the Calculate buttons."),
        QString(),
        QStringLiteral("First order behaviour (also known as the the n+1 rule) occurs when:-"),
        QStringLiteral("* The chemical shift difference (in Hertz) between sets of protons is about 10"),
        QStringLiteral("   or more times larger than the coupling constant."),
        QStringLiteral("* The members of each set of protons are both chemically and magnetically "),
        QStringLiteral("   equivalent."),
        QString(),
        QStringLiteral("When these conditions are not met, the multiplicities are more complicated "
                       "and it is usually not possible to extract coupling constants and chemical shifts "
                       "by simple inspection."),
        QString(),
        QStringLiteral("NMR peaks have width and are typically Lorentzian in shape. In this simulation "
                       "when the peaks within a multiplet are close (small coupling constant), a line "
                       "representation is clearer."),
    };
    return lines.join(kCrLf);
}

QString couplingExplanation(CouplingSet set, const CouplingExplainInputs& e)
{
    const CouplingInputs& in = e.in;
    const QString s = CouplingCalc::setLetter(set);
    // The two partner sets in the order A, M, X, their counts and constants.
    CouplingSet f, g;
    int nF, nG, jF, jG;
    bool bothEnabled;
    switch (set) {
    case CouplingSet::A:
        f = CouplingSet::M, g = CouplingSet::X, nF = in.nM, nG = in.nX, jF = in.JAM, jG = in.JAX;
        bothEnabled = e.enabledAM && e.enabledAX;
        break;
    case CouplingSet::M:
        f = CouplingSet::A, g = CouplingSet::X, nF = in.nA, nG = in.nX, jF = in.JAM, jG = in.JMX;
        bothEnabled = e.enabledAM && e.enabledMX;
        break;
    default:
        f = CouplingSet::A, g = CouplingSet::M, nF = in.nA, nG = in.nM, jF = in.JAX, jG = in.JMX;
        bothEnabled = true;
        break;
    }
    const QString opening = QStringLiteral("Set %1 is a ").arg(s);
    auto name = [](int n) { return CouplingCalc::MultipletName(n); };
    auto neighbours = [](int n) {
        return QString::number(n) + QStringLiteral(" neighbour") + (n > 1 ? QStringLiteral("s") : QString());
    };
    const QString although = QStringLiteral("since although there ");
    const QString noCoupling = QStringLiteral("are neighbours there is no coupling ");

    QString t;
    if (jF == 0 && jG == 0) {
        t = opening + QStringLiteral("singlet ");
        const int n = nF + nG;
        if (set == CouplingSet::X || (n >= 2 && bothEnabled))
            t += although + noCoupling + QStringLiteral("(both coupling constants are zero).");
        else if (n == 0)
            t += QStringLiteral("since there are no neighbours.");
        else if (n == 1)
            t += although + QStringLiteral("is a neighbour the coupling constant is zero.");
        else
            t += although + noCoupling + QStringLiteral("(the coupling constant is zero).");
    } else if (jF == jG) {
        t = opening + name(nF + nG) + QStringLiteral(" since set %1 has ").arg(s) + QString::number(nF + nG)
          + QStringLiteral(" neighbours all having the same coupling constant.") + kCrLf + kCrLf
          + QStringLiteral("It can also be regarded as a ") + name(nF) + QStringLiteral(" of ") + name(nG)
          + QStringLiteral("s that are partially coincident.");
    } else if (std::min(jF, jG) == 0) {
        const bool fIsL = jF > 0;
        const int nL = fIsL ? nF : nG;
        t = opening + name(nL) + QStringLiteral(" since it has ") + neighbours(nL)
          + QStringLiteral(" (set %1).").arg(CouplingCalc::setLetter(fIsL ? f : g));
    } else {
        const bool fIsL = jF > jG;
        const int nL = fIsL ? nF : nG, nK = fIsL ? nG : nF;
        const QString l = CouplingCalc::setLetter(fIsL ? f : g), k = CouplingCalc::setLetter(fIsL ? g : f);
        t = opening + name(nL) + QStringLiteral(" of ") + name(nK) + QStringLiteral("s");
        if (e.superImpose) {
            t += QStringLiteral(" that are partially coincident.") + kCrLf;
            if (!e.stickShown)
                t += QStringLiteral("Use the stick diagram to see why.") + kCrLf;
        } else {
            t += QStringLiteral(".") + kCrLf;
        }
        const bool same = nL == nK;
        t += QStringLiteral("The ") + (same ? QStringLiteral("first ") : QString()) + name(nL)
           + QStringLiteral(" is due to the ") + neighbours(nL) + QStringLiteral(" of set %1.").arg(l) + kCrLf;
        t += QStringLiteral("The ") + (same ? QStringLiteral("second ") : QString()) + name(nK)
           + QStringLiteral(" is due to the ") + neighbours(nK) + QStringLiteral(" of set %1.").arg(k);
    }
    if (e.stickShown)
        t += kCrLf + QStringLiteral("Note that the stick diagram does not show relative peak heights.");
    return t;
}

} // namespace orv::nmr
