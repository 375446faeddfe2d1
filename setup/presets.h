#pragma once
// The preset buttons of the settings window: each sets one group of settings
// at once; every other setting stays as it was. Defaults sets every setting.
#include "core/configcodec.h"


namespace orv {

enum class Preset {
    SpectraAll,
    SpectraNone,
    CalcAll,
    CalcNone,
    MaxAssist,
    MinAssist,
    MaxID,
    MinID,
    NoSpec,
    NoTrad,
    Defaults,
};

// The settings after the preset. A preset that sets the allocation also sets
// BasicUnknownsBeforeAdvanced to 3 (the number box then shows "3").
ConfigSettings applyPreset(Preset preset, ConfigSettings settings);

// True for the presets that choose "By Orvanto" and the number 3.
bool presetSetsAllocation(Preset preset);
// True for the presets that choose an identification-by-typing option.
bool presetSetsTyping(Preset preset);
// True for the two teaching-style presets, which show the items page.
bool presetShowsItems(Preset preset);

} // namespace orv
