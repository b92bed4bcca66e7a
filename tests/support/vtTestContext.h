// An engine context for unit tests: a log with a fixed stamp, a seeded generator and
// the recording fake platform as the window system.
#pragma once

#include <string>
#include <vector>

#include "base/vtRandom.h"
#include "graphics/vtContext.h"
#include "shell/vtErrorLogger.h"
#include "support/vtFakeMedia.h"

namespace quellix::testing {

struct TTestContext {
  static constexpr const char* Stamp = "@stamp@";

  TfrmErrorLog Log{[] { return std::string(Stamp); }};
  TRandom Random{12345};
  TFakePlatform Platform;
  TVintorContext Context{Log, Random, Platform};

  // The messages logged so far, each as it was passed to Log (the log window splits
  // a message at its carriage returns; they are put back).
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    const auto& lines = Log.Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i] != Stamp) continue;
      std::string message;
      for (size_t j = i + 1; j < lines.size() && lines[j] != TfrmErrorLog::Separator; ++j) {
        if (j > i + 1) message += '\r';
        message += lines[j];
      }
      messages.push_back(message);
    }
    return messages;
  }
};

}  // namespace quellix::testing
