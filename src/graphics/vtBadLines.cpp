#include "graphics/vtBadLines.h"

#include "base/vtLog.h"
#include "graphics/vtPlatform.h"

namespace quellix {

TBadLines::TBadLines(ILog& log, IWindowSystem& window, std::string file)
    : fLog(log), fWindow(window), fFile(std::move(file)) {}

void TBadLines::SetPlace(size_t line, std::string_view reel, std::string_view scene, int frame) {
  fLine = line;
  fReel = reel;
  fScene = scene;
  fFrame = frame;
}

std::string TBadLines::Place() const {
  std::string place = fFile.empty() ? std::string() : "\"" + fFile + "\" ";
  place += "line " + std::to_string(fLine + 1);
  if (fFrame > 0)
    place +=
        ", " + std::string(fReel) + "/" + std::string(fScene) + " frame " + std::to_string(fFrame);
  return place;
}

void TBadLines::Report(const std::string& message) {
  ++fCount;
  fLog.Log(message + "\r" + Place());
  if (fShown >= MaxShown) return;
  // A close asked for while an earlier box was up is seen here.
  fWindow.ProcessMessages();
  if (fWindow.Closing()) return;
  ++fShown;
  fWindow.ShowMessage(message);
}

void TBadLines::Finish() {
  if (fCount == 0) return;
  const std::string file = fFile.empty() ? std::string("the data") : "\"" + fFile + "\"";
  const int32_t unshown = fCount - fShown;
  std::string summary = std::to_string(fCount) + (fCount == 1 ? " line" : " lines") + " of " +
                        file + " could not be read in full";
  if (unshown > 0) summary += "; " + std::to_string(unshown) + " of them were not shown";
  fLog.Log(summary);
  if (unshown > 0 && fShown > 0 && !fWindow.Closing())
    fWindow.ShowMessage(summary + " (every one is in log.txt)");
}

}  // namespace quellix
