// Renders a sound recipe to 16-bit samples at SampleRate, deterministically: the same
// recipe always gives the same samples.
#pragma once

#include <cstdint>
#include <vector>

#include "sounds/vtSoundRecipe.h"

namespace quellix::assetgen {

// A one-shot sound starts and ends at silence (short fades, no DC offset); a looped
// sound is one seamless period that starts at a zero crossing. The loudest sample sits
// at the recipe's peak level.
std::vector<int16_t> RenderSound(const TSoundRecipe& recipe);

}  // namespace quellix::assetgen
