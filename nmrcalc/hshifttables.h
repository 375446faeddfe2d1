#pragma once
// Proton shift increments (ppm) for the additivity estimates of protons on
// benzene rings, on alkenes and on substituted methanes, keyed by the
// substituent's place 0..22 in the shift calculators' substituent list.
#include <span>

namespace orv::nmr {

struct BenzeneHIncrement {
    int sub;
    float ortho, meta, para;
};
struct AlkeneHIncrement {
    int sub;
    float geminal, cis, trans;
};
struct MethineHConstant {
    int sub;
    float value;
};

// Rows only for the substituents that have values; a missing row counts 0.
std::span<const BenzeneHIncrement> benzeneHIncrements();
std::span<const AlkeneHIncrement> alkeneHIncrements();
std::span<const MethineHConstant> methineHConstants();
// One constant for each of the 23 substituents.
std::span<const float> methyleneHConstants();

} // namespace orv::nmr
