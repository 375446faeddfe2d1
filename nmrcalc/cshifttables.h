#pragma once
// Carbon-13 shift increments (ppm) for the additivity estimates of saturated
// chains, alkenes and benzene rings, keyed by the substituent's place 0..22
// in the carbon calculator's substituent list.
#include <span>

namespace orv::nmr {

// On a chain: the carbon bearing the substituent (alpha), its neighbour
// (beta) and the next (gamma); substituent on a chain end or an inner carbon.
struct AlkylCIncrement {
    int sub;
    float terminalAlpha, terminalBeta, terminalGamma;
    float internalAlpha, internalBeta, internalGamma;
};
struct AlkeneCIncrement {
    int sub;
    float alpha, beta;
};
struct BenzeneCIncrement {
    int sub;
    float ipso, ortho, meta, para;
};

std::span<const AlkylCIncrement> alkylCIncrements();
std::span<const AlkeneCIncrement> alkeneCIncrements();
std::span<const BenzeneCIncrement> benzeneCIncrements();

} // namespace orv::nmr
