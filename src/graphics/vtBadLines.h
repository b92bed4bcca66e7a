// The lines of one data file that could not be read in one load. Every one goes to the
// log, with where it stands; the first few are also shown to the player in a message
// box, and one closing line tells how many there were, so a badly damaged file cannot
// bury the player in boxes. Once the player has asked to close the program, no further
// box is shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quellix {

class IWindowSystem;
class ILog;

class TBadLines {
 public:
  static constexpr int32_t MaxShown = 3;

  // File names the data in the log lines; it may be empty for lines of no file.
  TBadLines(ILog& log, IWindowSystem& window, std::string file);

  // Where the line being read stands: its index in the file (from 0) and, for a frame
  // line, its reel, scene and frame number ("Holes/RedHole frame 2"). The names must
  // outlive the reports of that line; nothing is built until a line is bad.
  void SetPlace(size_t line, std::string_view reel = {}, std::string_view scene = {},
                int frame = 0);
  // Logs the message with the place and shows it while fewer than MaxShown were shown.
  void Report(const std::string& message);
  int32_t Count() const { return fCount; }
  // When any line was bad: logs how many, and shows how many were not shown.
  void Finish();

 private:
  std::string Place() const;

  ILog& fLog;
  IWindowSystem& fWindow;
  std::string fFile;
  size_t fLine = 0;
  std::string_view fReel, fScene;
  int fFrame = 0;
  int32_t fCount = 0;
  int32_t fShown = 0;
};

}  // namespace quellix
