#include "services/vtFlagClass.h"

namespace quellix {

void Tvt6FlagEngine::Delete(int32_t index) {
  if (index < 0 || index >= Count()) return;
  fFlags.erase(fFlags.begin() + index);
}

}  // namespace quellix
