#pragma once
// A small unknown set up directly in the state (butanone), and settings
// sets for the menus.
#include "core/modorvan.h"

namespace mwtest {

// The instructor's defaults as the settings file gives them.
void applyDefaultSettings(orv::ModOrvan& m);
// Everything allowed, as for a fully open course.
void allowEverything(orv::ModOrvan& m);
// Recomputes AnySpectrumAllowed and AnyCalcAllowed from the single flags.
void deriveAnyFlags(orv::ModOrvan& m);
// Unknown 12, butanone: results, help texts and precluded-item lists.
void loadButanone(orv::ModOrvan& m);

} // namespace mwtest
