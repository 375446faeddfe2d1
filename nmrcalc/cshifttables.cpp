#include "nmrcalc/cshifttables.h"

namespace orv::nmr {

namespace {

// clang-format off
constexpr AlkylCIncrement kAlkyl[] = {
    {2, 20.0f, 6.0f, -0.5f, 20.0f, 6.0f, -0.5f},   // C=C
    {3, 23.0f, 9.0f, -2.0f, 17.0f, 7.0f, -2.0f},   // Ph
    {4, 29.0f, 11.0f, -5.0f, 24.0f, 10.0f, -5.0f}, // NHH
    {5, 37.0f, 8.0f, -4.0f, 31.0f, 6.0f, -4.0f},   // NRR
    {7, 63.0f, 4.0f, 0.0f, 57.0f, 4.0f, 0.0f},     // NO2
    {8, 31.0f, 11.0f, -4.0f, 32.0f, 10.0f, -4.0f}, // Cl
    {9, 20.0f, 11.0f, -3.0f, 25.0f, 10.0f, -3.0f}, // Br
    {10, -6.0f, 11.0f, -1.0f, 4.0f, 12.0f, -1.0f}, // I
    {11, 48.0f, 10.0f, -5.0f, 41.0f, 8.0f, -5.0f}, // OH
    {12, 58.0f, 8.0f, -4.0f, 51.0f, 5.0f, -4.0f},  // OR
    // OCOR: the usual acetoxy values of the published additivity tables.
    {14, 51.0f, 6.0f, -3.0f, 45.0f, 5.0f, -3.0f},
    {16, 31.0f, 0.0f, -2.0f, 31.0f, 0.0f, -2.0f},  // CHO
    {17, 31.0f, 1.0f, -2.0f, 24.0f, 1.0f, -2.0f},  // COR
    {19, 21.0f, 3.0f, -2.0f, 16.0f, 2.0f, -2.0f},  // COOH
    {20, 20.0f, 3.0f, -2.0f, 17.0f, 2.0f, -2.0f},  // COOR
    {21, 22.0f, 2.5f, -0.5f, 22.0f, 2.5f, -0.5f},  // CONRR
    {22, 4.0f, 3.0f, -3.0f, 1.0f, 3.0f, -3.0f},    // CN
};
// clang-format on

// clang-format off
constexpr AlkeneCIncrement kAlkene[] = {
    {0, 0.0f, 0.0f},     {1, 10.6f, -7.9f},   {2, 13.6f, -7.0f},  {3, 12.5f, -11.0f},
    {5, 16.0f, -29.0f},  {7, 22.3f, -0.9f},   {8, 2.6f, -6.1f},   {9, -7.9f, -1.4f},
    {10, -38.1f, 7.0f},  {12, 29.4f, -38.9f}, {14, 18.4f, -26.7f}, {16, 13.1f, 12.7f},
    {17, 15.0f, 5.8f},   {19, 4.2f, 8.9f},    {20, 6.0f, 7.0f},   {22, -16.0f, 15.0f},
};
// clang-format on

// clang-format off
constexpr BenzeneCIncrement kBenzene[] = {
    {1, 9.3f, 0.7f, -0.1f, -2.9f},     // R
    {2, 7.7f, -1.8f, 0.2f, -3.5f},     // C=C (meta: the usual vinyl value)
    {3, 13.1f, -1.1f, 0.5f, -1.0f},    // Ph
    {4, 19.2f, -12.4f, 1.3f, -9.5f},   // NHH
    {5, 22.4f, -15.7f, 0.8f, -11.8f},  // NRR
    {6, 11.1f, -9.9f, 0.2f, -5.6f},    // NHCOR
    {7, 19.6f, -5.3f, 0.9f, 6.0f},     // NO2
    {8, 6.4f, 0.2f, 1.0f, -2.0f},      // Cl
    {9, -5.4f, 3.4f, 2.2f, -1.0f},     // Br
    {10, -32.2f, 9.9f, 2.6f, -1.0f},   // I
    {11, 26.6f, -12.7f, 1.6f, -7.3f},  // OH
    {12, 31.4f, -14.4f, 1.0f, -7.7f},  // OR
    {13, 29.0f, -9.4f, 1.6f, -5.3f},   // OPh
    {14, 22.4f, -7.1f, 0.4f, -3.2f},   // OCOR
    {16, 8.2f, 1.2f, 0.6f, 5.8f},      // CHO
    {17, 9.3f, 0.2f, 0.2f, 4.2f},      // COR
    {18, 9.1f, 1.5f, -0.2f, 3.8f},     // COPh
    {19, 2.4f, 1.3f, -0.1f, 4.8f},     // COOH
    {20, 2.0f, 1.2f, -0.1f, 4.5f},     // COOR
    {21, 5.0f, -1.2f, 0.0f, 3.4f},     // CONRR
    {22, -16.0f, 3.6f, 0.6f, 4.3f},    // CN
};
// clang-format on

} // namespace

std::span<const AlkylCIncrement> alkylCIncrements() { return kAlkyl; }
std::span<const AlkeneCIncrement> alkeneCIncrements() { return kAlkene; }
std::span<const BenzeneCIncrement> benzeneCIncrements() { return kBenzene; }

} // namespace orv::nmr
