// How far a hitter travels per update: the step of its first movement. Shots and waves
// fly straight lines; shields and ships have no movement and so no step.
#pragma once

#include <cstdint>
#include <optional>

namespace quellix {

class Tvt6Sprite;

struct TStep {
  int32_t X = 0;
  int32_t Y = 0;
};

// None when the sprite's first movement is missing or not a straight line.
std::optional<TStep> FirstMovementStep(const Tvt6Sprite& sprite);

}  // namespace quellix
