// The configuration part of the data check: every field of every kind in every
// difficulty section, each interval at least 1, and the game's own settings loader
// run on each section. The kinds' image ranges decide which enemy scenes the game can
// ask for, so the check hands those on to the animation part.
#pragma once

#include <vector>

#include "game/vtAssetNames.h"
#include "vtCheckReport.h"

namespace quellix::datacheck {

// Every scene the game may ask for under any section's image ranges, once each.
std::vector<TSceneName> CheckConfiguration(const TDataFile& file, TFindings& findings);

}  // namespace quellix::datacheck
