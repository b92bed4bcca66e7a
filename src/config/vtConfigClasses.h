// The configuration tree: groups (one per enemy kind) of sections (one per difficulty)
// of named text values, read from the first line of "data/config.txt". Every level of
// the file is a nested comma list. Names match exactly (case-sensitive, untrimmed); the
// first of equal names wins. The tree stores texts only: callers convert.
//
// Failures are exceptions raised to the caller: std::out_of_range when a text lacks an
// item it needs, std::runtime_error when the file cannot be read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/vtTextFile.h"

namespace quellix {

struct TEnemySettings;

// Ends a group's sections; the group's declared value names follow it.
inline constexpr std::string_view VarNamesMarker = "<##VarNames##>";

class Tvt6ConfigElement {
 public:
  std::string Name;
  std::string Value;

  // "name,value"; an empty value is stored as "0", a missing one is an index error.
  void ParseText(std::string_view text);
  void SetName(std::string name) { Name = std::move(name); }
  void SetValue(std::string value) { Value = std::move(value); }
};

class Tvt6ConfigValues {
 public:
  std::string Name;

  Tvt6ConfigElement& AddElement();
  void Clear() { fElements.clear(); }
  int32_t Count() const { return static_cast<int32_t>(fElements.size()); }
  Tvt6ConfigElement& Element(int32_t index);
  const Tvt6ConfigElement& Element(int32_t index) const;
  // Appends Name with the value "0" unless an element of that name exists.
  void EnsureElement(const std::string& name);
  // "name,element,element,..."
  void ParseText(std::string_view text);
  void SetName(std::string name) { Name = std::move(name); }
  // The value of the first element named name; the empty text when there is none.
  std::string GetValue(std::string_view name) const;

 private:
  const Tvt6ConfigElement* Find(std::string_view name) const;

  std::vector<std::unique_ptr<Tvt6ConfigElement>> fElements;
};

class Tvt6ConfigCollection {
 public:
  std::string Name;

  // A new section holding every declared name.
  Tvt6ConfigValues& AddSection();
  // Declares a name: every section gets it (value "0") unless it has it already.
  // Returns the name's index among the declared names.
  int32_t AddVarName(const std::string& name);
  void Clear();
  int32_t SectionCount() const { return static_cast<int32_t>(fSections.size()); }
  Tvt6ConfigValues& Section(int32_t index);
  const Tvt6ConfigValues& Section(int32_t index) const;
  int32_t VarNameCount() const { return static_cast<int32_t>(fVarNames.size()); }
  const std::string& VarName(int32_t index) const;
  const Tvt6ConfigValues* FindSection(std::string_view name) const;
  // "name,section,section,...,<##VarNames##>,varname,varname,..."
  void ParseText(std::string_view text);
  void SetName(std::string name) { Name = std::move(name); }

 private:
  std::vector<std::unique_ptr<Tvt6ConfigValues>> fSections;
  std::vector<std::string> fVarNames;
};

class Tvt6ConfigurationMgr {
 public:
  Tvt6ConfigCollection& AddGroup();
  void Clear();
  int32_t GroupCount() const { return static_cast<int32_t>(fGroups.size()); }
  Tvt6ConfigCollection& Group(int32_t index);
  const Tvt6ConfigCollection& Group(int32_t index) const;
  void DeleteGroup(int32_t index);
  const Tvt6ConfigCollection* FindGroup(std::string_view name) const;

  // The value of (group, section, name), taking the first exact match at each level;
  // the empty text when any of the three is missing.
  std::string GetValue(std::string_view group, std::string_view section,
                       std::string_view name) const;

  // Parses the file's first line; further lines are ignored. Groups are appended to
  // those already loaded, and those appended before a failure stay. A first line
  // without groups is told to log.
  void LoadFromFile(const std::string& path, const TLoadLog& log = {});
  // "group,group,..."
  void ParseText(std::string_view text);

  // Fill every enemy kind's settings record from the difficulty's section.
  void LoadChild(TEnemySettings& settings) const;
  void LoadEasy(TEnemySettings& settings) const;
  void LoadMedium(TEnemySettings& settings) const;
  void LoadHard(TEnemySettings& settings) const;

 private:
  std::vector<std::unique_ptr<Tvt6ConfigCollection>> fGroups;
};

}  // namespace quellix
