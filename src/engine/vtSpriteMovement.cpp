#include "engine/vtSpriteMovement.h"

namespace quellix {

Tvt6SpriteMovement::~Tvt6SpriteMovement() = default;

void Tvt6SpriteMovement::Execute() {}

}  // namespace quellix
