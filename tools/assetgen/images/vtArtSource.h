// The readable source of the art (data/art/art.txt): a palette of named colours and one
// section per sprite set with its sizes, frame counts, colours and texts, so that the
// look can be tuned without touching the drawing code. Lines are "[section]",
// "key = value" (the value a comma list) or comments starting with '#'. Every key a set
// reads must be there, and every key there must be read: a typo is an error naming the
// file and line.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "images/vtCanvas.h"

namespace quellix::assetgen {

struct TSize {
  int Width = 0, Height = 0;
};

using TPalette = std::map<std::string, TColorF>;

// A palette name or a "#rrggbb" value; throws std::invalid_argument when neither.
TColorF LookUpColour(const TPalette& palette, const std::string& nameOrHex);

class TArtSection {
 public:
  TArtSection(std::string fileName, std::shared_ptr<const TPalette> palette, std::string name)
      : fFileName(std::move(fileName)), fPalette(std::move(palette)), fName(std::move(name)) {}

  const std::string& Name() const { return fName; }
  std::vector<std::string> List(const std::string& key) const;
  std::string Text(const std::string& key) const;
  int Int(const std::string& key) const;
  std::vector<int> Ints(const std::string& key) const;
  float Number(const std::string& key) const;
  TSize Size(const std::string& key) const;
  // A palette name or a "#rrggbb" value.
  TColorF Colour(const std::string& key) const;
  std::vector<TColorF> Colours(const std::string& key) const;

  void Set(const std::string& key, std::string value, int line);
  // Raises naming the first key that no set has read.
  void CheckAllRead() const;

 private:
  struct TEntry {
    std::string Value;
    int Line = 0;
    mutable bool Read = false;
  };
  const TEntry& Entry(const std::string& key) const;
  [[noreturn]] void Fail(const TEntry& entry, const std::string& what) const;

  std::string fFileName;
  std::shared_ptr<const TPalette> fPalette;
  std::string fName;
  std::map<std::string, TEntry> fEntries;
};

class TArtSource {
 public:
  // Throws std::runtime_error naming the file and line on any fault.
  static TArtSource Load(const std::string& path);
  static TArtSource Parse(const std::string& text, const std::string& fileName);

  const TArtSection& Section(const std::string& name) const;
  void CheckAllRead() const;

 private:
  std::string fFileName;
  std::shared_ptr<TPalette> fPalette = std::make_shared<TPalette>();
  std::vector<TArtSection> fSections;
};

}  // namespace quellix::assetgen
