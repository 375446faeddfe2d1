#include "nmrcalc/hshifttables.h"

#include <array>

namespace orv::nmr {

namespace {

// Substituent ortho, meta and para to the proton.
constexpr BenzeneHIncrement kBenzene[] = {
    {1, -0.14f, -0.06f, -0.17f},  // R
    {2, 0.06f, -0.03f, -0.10f},   // C=C
    {3, 0.37f, 0.20f, 0.10f},     // Ph
    {4, -0.70f, -0.21f, -0.66f},  // NRR
    {6, 0.33f, 0.04f, -0.10f},    // NHCOR
    {7, 0.95f, 0.26f, 0.38f},     // NO2
    {8, 0.03f, -0.02f, 0.09f},    // Cl
    {9, 0.18f, -0.08f, -0.04f},   // Br
    {10, 0.39f, -0.21f, 0.00f},   // I
    {11, -0.56f, -0.12f, -0.45f}, // OH
    {12, -0.48f, -0.09f, -0.44f}, // OR
    {14, -0.25f, 0.03f, -0.13f},  // OCOR
    {16, 0.56f, 0.22f, 0.29f},    // CHO
    {17, 0.62f, 0.13f, 0.21f},    // COR
    {19, 0.85f, 0.18f, 0.26f},    // COOH
    {20, 0.71f, 0.11f, 0.21f},    // COOR
    {21, 0.61f, 0.10f, 0.17f},    // CONRR
    {22, 0.36f, 0.18f, 0.28f},    // CN
};

// Substituent on the proton's own carbon, cis and trans to it.
constexpr AlkeneHIncrement kAlkene[] = {
    {0, 0.0f, 0.0f, 0.0f},       // H
    {1, 0.44f, -0.26f, -0.29f},  // R
    {2, 0.98f, -0.04f, -0.21f},  // C=C
    {3, 1.35f, 0.37f, -0.10f},   // Ph
    {4, 0.69f, -1.19f, -1.31f},  // NRR
    {7, 1.87f, 1.30f, 0.62f},    // NO2
    {8, 1.00f, 0.19f, 0.03f},    // Cl
    {9, 1.04f, 0.40f, 0.55f},    // Br
    {12, 1.18f, -1.06f, -1.28f}, // OR
    {14, 2.09f, -0.40f, -0.67f}, // OCOR
    {16, 1.03f, 0.97f, 1.21f},   // CHO
    {17, 1.10f, 1.13f, 0.81f},   // COR
    {18, 1.06f, 1.01f, 0.95f},   // COPh
    {19, 1.00f, 1.35f, 0.74f},   // COOH
    {20, 0.84f, 1.15f, 0.56f},   // COOR
    {21, 1.37f, 0.93f, 0.35f},   // CONRR
    {22, 0.23f, 0.78f, 0.58f},   // CN
};

// CH2XY (or CH3X with Y = H): 0.23 plus one constant for X and one for Y.
constexpr std::array<float, 23> kMethylene = {
    0.34f, // H
    0.58f, // R
    1.32f, // C=C
    1.83f, // Ph
    1.57f, // NRR
    2.04f, // NHPh
    2.27f, // NHCOR
    3.36f, // NO2
    2.53f, // Cl
    2.33f, // Br
    2.19f, // I
    2.56f, // OH
    2.36f, // OR
    2.94f, // OPh
    3.01f, // OCOR
    3.27f, // OCOPh
    1.50f, // CHO
    1.50f, // COR
    1.90f, // COPh
    1.46f, // COOH
    1.46f, // COOR
    1.47f, // CONRR
    1.59f, // CN
};

// R-CHXY: 2.5 plus one constant for X and one for Y.
constexpr MethineHConstant kMethine[] = {
    {2, 0.46f},  {3, 0.99f},  {4, 0.64f},  {5, 2.04f},  {6, 1.80f},  {7, 1.84f},  {8, 1.56f},
    {9, 1.53f},  {11, 1.14f}, {12, 1.14f}, {13, 1.79f}, {14, 2.07f}, {15, 2.07f}, {16, 0.47f},
    {17, 0.47f}, {18, 1.22f}, {19, 0.47f}, {20, 0.47f}, {21, 0.60f}, {22, 0.66f},
};

} // namespace

std::span<const BenzeneHIncrement> benzeneHIncrements() { return kBenzene; }
std::span<const AlkeneHIncrement> alkeneHIncrements() { return kAlkene; }
std::span<const MethineHConstant> methineHConstants() { return kMethine; }
std::span<const float> methyleneHConstants() { return kMethylene; }

} // namespace orv::nmr
