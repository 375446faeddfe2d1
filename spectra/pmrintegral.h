#pragma once
// The proton viewer's integral: the running sum of every sample of the trace
// drawn as a red curve from just above the baseline to the top of the plot,
// and the integration steps measured along it.
#include "spectra/plot.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <optional>

namespace orv::spectra::pmr {

// The sum of the heights of every character of the non-empty trace elements 5..24.
std::int32_t integralTotal(const std::array<QByteArray, 26>& pmrData);

// The integral curve in the picture's twips, drawn with the not-xor pen so
// that drawing it again removes it; empty when the total is not positive
// (there is nothing to scale the curve by).
Plot integralCurve(const std::array<QByteArray, 26>& pmrData);

inline constexpr std::uint32_t kStepBlue = 0xFF4000;

// The step tool's area: 60 < x < 8860 and TopY - 30 < y < BaselineY - 80.
bool stepAreaContains(double x, double y);

// One integration-step measurement. Holds the calibration (protons per twip
// of step height) between steps until the tool is switched on again.
class StepMeter {
public:
    // The tool switched on: calibrate again on the next step, to one proton
    // unless a digit is typed.
    void reset()
    {
        scale = 0;
        digit = 1;
    }
    // A key typed on the picture: a digit sets the calibration digit, any other key 1.
    void key(int keyAscii) { digit = keyAscii >= 48 && keyAscii <= 57 ? keyAscii - 48 : 1; }
    // The value of a step of this height (twips); the first step calibrates.
    float measure(float height);

    int digit = 1;
    float scale = 0;
};

// The value as the step tool writes it: one decimal, at least one digit before the point.
QString stepText(float value);

} // namespace orv::spectra::pmr
