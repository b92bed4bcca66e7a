#include "vtConfigCheck.h"

#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "config/vtConfigClasses.h"
#include "config/vtEnemySettings.h"
#include "config/vtStrToInt.h"
#include "graphics/vtNameIndex.h"

namespace quellix::datacheck {

namespace {

// A range of more variants than this, or starting beyond the second bound, is a typo:
// expanding it would only bury the report in names.
constexpr int32_t MaxImageVariants = 100;
constexpr int32_t MaxImageNumber = 1'000'000;

// Image ranges beside a kind's own LowImage..: the spirals' shot variants.
struct TExtraRange {
  TEnemyKind Kind;
  std::string_view LowField;
  std::string_view HighField;
};
constexpr TExtraRange ShotRanges[] = {{TEnemyKind::Spirals, "Shot_LowImage", "Shot_HighImage"}};

// Every Inc_ value but the three _Increase steps counts levels, and the level advance
// divides by it. (active_mod counts levels too, but only a positive one is used, and a
// positive one is at least 1; 0 or less keeps the kind away.)
bool IsInterval(std::string_view field) {
  return field.starts_with("Inc_") && !field.ends_with("_Increase");
}

using TValues = std::map<std::string, int32_t, std::less<>>;

class TSceneSet {
 public:
  void Add(const TSceneName& name) {
    if (fKeys.insert(LowerCase(name.Reel + "/" + name.Scene)).second) Names.push_back(name);
  }
  std::vector<TSceneName> Names;

 private:
  std::set<std::string> fKeys;
};

class TConfigCheck {
 public:
  TConfigCheck(const TDataFile& file, TFindings& findings) : fFile(file), fFindings(findings) {}

  std::vector<TSceneName> Run() {
    try {
      fConfig.LoadFromFile(fFile.Path);
    } catch (const std::exception& e) {
      fFindings.AddError(fFile, e.what());
    }
    for (const TEnemyKindFields& kind : fKinds)
      if (!fConfig.FindGroup(kind.Group))
        fFindings.Add(fFile, "group " + std::string(kind.Group) + " is missing");
    for (std::string_view section : DifficultySections) CheckSection(section);
    return std::move(fScenes.Names);
  }

 private:
  void CheckSection(std::string_view section) {
    std::map<std::string_view, TValues> values;  // by group
    bool complete = true;
    for (const TEnemyKindFields& kind : fKinds)
      values[kind.Group] = ReadKind(kind, section, complete);
    // The game's loader stops at the first unreadable field, which is named already.
    if (complete) {
      TEnemySettings settings;
      try {
        LoadEnemySettings(fConfig, section, settings);
      } catch (const std::exception& e) {
        fFindings.AddError(fFile, e.what());
      }
    }
    AddScenes(values, section);
  }

  // Clears complete when a field cannot be read.
  TValues ReadKind(const TEnemyKindFields& kind, std::string_view section, bool& complete) {
    const Tvt6ConfigCollection* group = fConfig.FindGroup(kind.Group);
    const std::string where = std::string(kind.Group) + "/" + std::string(section) + ": ";
    TValues values;
    complete = complete && group && group->FindSection(section);
    if (!group) return values;  // named once above
    if (!group->FindSection(section)) {
      fFindings.Add(fFile, where + "section is missing");
      return values;
    }
    for (std::string_view field : kind.Fields) {
      const std::string text = fConfig.GetValue(kind.Group, section, field);
      const std::string name(field);
      if (text.empty()) {
        fFindings.Add(fFile, where + name + " is missing");
        complete = false;
        continue;
      }
      int32_t value = 0;
      try {
        value = StrToInt(text);
      } catch (const std::invalid_argument&) {
        fFindings.Add(fFile, where + name + " is not a whole number: \"" + text + "\"");
        complete = false;
        continue;
      }
      if (IsInterval(field) && value == 0)
        fFindings.Add(fFile, where + "interval " + name + " is 0 (must be at least 1)");
      else if (IsInterval(field) && value < 0)
        fFindings.Add(fFile, where + "interval " + name + " is " + std::to_string(value) +
                                 " (suspicious: must be at least 1)");
      values.emplace(name, value);
    }
    return values;
  }

  // The range named by two fields of a kind's values; the usual range where they are
  // missing (already reported) or out of all proportion.
  TImageRange Range(const TValues& values, std::string_view lowField, std::string_view highField,
                    const std::string& where) {
    const auto low = values.find(lowField), high = values.find(highField);
    if (low == values.end() || high == values.end()) return {};
    if (high->second > MaxImageVariants || std::abs(int64_t{low->second}) > MaxImageNumber) {
      fFindings.Add(fFile, where + std::string(lowField) + " " + std::to_string(low->second) +
                               ", " + std::string(highField) + " " + std::to_string(high->second) +
                               " is no plausible image range");
      return {};
    }
    return {low->second, high->second};
  }

  void AddScenes(const std::map<std::string_view, TValues>& values, std::string_view section) {
    auto where = [&](const TEnemyNames& names) {
      return std::string(names.Group) + "/" + std::string(section) + ": ";
    };
    auto valuesOf = [&](const TEnemyNames& names) -> const TValues& {
      const auto found = values.find(names.Group);
      return found == values.end() ? fNoValues : found->second;
    };
    TImageRanges ranges;
    for (const TEnemyNames& names : AllEnemyNames())
      ranges.at(static_cast<size_t>(names.Kind)) =
          Range(valuesOf(names), "LowImage", "HighImage", where(names));
    for (const TSceneName& scene : RequiredScenes(ranges)) fScenes.Add(scene);

    for (const TExtraRange& extra : ShotRanges) {
      const TEnemyNames& names = EnemyNames(extra.Kind);
      const TImageRange range =
          Range(valuesOf(names), extra.LowField, extra.HighField, where(names));
      for (int32_t image = range.First(); image <= range.Last(); ++image)
        fScenes.Add({std::string(names.Reel), EnemyShotScene(extra.Kind, image)});
    }
  }

  const TDataFile& fFile;
  TFindings& fFindings;
  Tvt6ConfigurationMgr fConfig;
  const std::vector<TEnemyKindFields> fKinds = EnemySettingsFields();
  TSceneSet fScenes;
  const TValues fNoValues;
};

}  // namespace

std::vector<TSceneName> CheckConfiguration(const TDataFile& file, TFindings& findings) {
  return TConfigCheck(file, findings).Run();
}

}  // namespace quellix::datacheck
