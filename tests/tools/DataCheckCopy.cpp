#include "DataCheckCopy.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/vtCommaList.h"
#include "config/vtTextFile.h"

namespace quellix::testing {

namespace {

namespace fs = std::filesystem;

constexpr const char* Files[] = {"sprites.vtg", "sounds.vtw", "data/quellix.txt",
                                 "data/patterns.txt", "data/config.txt"};
constexpr std::string_view VarNamesMarker = "<##VarNames##>";

}  // namespace

TDataCopy::TDataCopy() {
  fs::create_directories(fs::path(Dir()) / "data");
  for (const char* file : Files) fs::copy_file(RunDir() + file, PathOf(file));
}

void TDataCopy::RemoveScene(std::string_view scene) {
  const std::string path = PathOf("data/quellix.txt");
  std::string text = ReadText(path);
  const size_t begin = text.find("[SCENEREC]\n" + std::string(scene) + "\n");
  ASSERT_NE(begin, std::string::npos) << "no scene " << scene;
  const std::string end = "[ENDSCENE]\n";
  const size_t last = text.find(end, begin);
  ASSERT_NE(last, std::string::npos);
  text.erase(begin, last + end.size() - begin);
  WriteText(path, text);
}

void TDataCopy::InsertLineAfter(std::string_view after, std::string_view line) {
  ReplaceInFile(PathOf("data/quellix.txt"), "\n" + std::string(after) + "\n",
                "\n" + std::string(after) + "\n" + std::string(line) + "\n");
}

void TDataCopy::RewriteArchive(std::string_view file, TArchiveKind kind, const TItemEdit& edit) {
  const std::string path = PathOf(file);
  const TArchive archive = ReadArchive(path, kind);
  TArchiveWriter writer(kind);
  for (size_t i = 0; i < archive.Entries.size(); ++i) {
    const TArchiveEntry& entry = archive.Entries[i];
    const auto original = archive.Payload(i);
    std::vector<uint8_t> payload(original.begin(), original.end());
    if (!edit(entry, payload)) continue;
    if (kind == TArchiveKind::Images)
      writer.AddImage(entry.Image, payload);
    else
      writer.AddSound(entry.Sound, payload);
  }
  writer.SaveToFile(path);
}

void TDataCopy::EditPattern(std::string_view name, bool keepName) {
  const std::string path = PathOf("data/patterns.txt");
  TStringList patterns = Split(FirstLine(path));
  bool found = false;
  for (auto it = patterns.begin(); it != patterns.end(); ++it) {
    if (Split(*it).at(0) != name) continue;
    found = true;
    if (keepName)
      *it = Join({std::string(name)});
    else
      patterns.erase(it);
    break;
  }
  ASSERT_TRUE(found) << "no pattern " << name;
  WriteText(path, Join(patterns) + "\n");
}

void TDataCopy::EditConfig(std::string_view group, std::string_view section, std::string_view field,
                           const std::optional<std::string>& value) {
  const std::string path = PathOf("data/config.txt");
  TStringList groups = Split(FirstLine(path));
  int edits = 0;
  for (std::string& groupText : groups) {
    TStringList items = Split(groupText);
    if (items.at(0) != group) continue;
    bool declared = false;
    for (size_t i = 1; i < items.size();) {
      if (items[i] == VarNamesMarker) {
        declared = true;
      } else if (declared && !value && items[i] == field) {
        items.erase(items.begin() + static_cast<long>(i));
        continue;
      } else if (!declared) {
        TStringList elements = Split(items[i]);
        for (size_t e = 1; elements.at(0) == section && e < elements.size(); ++e) {
          if (Split(elements[e]).at(0) != field) continue;
          ++edits;
          if (value)
            elements[e] = Join({std::string(field), *value});
          else
            elements.erase(elements.begin() + static_cast<long>(e));
          break;
        }
        items[i] = Join(elements);
      }
      ++i;
    }
    groupText = Join(items);
  }
  ASSERT_EQ(edits, 1) << group << "/" << section << "/" << field;
  WriteText(path, Join(groups) + "\n");
}

}  // namespace quellix::testing
