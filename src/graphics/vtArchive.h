// The byte layout of "sprites.vtg" and "sounds.vtw" (docs/archives.md): a header, an
// item table with each item's name and fields, then the items' payloads (PNG for
// images, WAV for sounds). Reading checks every count, length, offset and checksum
// before use and raises TArchiveError naming the file, the offset and the fault.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/vtMedia.h"

namespace quellix {

enum class TArchiveKind : uint8_t { Images = 1, Sounds = 2 };

class TArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TArchiveEntry {
  std::string Name;
  TImageItem Image;     // fields of an image item (PictureWidth/Height unused here)
  TSoundItem Sound;     // fields of a sound item
  uint32_t Offset = 0;  // of the payload within the archive's bytes
  uint32_t Length = 0;
};

struct TArchive {
  TArchiveKind Kind = TArchiveKind::Images;
  std::vector<TArchiveEntry> Entries;
  std::vector<uint8_t> Bytes;  // the whole file

  std::span<const uint8_t> Payload(size_t index) const {
    const TArchiveEntry& e = Entries.at(index);
    return {Bytes.data() + e.Offset, e.Length};
  }
};

namespace archive_layout {
constexpr char Magic[4] = {'Q', 'X', 'A', 'R'};
constexpr uint16_t Version = 1;
constexpr size_t HeaderSize = 16;
constexpr size_t MaxNameLength = 255;
constexpr uint32_t MaxItems = 65536;
constexpr size_t ImageFieldsSize = 21;  // 4 x int32, flags byte, colour
constexpr size_t SoundFieldsSize = 5;   // flags byte, int32
constexpr size_t EntryTailSize = 12;    // offset, length, crc32
}  // namespace archive_layout

uint32_t Crc32(std::span<const uint8_t> bytes);

// Parses an archive held in memory. fileName only labels the errors.
TArchive ParseArchive(std::vector<uint8_t> bytes, TArchiveKind expected, std::string_view fileName);
// Reads and parses a file; a missing or unreadable file raises TArchiveError too.
TArchive ReadArchive(const std::string& path, TArchiveKind expected);
// The same in two steps, the file opened first (a missing file raises here), its bytes
// read later through the stream, whatever has become of the name meanwhile.
std::ifstream OpenArchive(const std::string& path);
TArchive ReadArchive(std::ifstream& in, const std::string& path, TArchiveKind expected);

// Builds an archive: add items in order, then take the bytes.
class TArchiveWriter {
 public:
  explicit TArchiveWriter(TArchiveKind kind) : fKind(kind) {}
  void AddImage(const TImageItem& fields, std::span<const uint8_t> png);
  void AddSound(const TSoundItem& fields, std::span<const uint8_t> wav);
  std::vector<uint8_t> Bytes() const;
  // Writes to a new file beside path and renames it over path, so a reader never
  // sees a half-written archive.
  void SaveToFile(const std::string& path) const;

 private:
  struct TPending {
    TArchiveEntry Entry;
    std::vector<uint8_t> Data;
  };
  void Add(const TArchiveEntry& entry, std::span<const uint8_t> data);

  TArchiveKind fKind;
  std::vector<TPending> fItems;
};

}  // namespace quellix
