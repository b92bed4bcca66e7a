#include "media/vtPlatformLog.h"

namespace quellix::media {

void TPlatformLog::Attach(TSink sink) {
  fSink = std::move(sink);
  if (!fSink) return;
  for (const std::string& line : fPending) fSink(line);
  fPending.clear();
}

void TPlatformLog::Write(const std::string& line) {
  if (fSink)
    fSink(line);
  else
    fPending.push_back(line);
}

void TPlatformLog::Once(const std::string& key, const std::string& line) {
  if (fSeen.insert(key).second) Write(line);
}

}  // namespace quellix::media
