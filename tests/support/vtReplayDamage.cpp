#include "support/vtReplayDamage.h"

#include <gtest/gtest.h>

#include "base/vtRandom.h"
#include "shell/vtReplayFile.h"

namespace quellix::testing {

void ExpectReported(const std::string& text, const std::string& what) {
  try {
    ReadReplay(text, "damaged.replay");
    ADD_FAILURE() << what << " was read as a good replay";
  } catch (const TReplayError& e) {
    const std::string message = e.what();
    EXPECT_TRUE(message.starts_with("damaged.replay: line ") ||
                message.starts_with("damaged.replay is a replay of format"))
        << what << ": " << message;
  }
}

void ExpectEveryDamageReported(const std::string& good) {
  for (size_t cut = 0; cut < good.size(); ++cut)
    ExpectReported(good.substr(0, cut), "cut at " + std::to_string(cut));

  TRandom random(7);  // the test's own generator
  for (int i = 0; i < 3000; ++i) {
    std::string damaged = good;
    const auto at = static_cast<size_t>(random.Random(static_cast<int32_t>(good.size())));
    const char byte = static_cast<char>(random.Random(256));
    switch (random.Random(4)) {
      case 0:
        damaged[at] = byte;
        break;
      case 1:
        damaged.erase(at, 1 + random.Random(40));
        break;
      case 2:
        damaged.insert(at, 1 + random.Random(3), byte);
        break;
      default: {
        // A line said twice.
        const size_t start = damaged.rfind('\n', at) + 1;
        damaged.insert(start, damaged.substr(start, damaged.find('\n', start) + 1 - start));
      }
    }
    if (damaged != good) ExpectReported(damaged, "damage " + std::to_string(i));
  }
}

}  // namespace quellix::testing
