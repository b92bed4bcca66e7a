#include "config/vtConfigClasses.h"

#include <stdexcept>

#include "config/vtCommaList.h"
#include "config/vtEnemySettings.h"
#include "config/vtTextFile.h"

namespace quellix {

namespace {

// Item index of a split text; running past the end is an index error that shows
// the start of the offending text.
const std::string& ItemAt(const TStringList& items, size_t index, std::string_view level,
                          std::string_view text) {
  if (index >= items.size()) {
    constexpr size_t Shown = 60;
    std::string excerpt(text.substr(0, Shown));
    if (text.size() > Shown) excerpt += "...";
    throw std::out_of_range("Configuration " + std::string(level) + " text has no item " +
                            std::to_string(index) + ": \"" + excerpt + "\"");
  }
  return items[index];
}

template <class T>
T& At(const std::vector<std::unique_ptr<T>>& list, int32_t index, std::string_view what) {
  if (index < 0 || static_cast<size_t>(index) >= list.size())
    throw std::out_of_range(std::string(what) + " index " + std::to_string(index) +
                            " out of range (count " + std::to_string(list.size()) + ")");
  return *list[static_cast<size_t>(index)];
}

}  // namespace

// ---- Tvt6ConfigElement --------------------------------------------------------

void Tvt6ConfigElement::ParseText(std::string_view text) {
  const TStringList items = Split(text);
  Name = ItemAt(items, 0, "element", text);
  const std::string& value = ItemAt(items, 1, "element", text);
  Value = value.empty() ? "0" : value;
}

// ---- Tvt6ConfigValues ---------------------------------------------------------

Tvt6ConfigElement& Tvt6ConfigValues::AddElement() {
  return *fElements.emplace_back(std::make_unique<Tvt6ConfigElement>());
}

Tvt6ConfigElement& Tvt6ConfigValues::Element(int32_t index) {
  return At(fElements, index, "Configuration element");
}

const Tvt6ConfigElement& Tvt6ConfigValues::Element(int32_t index) const {
  return At(fElements, index, "Configuration element");
}

const Tvt6ConfigElement* Tvt6ConfigValues::Find(std::string_view name) const {
  for (const auto& element : fElements)
    if (element->Name == name) return element.get();
  return nullptr;
}

void Tvt6ConfigValues::EnsureElement(const std::string& name) {
  if (Find(name)) return;
  Tvt6ConfigElement& element = AddElement();
  element.Name = name;
  element.Value = "0";
}

void Tvt6ConfigValues::ParseText(std::string_view text) {
  Clear();
  const TStringList items = Split(text);
  Name = ItemAt(items, 0, "section", text);
  for (size_t i = 1; i < items.size(); ++i) AddElement().ParseText(items[i]);
}

std::string Tvt6ConfigValues::GetValue(std::string_view name) const {
  const Tvt6ConfigElement* element = Find(name);
  return element ? element->Value : std::string();
}

// ---- Tvt6ConfigCollection -----------------------------------------------------

Tvt6ConfigValues& Tvt6ConfigCollection::AddSection() {
  Tvt6ConfigValues& section = *fSections.emplace_back(std::make_unique<Tvt6ConfigValues>());
  for (const std::string& name : fVarNames) section.EnsureElement(name);
  return section;
}

int32_t Tvt6ConfigCollection::AddVarName(const std::string& name) {
  for (const auto& section : fSections) section->EnsureElement(name);
  fVarNames.push_back(name);
  return VarNameCount() - 1;
}

void Tvt6ConfigCollection::Clear() {
  fSections.clear();
  fVarNames.clear();
}

Tvt6ConfigValues& Tvt6ConfigCollection::Section(int32_t index) {
  return At(fSections, index, "Configuration section");
}

const Tvt6ConfigValues& Tvt6ConfigCollection::Section(int32_t index) const {
  return At(fSections, index, "Configuration section");
}

const std::string& Tvt6ConfigCollection::VarName(int32_t index) const {
  if (index < 0 || index >= VarNameCount())
    throw std::out_of_range("Configuration value name index " + std::to_string(index) +
                            " out of range (count " + std::to_string(fVarNames.size()) + ")");
  return fVarNames[static_cast<size_t>(index)];
}

const Tvt6ConfigValues* Tvt6ConfigCollection::FindSection(std::string_view name) const {
  for (const auto& section : fSections)
    if (section->Name == name) return section.get();
  return nullptr;
}

void Tvt6ConfigCollection::ParseText(std::string_view text) {
  Clear();
  const TStringList items = Split(text);
  Name = ItemAt(items, 0, "group", text);
  // The marker is required: without it the items run out, which is an index error.
  size_t i = 1;
  for (;; ++i) {
    const std::string& item = ItemAt(items, i, "group", text);
    if (item == VarNamesMarker) break;
    AddSection().ParseText(item);
  }
  for (++i; i < items.size(); ++i) AddVarName(items[i]);
}

// ---- Tvt6ConfigurationMgr -----------------------------------------------------

Tvt6ConfigCollection& Tvt6ConfigurationMgr::AddGroup() {
  return *fGroups.emplace_back(std::make_unique<Tvt6ConfigCollection>());
}

void Tvt6ConfigurationMgr::Clear() {
  while (!fGroups.empty()) DeleteGroup(0);
}

Tvt6ConfigCollection& Tvt6ConfigurationMgr::Group(int32_t index) {
  return At(fGroups, index, "Configuration group");
}

const Tvt6ConfigCollection& Tvt6ConfigurationMgr::Group(int32_t index) const {
  return At(fGroups, index, "Configuration group");
}

void Tvt6ConfigurationMgr::DeleteGroup(int32_t index) {
  At(fGroups, index, "Configuration group");
  fGroups.erase(fGroups.begin() + index);
}

const Tvt6ConfigCollection* Tvt6ConfigurationMgr::FindGroup(std::string_view name) const {
  for (const auto& group : fGroups)
    if (group->Name == name) return group.get();
  return nullptr;
}

std::string Tvt6ConfigurationMgr::GetValue(std::string_view group, std::string_view section,
                                           std::string_view name) const {
  const Tvt6ConfigCollection* g = FindGroup(group);
  const Tvt6ConfigValues* s = g ? g->FindSection(section) : nullptr;
  return s ? s->GetValue(name) : std::string();
}

void Tvt6ConfigurationMgr::LoadFromFile(const std::string& path, const TLoadLog& log) {
  const TStringList lines = SplitLines(ReadTextFile(path));
  if (lines.empty())
    throw std::out_of_range("Configuration file \"" + path + "\" has no first line");
  const int32_t groupsBefore = GroupCount();
  try {
    ParseText(lines.front());
  } catch (const std::out_of_range& e) {
    // The error ends start-up: it names the file to mend.
    throw std::out_of_range("Configuration file \"" + path + "\": " + e.what());
  }
  if (GroupCount() == groupsBefore && log)
    log("Configuration file \"" + path + "\" holds no groups");
}

void Tvt6ConfigurationMgr::ParseText(std::string_view text) {
  for (const std::string& item : Split(text)) AddGroup().ParseText(item);
}

void Tvt6ConfigurationMgr::LoadChild(TEnemySettings& settings) const {
  LoadEnemySettings(*this, "child", settings);
}

void Tvt6ConfigurationMgr::LoadEasy(TEnemySettings& settings) const {
  LoadEnemySettings(*this, "easy", settings);
}

void Tvt6ConfigurationMgr::LoadMedium(TEnemySettings& settings) const {
  LoadEnemySettings(*this, "medium", settings);
}

void Tvt6ConfigurationMgr::LoadHard(TEnemySettings& settings) const {
  LoadEnemySettings(*this, "hard", settings);
}

}  // namespace quellix
