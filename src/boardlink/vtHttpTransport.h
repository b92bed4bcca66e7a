// The board reached over HTTP or HTTPS with cpp-httplib. An address is
// "http://host[:port][/path]" (or https); requests go to the path below it.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "boardlink/vtBoardTransport.h"

namespace quellix {

struct THttpTimeouts {
  std::chrono::seconds Connect{5};
  // Waiting for the answer: a board checks a game before it answers.
  std::chrono::seconds Read{60};
  std::chrono::seconds Write{10};
};

// Throws std::invalid_argument when address is not one (services' IsBoardAddress).
std::unique_ptr<IBoardTransport> MakeHttpTransport(const std::string& address,
                                                   const THttpTimeouts& timeouts = {});

}  // namespace quellix
