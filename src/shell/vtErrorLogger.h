// The process-wide log: start-up progress and every error the engine and the game
// loop catch. Entries are kept in a 300-line window in memory and, once Open has
// succeeded, written to the log file as well. Logging never fails its caller.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <string>

#include "base/vtLog.h"

namespace quellix {

class TfrmErrorLog : public ILog {
 public:
  static constexpr size_t MaxLines = 300;
  static constexpr const char* Caption = "Debug Widow";
  static constexpr const char* FirstLine = "Vintor Debug Window 1.0";
  static constexpr const char* StartLine = "Vintor Version 6.0 Logger Successfully Initialized";
  static constexpr const char* Separator = "----------------------------------------";

  using TStampSource = std::function<std::string()>;

  // The stamp source defaults to the local date and time; tests pass a fixed one.
  explicit TfrmErrorLog(TStampSource stamp = {});
  ~TfrmErrorLog();
  TfrmErrorLog(const TfrmErrorLog&) = delete;
  TfrmErrorLog& operator=(const TfrmErrorLog&) = delete;

  // Creates or truncates the file; throws std::runtime_error when that fails.
  void Open(const std::string& fileName);
  void Log(const std::string& message) noexcept override;

  const std::deque<std::string>& Lines() const { return fLines; }
  // Every message from now on is also passed to forward (none: no longer).
  void SetForward(std::function<void(const std::string&)> forward) {
    fForward = std::move(forward);
  }
  bool FileOpen() const { return fFile != nullptr; }

  static std::string LocalStamp();

 private:
  void AppendLine(const std::string& line);

  TStampSource fStamp;
  std::function<void(const std::string&)> fForward;
  std::deque<std::string> fLines;
  std::FILE* fFile = nullptr;
};

}  // namespace quellix
