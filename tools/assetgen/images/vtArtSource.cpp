#include "images/vtArtSource.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "config/vtCommaList.h"

namespace quellix::assetgen {

namespace {

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  const size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

}  // namespace

TColorF LookUpColour(const TPalette& palette, const std::string& nameOrHex) {
  if (!nameOrHex.empty() && nameOrHex[0] == '#') return ParseHexColor(nameOrHex);
  const auto it = palette.find(nameOrHex);
  if (it == palette.end()) throw std::invalid_argument("unknown colour \"" + nameOrHex + "\"");
  return it->second;
}

void TArtSection::Set(const std::string& key, std::string value, int line) {
  if (fEntries.count(key))
    throw std::runtime_error(fFileName + ":" + std::to_string(line) + ": [" + fName + "] " + key +
                             " given twice");
  fEntries[key] = {std::move(value), line, false};
}

const TArtSection::TEntry& TArtSection::Entry(const std::string& key) const {
  const auto it = fEntries.find(key);
  if (it == fEntries.end()) throw std::runtime_error(fFileName + ": [" + fName + "] lacks " + key);
  it->second.Read = true;
  return it->second;
}

void TArtSection::Fail(const TEntry& entry, const std::string& what) const {
  throw std::runtime_error(fFileName + ":" + std::to_string(entry.Line) + ": [" + fName + "] " +
                           what);
}

std::vector<std::string> TArtSection::List(const std::string& key) const {
  const TEntry& e = Entry(key);
  std::vector<std::string> items = Split(e.Value);
  if (items.empty()) Fail(e, key + " is empty");
  return items;
}

std::string TArtSection::Text(const std::string& key) const {
  const TEntry& e = Entry(key);
  const std::vector<std::string> items = Split(e.Value);
  if (items.size() != 1) Fail(e, key + " must be one item (quote texts with blanks)");
  return items[0];
}

int TArtSection::Int(const std::string& key) const {
  const TEntry& e = Entry(key);
  const std::string text = Text(key);
  int v = 0;
  const auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (err != std::errc() || end != text.data() + text.size())
    Fail(e, key + " is not a whole number");
  return v;
}

std::vector<int> TArtSection::Ints(const std::string& key) const {
  const TEntry& e = Entry(key);
  std::vector<int> out;
  for (const std::string& item : List(key)) {
    int v = 0;
    const auto [end, err] = std::from_chars(item.data(), item.data() + item.size(), v);
    if (err != std::errc() || end != item.data() + item.size())
      Fail(e, key + " holds \"" + item + "\", not a whole number");
    out.push_back(v);
  }
  return out;
}

float TArtSection::Number(const std::string& key) const {
  const TEntry& e = Entry(key);
  const std::string text = Text(key);
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  float v = 0;
  if (!(in >> v) || !in.eof()) Fail(e, key + " is not a number");
  return v;
}

TSize TArtSection::Size(const std::string& key) const {
  const TEntry& e = Entry(key);
  const std::vector<std::string> items = List(key);
  TSize s;
  if (items.size() != 2 ||
      std::from_chars(items[0].data(), items[0].data() + items[0].size(), s.Width).ec !=
          std::errc() ||
      std::from_chars(items[1].data(), items[1].data() + items[1].size(), s.Height).ec !=
          std::errc() ||
      s.Width <= 0 || s.Height <= 0)
    Fail(e, key + " must be a width and a height above 0");
  return s;
}

TColorF TArtSection::Colour(const std::string& key) const {
  const TEntry& e = Entry(key);
  try {
    return LookUpColour(*fPalette, Text(key));
  } catch (const std::invalid_argument& ex) {
    Fail(e, ex.what());
  }
}

std::vector<TColorF> TArtSection::Colours(const std::string& key) const {
  const TEntry& e = Entry(key);
  std::vector<TColorF> out;
  try {
    for (const std::string& item : List(key)) out.push_back(LookUpColour(*fPalette, item));
  } catch (const std::invalid_argument& ex) {
    Fail(e, ex.what());
  }
  return out;
}

void TArtSection::CheckAllRead() const {
  for (const auto& [key, entry] : fEntries)
    if (!entry.Read) Fail(entry, "unknown key " + key);
}

TArtSource TArtSource::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot open file");
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str(), path);
}

TArtSource TArtSource::Parse(const std::string& text, const std::string& fileName) {
  TArtSource source;
  source.fFileName = fileName;
  std::istringstream in(text);
  std::string raw;
  bool inPalette = false;
  for (int line = 1; std::getline(in, raw); ++line) {
    const std::string s = Trim(raw);
    auto fail = [&](const std::string& what) {
      throw std::runtime_error(fileName + ":" + std::to_string(line) + ": " + what);
    };
    if (s.empty() || s[0] == '#') continue;
    if (s.front() == '[') {
      if (s.back() != ']' || s.size() < 3) fail("bad section line");
      const std::string name = s.substr(1, s.size() - 2);
      inPalette = name == "palette";
      if (!inPalette) {
        for (const TArtSection& sec : source.fSections)
          if (sec.Name() == name) fail("section [" + name + "] given twice");
        source.fSections.emplace_back(fileName, source.fPalette, name);
      }
      continue;
    }
    const size_t eq = s.find('=');
    if (eq == std::string::npos) fail("expected key = value");
    const std::string key = Trim(s.substr(0, eq)), value = Trim(s.substr(eq + 1));
    if (key.empty()) fail("empty key");
    if (inPalette) {
      try {
        (*source.fPalette)[key] = ParseHexColor(value);
      } catch (const std::invalid_argument& ex) {
        fail(ex.what());
      }
    } else if (source.fSections.empty()) {
      fail("key outside a section");
    } else {
      source.fSections.back().Set(key, value, line);
    }
  }
  return source;
}

const TArtSection& TArtSource::Section(const std::string& name) const {
  for (const TArtSection& s : fSections)
    if (s.Name() == name) return s;
  throw std::runtime_error(fFileName + ": section [" + name + "] is missing");
}

void TArtSource::CheckAllRead() const {
  for (const TArtSection& s : fSections) s.CheckAllRead();
}

}  // namespace quellix::assetgen
