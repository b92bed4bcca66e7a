#include "vtAnimationCheck.h"

#include <set>
#include <stdexcept>
#include <string>

#include "base/vtRandom.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtNameIndex.h"
#include "graphics/vtPlatform.h"
#include "shell/vtErrorLogger.h"

namespace quellix::datacheck {

namespace {

// The loader logs every bad frame line with where it stands; the message boxes it shows
// for the first few are not needed here.
class TLoaderWindow final : public IWindowSystem {
 public:
  std::string ExeDir() const override { return {}; }
  void ProcessMessages() override {}
  void HideCursor() override {}
  void ShowProgress(std::string_view, int32_t, int32_t) override {}
  void FreeProgress() override {}
  void ShowMessage(std::string_view) override {}
  void ShowModal(IModalWindow&, std::function<void()>) override {}
  void CloseMainWindow() override {}
};

// A stamp that no message line can equal, so the log's lines split back into messages.
constexpr const char* Stamp = "\x01";

std::vector<std::string> LoggedMessages(const TfrmErrorLog& log) {
  std::vector<std::string> messages;
  const auto& lines = log.Lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != Stamp) continue;
    std::string message;
    for (size_t j = i + 1; j < lines.size() && lines[j] != TfrmErrorLog::Separator; ++j)
      message += (j > i + 1 ? " " : "") + lines[j];
    messages.push_back(std::move(message));
  }
  return messages;
}

void CheckFrames(const Tvt6AnimationEngine& animations, const TDataFile& file,
                 TFindings& findings) {
  for (int r = 0; r < animations.ReelCount(); ++r) {
    const Tvt6Reel& reel = *animations.Reel(r);
    for (int s = 0; s < reel.SceneCount(); ++s) {
      const Tvt6Scene& scene = *reel.Scene(s);
      for (int f = 0; f < scene.FrameCount(); ++f)
        if (scene.Frame(f)->ImageIndex < 0)
          findings.Add(file, reel.Name + "/" + scene.Name + " frame " + std::to_string(f + 1) +
                                 ": image \"" + scene.Frame(f)->ImageName +
                                 "\" is not in sprites.vtg");
    }
  }
}

void CheckScenes(const Tvt6AnimationEngine& animations, const std::vector<TSceneName>& required,
                 const TDataFile& file, TFindings& findings) {
  std::set<std::string> missingReels;
  for (const TSceneName& name : required) {
    const Tvt6Reel* reel = animations.ReelByName(name.Reel);
    if (!reel) {
      if (missingReels.insert(LowerCase(name.Reel)).second)
        findings.Add(file, "reel " + name.Reel + " is missing");
    } else if (!reel->SceneByName(name.Scene)) {
      findings.Add(file, "scene " + name.Reel + "/" + name.Scene + " is missing");
    }
  }
}

}  // namespace

int32_t CheckAnimation(const TDataFile& file, const IImageList* images,
                       const std::vector<TSceneName>& required, TFindings& findings) {
  TfrmErrorLog log([] { return std::string(Stamp); });
  TRandom random;
  TLoaderWindow window;
  Tvt6AnimationEngine animations({log, random, window});
  try {
    animations.LoadFromFile(file.Path);
  } catch (const std::exception& e) {
    findings.AddError(file, e.what());
  }
  for (const std::string& message : LoggedMessages(log)) findings.AddError(file, message);

  if (images) {
    animations.LinkImages(*images);
    CheckFrames(animations, file, findings);
  }
  CheckScenes(animations, required, file, findings);

  int32_t scenes = 0;
  for (int r = 0; r < animations.ReelCount(); ++r) scenes += animations.Reel(r)->SceneCount();
  return scenes;
}

}  // namespace quellix::datacheck
