// Where the back end reports what it cannot do (no sound device, a missing typeface).
// Those facts are found while the platform is built, before the game has attached its
// error log, so lines written earlier are kept and handed over on Attach.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace quellix::media {

class TPlatformLog {
 public:
  using TSink = std::function<void(const std::string&)>;

  void Attach(TSink sink);
  void Write(const std::string& line);
  // Writes the line only the first time this key is seen.
  void Once(const std::string& key, const std::string& line);

 private:
  TSink fSink;
  std::vector<std::string> fPending;
  std::set<std::string> fSeen;
};

}  // namespace quellix::media
