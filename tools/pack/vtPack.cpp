#include "vtPack.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "config/vtCommaList.h"
#include "graphics/vtNameIndex.h"
#include "media/vtPayloads.h"

namespace quellix::pack {

namespace fs = std::filesystem;

namespace {

constexpr size_t ImageFieldCount = 9;
constexpr size_t SoundFieldCount = 4;

// Thrown for one bad line; the caller adds the manifest name and line number.
struct TLineError {
  std::string What;
};

int32_t Integer(const std::string& text, const char* field) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty())
    throw TLineError{std::string(field) + " \"" + text + "\" is not a whole number"};
  return value;
}

int32_t Count(const std::string& text, const char* field) {
  const int32_t value = Integer(text, field);
  if (value < 0) throw TLineError{std::string(field) + " must not be negative"};
  return value;
}

bool Flag(const std::string& text, const char* field) {
  if (text == "1" || SameText(text, "true")) return true;
  if (text == "0" || SameText(text, "false")) return false;
  throw TLineError{std::string(field) + " \"" + text + "\" is not 0, 1, true or false"};
}

// Decimal, or hexadecimal after "$" or "0x"; red in the low byte.
TColor Colour(const std::string& text) {
  std::string_view digits = text;
  int base = 10;
  if (digits.starts_with('$')) {
    digits.remove_prefix(1);
    base = 16;
  } else if (digits.starts_with("0x") || digits.starts_with("0X")) {
    digits.remove_prefix(2);
    base = 16;
  }
  uint32_t value = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size() ||
      value > 0xFFFFFFu)
    throw TLineError{"TransparentColor \"" + text + "\" is not a colour (0 to $FFFFFF)"};
  return value;
}

TManifestItem ParseLine(const TStringList& f, TArchiveKind kind, const fs::path& folder) {
  const size_t expected = kind == TArchiveKind::Images ? ImageFieldCount : SoundFieldCount;
  if (f.size() != expected)
    throw TLineError{"expected " + std::to_string(expected) + " items, found " +
                     std::to_string(f.size())};
  if (f[0].empty() || f[0].size() > archive_layout::MaxNameLength)
    throw TLineError{"the name must be 1 to 255 characters"};
  if (f[1].empty()) throw TLineError{"no file named"};
  TManifestItem item;
  item.File = (folder / f[1]).string();
  if (kind == TArchiveKind::Images) {
    item.Image.Name = f[0];
    item.Image.PatternWidth = Count(f[2], "PatternWidth");
    item.Image.PatternHeight = Count(f[3], "PatternHeight");
    item.Image.SkipWidth = Integer(f[4], "SkipWidth");
    item.Image.SkipHeight = Integer(f[5], "SkipHeight");
    item.Image.SystemMemory = Flag(f[6], "SystemMemory");
    item.Image.Transparent = Flag(f[7], "Transparent");
    item.Image.TransparentColor = Colour(f[8]);
  } else {
    item.Sound.Name = f[0];
    item.Sound.Looped = Flag(f[2], "Looped");
    item.Sound.MaxPlayingCount = Count(f[3], "MaxPlayingCount");
  }
  return item;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TLineError{"cannot read " + path};
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Decodes the payload as the game's lists will, so a file they could not load is
// refused here rather than at the game's start.
void CheckPayload(const std::vector<uint8_t>& bytes, const TManifestItem& item, TArchiveKind kind) {
  try {
    if (kind == TArchiveKind::Images)
      media::DecodePicture(bytes, item.Image, item.File);
    else
      media::DecodeWave(bytes, item.Sound.Name, item.File, false);
  } catch (const TArchiveError& e) {
    throw TLineError{e.what()};
  }
}

std::string At(const std::string& manifest, int line, const std::string& what) {
  return manifest + ":" + std::to_string(line) + ": " + what;
}

}  // namespace

bool KindOfPath(const std::string& path, TArchiveKind& kind) {
  const std::string ext = LowerCase(fs::path(path).extension().string());
  if (ext == ".vtg")
    kind = TArchiveKind::Images;
  else if (ext == ".vtw")
    kind = TArchiveKind::Sounds;
  else
    return false;
  return true;
}

TManifest ReadManifest(const std::string& path, TArchiveKind kind) {
  TManifest manifest;
  std::ifstream in(path);
  if (!in) {
    manifest.Errors.push_back(path + ": cannot read the manifest");
    return manifest;
  }
  const fs::path folder = fs::path(path).parent_path();
  TNameIndex names;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#') continue;
    try {
      TManifestItem item = ParseLine(Split(text), kind, folder);
      item.Line = line;
      const std::string& name = kind == TArchiveKind::Images ? item.Image.Name : item.Sound.Name;
      const int32_t earlier = names.IndexOf(name);
      if (earlier >= 0)
        throw TLineError{"the name \"" + name + "\" is already used on line " +
                         std::to_string(earlier)};
      names.Add(name, line);
      manifest.Items.push_back(std::move(item));
    } catch (const TLineError& e) {
      manifest.Errors.push_back(At(path, line, e.What));
    }
  }
  return manifest;
}

std::vector<std::string> BuildArchive(const std::string& out, const std::string& manifestPath) {
  TArchiveKind kind;
  if (!KindOfPath(out, kind))
    return {out + ": the archive must end in .vtg (images) or .vtw (sounds)"};
  TManifest manifest = ReadManifest(manifestPath, kind);
  TArchiveWriter writer(kind);
  for (const TManifestItem& item : manifest.Items) {
    try {
      const std::vector<uint8_t> bytes = ReadFile(item.File);
      CheckPayload(bytes, item, kind);
      if (kind == TArchiveKind::Images)
        writer.AddImage(item.Image, bytes);
      else
        writer.AddSound(item.Sound, bytes);
    } catch (const TLineError& e) {
      manifest.Errors.push_back(At(manifestPath, item.Line, e.What));
    }
  }
  if (manifest.Errors.empty()) writer.SaveToFile(out);
  return manifest.Errors;
}

void ListArchive(const std::string& path, std::ostream& out) {
  TArchiveKind kind;
  if (!KindOfPath(path, kind)) {
    // Not named as either kind: the header's kind byte decides.
    std::ifstream in(path, std::ios::binary);
    char header[7] = {};
    in.read(header, sizeof header);
    kind = header[6] == static_cast<char>(TArchiveKind::Sounds) ? TArchiveKind::Sounds
                                                                : TArchiveKind::Images;
  }
  const TArchive archive = ReadArchive(path, kind);
  out << path << ": " << (kind == TArchiveKind::Images ? "image" : "sound") << " archive, "
      << archive.Entries.size() << " items\n";
  for (const TArchiveEntry& e : archive.Entries) {
    out << e.Name << ": ";
    if (kind == TArchiveKind::Images) {
      const TImageItem& i = e.Image;
      out << "PatternWidth " << i.PatternWidth << ", PatternHeight " << i.PatternHeight
          << ", SkipWidth " << i.SkipWidth << ", SkipHeight " << i.SkipHeight << ", SystemMemory "
          << i.SystemMemory << ", Transparent " << i.Transparent << ", TransparentColor "
          << i.TransparentColor;
    } else {
      out << "Looped " << e.Sound.Looped << ", MaxPlayingCount " << e.Sound.MaxPlayingCount;
    }
    out << ", payload " << e.Length << " bytes\n";
  }
}

}  // namespace quellix::pack
