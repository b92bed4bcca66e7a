#include "vtDataCheck.h"

#include <filesystem>
#include <stdexcept>

#include "config/vtEnemySettings.h"
#include "config/vtPattern.h"
#include "config/vtTextFile.h"
#include "game/vtAssetNames.h"
#include "media/vtHeadlessPlatform.h"
#include "vtAnimationCheck.h"
#include "vtCheckReport.h"
#include "vtConfigCheck.h"

namespace quellix::datacheck {

namespace {

// Loads an archive into the game's list, which decodes every payload; false when the
// list refuses it (the list then stays empty).
template <class TList>
bool LoadList(TList& list, const TDataFile& file, TFindings& findings) {
  try {
    list.LoadFromFile(file.Path);
    return true;
  } catch (const std::exception& e) {
    findings.AddError(file, e.what());
    return false;
  }
}

void CheckSounds(const ISoundList& sounds, const TDataFile& file, TFindings& findings) {
  for (std::string_view name : RequiredSounds())
    if (sounds.IndexOf(name) < 0) findings.Add(file, "sound " + std::string(name) + " is missing");
}

// Reads as the pattern manager's LoadFromFile does, but keeps the error it drops: the
// patterns after a bad one are lost to the game.
int32_t CheckPatterns(const TDataFile& file, TFindings& findings) {
  Tvt6PatternManager patterns;
  try {
    const TStringList lines = SplitLines(ReadTextFile(file.Path));
    patterns.ParseText(lines.empty() ? std::string() : lines[0]);
  } catch (const std::exception& e) {
    if (patterns.Count() == 0)
      findings.AddError(file, e.what());
    else
      findings.Add(file, "pattern " + patterns.Pattern(patterns.Count() - 1).Name + ": " +
                             e.what() + " (the patterns after it are not read)");
  }
  for (const std::string& name : RequiredPatterns()) {
    const Tvt6Pattern* pattern = patterns.FindPattern(name);
    if (!pattern)
      findings.Add(file, "pattern " + name + " is missing");
    else if (pattern->Count() == 0)
      findings.Add(file, "pattern " + name + " has no points");
  }
  return patterns.Count();
}

}  // namespace

std::string TDataReport::Summary() const {
  if (!Ok()) return "data check failed: " + std::to_string(Findings.size()) + " findings";
  return "data OK: " + std::to_string(Scenes) + " scenes, " + std::to_string(Images) + " images, " +
         std::to_string(Sounds) + " sounds, " + std::to_string(Patterns) + " patterns, " +
         std::to_string(Kinds) + " kinds x " + std::to_string(Sections) + " sections";
}

TDataReport CheckData(const std::string& dir) {
  auto at = [&dir](std::string_view name) {
    return TDataFile{name, (std::filesystem::path(dir) / name).string()};
  };
  const TDataFile imageFile = at("sprites.vtg"), soundFile = at("sounds.vtw"),
                  animationFile = at("data/quellix.txt"), patternFile = at("data/patterns.txt"),
                  configFile = at("data/config.txt");

  TDataReport report;
  TFindings findings(report.Findings);
  media::THeadlessOptions options;
  options.ExeDir = dir;
  // No sound device: the sound list then decodes every WAV all the same, and the check
  // runs alike on machines with and without sound.
  options.AudioDriver = "none";
  media::THeadlessPlatform platform(options);

  const bool imagesLoaded = LoadList(platform.ImageList(), imageFile, findings);
  if (LoadList(platform.SoundList(), soundFile, findings))
    CheckSounds(platform.SoundList(), soundFile, findings);
  const std::vector<TSceneName> scenes = CheckConfiguration(configFile, findings);
  report.Scenes = CheckAnimation(animationFile, imagesLoaded ? &platform.ImageList() : nullptr,
                                 scenes, findings);
  report.Patterns = CheckPatterns(patternFile, findings);

  report.Images = platform.ImageList().Count();
  report.Sounds = platform.SoundList().Count();
  report.Kinds = static_cast<int32_t>(EnemySettingsFields().size());
  report.Sections = static_cast<int32_t>(DifficultySections.size());
  return report;
}

}  // namespace quellix::datacheck
