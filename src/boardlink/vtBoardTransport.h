// How the game talks to a shared high-score board: one request at a time, answered with
// the board's status and body, or with why no answer came. The HTTP implementation is
// vtHttpTransport.h; tests put their own in its place.
#pragma once

#include <string>

namespace quellix {

struct TBoardResponse {
  // The HTTP status; 0 when no answer came (then Error says why).
  int Status = 0;
  std::string Body;
  std::string Error;
  // Seconds the board asks to wait before trying again (Retry-After); 0 when it says none.
  int RetryAfter = 0;
};

class IBoardTransport {
 public:
  virtual ~IBoardTransport() = default;
  // path is below the board's address and starts with '/'.
  virtual TBoardResponse Get(const std::string& path) = 0;
  virtual TBoardResponse Post(const std::string& path, const std::string& body,
                              const std::string& contentType) = 0;
  // From any thread: ends a request under way at once, and makes every later one fail.
  virtual void Cancel() = 0;
};

}  // namespace quellix
