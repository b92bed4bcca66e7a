#include "shell/vtErrorLogger.h"

#include <ctime>
#include <stdexcept>

#include "base/vtFileSystem.h"

namespace quellix {

TfrmErrorLog::TfrmErrorLog(TStampSource stamp) : fStamp(std::move(stamp)) {
  if (!fStamp) fStamp = &TfrmErrorLog::LocalStamp;
  fLines.emplace_back(FirstLine);
}

TfrmErrorLog::~TfrmErrorLog() {
  if (fFile) std::fclose(fFile);
}

std::string TfrmErrorLog::LocalStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

void TfrmErrorLog::Open(const std::string& fileName) {
  std::FILE* file = OpenCFile(fileName, "wb");
  if (!file) throw std::runtime_error("Cannot create file \"" + fileName + "\"");
  {
    const std::lock_guard lock(fMutex);
    if (fFile) std::fclose(fFile);
    fFile = file;
  }
  Log(StartLine);
}

// A message with line breaks fills several lines of the window, as it would in a
// text box; the file gets it unchanged.
void TfrmErrorLog::AppendLine(const std::string& text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      fLines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  fLines.push_back(text.substr(start));
}

void TfrmErrorLog::Log(const std::string& message) noexcept {
  try {
    const std::lock_guard lock(fMutex);
    const std::string stamp = fStamp();
    AppendLine(stamp);
    AppendLine(message);
    AppendLine(Separator);
    while (fLines.size() > MaxLines) fLines.pop_front();
    if (fFile) {
      std::fprintf(fFile, "%s\n%s\n%s\n", stamp.c_str(), message.c_str(), Separator);
      std::fflush(fFile);
    }
    if (fForward) fForward(message);
  } catch (...) {
    // The log must never fail its caller.
  }
}

}  // namespace quellix
