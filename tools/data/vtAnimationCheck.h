// The animation part of the data check: the game's animation loader reads the file
// (its frame-line errors and log warnings become findings), every frame is linked to
// the image list, and every scene the game may ask for is looked up.
#pragma once

#include <cstdint>
#include <vector>

#include "game/vtAssetNames.h"
#include "vtCheckReport.h"

namespace quellix {
class IImageList;
}

namespace quellix::datacheck {

// images is none when the image archive did not load (a finding of its own); the frames
// then go unchecked.
// Returns the number of scenes read.
int32_t CheckAnimation(const TDataFile& file, const IImageList* images,
                       const std::vector<TSceneName>& required, TFindings& findings);

}  // namespace quellix::datacheck
