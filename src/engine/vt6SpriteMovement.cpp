#include "engine/vt6SpriteMovement.h"

namespace quellix {

Tvt6SpriteMovement::~Tvt6SpriteMovement() = default;

void Tvt6SpriteMovement::Execute() {}

}  // namespace quellix
