#include "support/vtLinkedGameData.h"

#include "shell/vtGameDataLinks.h"

namespace quellix::testing {

TLinkedGameData::TLinkedGameData() {
  LinkGameData(QUELLIX_RUN_DIR, fFolder.Path());
}

}  // namespace quellix::testing
