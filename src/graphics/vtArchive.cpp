#include "graphics/vtArchive.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/vtAtomicFile.h"
#include "base/vtFileSystem.h"

namespace quellix {

namespace L = archive_layout;

namespace {

// Eight tables, so the checksum takes eight bytes a step ("slicing by 8"): table 0 is the
// classic one, table k gives the effect of a byte followed by k zero bytes.
using TCrcTables = std::array<std::array<uint32_t, 256>, 8>;
constexpr TCrcTables MakeCrcTables() {
  TCrcTables t{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1u) : c >> 1u;
    t[0][n] = c;
  }
  for (size_t k = 1; k < t.size(); ++k)
    for (uint32_t n = 0; n < 256; ++n) t[k][n] = t[0][t[k - 1][n] & 0xFFu] ^ (t[k - 1][n] >> 8u);
  return t;
}
constexpr TCrcTables CrcTables = MakeCrcTables();

const char* KindName(TArchiveKind kind) {
  return kind == TArchiveKind::Images ? "image archive" : "sound archive";
}

// Reads little-endian values from the archive, raising on any read past the end.
class TReader {
 public:
  TReader(const std::vector<uint8_t>& bytes, std::string_view file) : fBytes(bytes), fFile(file) {}

  [[noreturn]] void Fail(size_t offset, const std::string& what) const {
    throw TArchiveError(std::string(fFile) + ": " + what + " at offset " + std::to_string(offset));
  }
  void Need(size_t count, const char* what) const {
    if (count > fBytes.size() || fPos > fBytes.size() - count)
      Fail(fPos, std::string("truncated ") + what);
  }
  uint8_t U8(const char* what) {
    Need(1, what);
    return fBytes[fPos++];
  }
  uint16_t U16(const char* what) {
    Need(2, what);
    const uint16_t v = static_cast<uint16_t>(fBytes[fPos] | (fBytes[fPos + 1] << 8u));
    fPos += 2;
    return v;
  }
  uint32_t U32(const char* what) {
    Need(4, what);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8u) | fBytes[fPos + static_cast<size_t>(i)];
    fPos += 4;
    return v;
  }
  int32_t I32(const char* what) { return static_cast<int32_t>(U32(what)); }
  std::string Text(size_t length, const char* what) {
    Need(length, what);
    std::string s(reinterpret_cast<const char*>(fBytes.data() + fPos), length);
    fPos += length;
    return s;
  }
  size_t Pos() const { return fPos; }
  void Seek(size_t pos) { fPos = pos; }

 private:
  const std::vector<uint8_t>& fBytes;
  std::string_view fFile;
  size_t fPos = 0;
};

void PutU8(std::vector<uint8_t>& out, uint8_t v) {
  out.push_back(v);
}
void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8u));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<uint8_t>(v >> (8u * static_cast<unsigned>(i))));
}
void PutI32(std::vector<uint8_t>& out, int32_t v) {
  PutU32(out, static_cast<uint32_t>(v));
}

}  // namespace

uint32_t Crc32(std::span<const uint8_t> bytes) {
  const auto& t = CrcTables;
  uint32_t c = 0xFFFFFFFFu;
  const uint8_t* p = bytes.data();
  size_t n = bytes.size();
  for (; n >= 8; n -= 8, p += 8) {
    const uint32_t lo = c ^ (uint32_t{p[0]} | (uint32_t{p[1]} << 8u) | (uint32_t{p[2]} << 16u) |
                             (uint32_t{p[3]} << 24u));
    c = t[7][lo & 0xFFu] ^ t[6][(lo >> 8u) & 0xFFu] ^ t[5][(lo >> 16u) & 0xFFu] ^ t[4][lo >> 24u] ^
        t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
  }
  for (; n > 0; --n, ++p) c = t[0][(c ^ *p) & 0xFFu] ^ (c >> 8u);
  return c ^ 0xFFFFFFFFu;
}

TArchive ParseArchive(std::vector<uint8_t> bytes, TArchiveKind expected,
                      std::string_view fileName) {
  TArchive archive;
  archive.Bytes = std::move(bytes);
  const std::vector<uint8_t>& b = archive.Bytes;
  TReader r(b, fileName);

  r.Need(L::HeaderSize, "header");
  if (std::memcmp(b.data(), L::Magic, 4) != 0) r.Fail(0, "not a Quellix archive (bad magic)");
  r.Seek(4);
  const uint16_t version = r.U16("header");
  if (version != L::Version) r.Fail(4, "unsupported archive version " + std::to_string(version));
  const uint8_t kind = r.U8("header");
  if (kind != static_cast<uint8_t>(expected))
    r.Fail(6, std::string("not an ") + KindName(expected) + " (kind " + std::to_string(kind) + ")");
  r.U8("header");  // reserved
  const uint32_t count = r.U32("header");
  const uint32_t tableSize = r.U32("header");
  if (count > L::MaxItems) r.Fail(8, "item count " + std::to_string(count) + " too large");
  const size_t tableEnd = L::HeaderSize + size_t{tableSize};
  if (tableEnd > b.size()) r.Fail(12, "item table runs past the end of the file");
  const size_t fieldsSize =
      expected == TArchiveKind::Images ? L::ImageFieldsSize : L::SoundFieldsSize;
  if (size_t{count} * (2 + 1 + fieldsSize + L::EntryTailSize) > tableSize)
    r.Fail(8, "item count " + std::to_string(count) + " does not fit the item table");

  archive.Kind = expected;
  archive.Entries.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    const size_t entryStart = r.Pos();
    TArchiveEntry e;
    const uint16_t nameLength = r.U16("item table");
    if (nameLength == 0 || nameLength > L::MaxNameLength)
      r.Fail(entryStart, "item " + std::to_string(i) + " has a bad name length");
    e.Name = r.Text(nameLength, "item name");
    if (e.Name.find('\0') != std::string::npos) r.Fail(entryStart, "item name holds a NUL byte");
    if (expected == TArchiveKind::Images) {
      e.Image.Name = e.Name;
      e.Image.PatternWidth = r.I32("image fields");
      e.Image.PatternHeight = r.I32("image fields");
      e.Image.SkipWidth = r.I32("image fields");
      e.Image.SkipHeight = r.I32("image fields");
      const uint8_t flags = r.U8("image fields");
      e.Image.SystemMemory = (flags & 1u) != 0;
      e.Image.Transparent = (flags & 2u) != 0;
      e.Image.TransparentColor = r.U32("image fields");
      if (e.Image.PatternWidth < 0 || e.Image.PatternHeight < 0)
        r.Fail(entryStart, "item \"" + e.Name + "\" has a negative pattern size");
    } else {
      e.Sound.Name = e.Name;
      const uint8_t flags = r.U8("sound fields");
      e.Sound.Looped = (flags & 1u) != 0;
      e.Sound.MaxPlayingCount = r.I32("sound fields");
      if (e.Sound.MaxPlayingCount < 0)
        r.Fail(entryStart, "item \"" + e.Name + "\" has a negative copy limit");
    }
    e.Offset = r.U32("item table");
    e.Length = r.U32("item table");
    const uint32_t crc = r.U32("item table");
    if (r.Pos() > tableEnd) r.Fail(entryStart, "item table entry runs past the table");
    if (e.Offset < tableEnd || size_t{e.Offset} + e.Length > b.size())
      r.Fail(entryStart, "item \"" + e.Name + "\" points outside the data area");
    if (Crc32({b.data() + e.Offset, e.Length}) != crc)
      r.Fail(e.Offset, "item \"" + e.Name + "\" is corrupt (checksum mismatch)");
    archive.Entries.push_back(std::move(e));
  }
  return archive;
}

std::ifstream OpenArchive(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(PathOf(path), error))
    throw TArchiveError(path + ": cannot open file");
  std::ifstream in(PathOf(path), std::ios::binary | std::ios::ate);
  if (!in) throw TArchiveError(path + ": cannot open file");
  return in;
}

TArchive ReadArchive(const std::string& path, TArchiveKind expected) {
  std::ifstream in = OpenArchive(path);
  return ReadArchive(in, path, expected);
}

TArchive ReadArchive(std::ifstream& in, const std::string& path, TArchiveKind expected) {
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  // The layout addresses every byte with 32 bits.
  if (size < 0 || size > std::streamoff{UINT32_MAX})
    throw TArchiveError(path + ": cannot read file");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
    throw TArchiveError(path + ": read error");
  return ParseArchive(std::move(bytes), expected, path);
}

void TArchiveWriter::Add(const TArchiveEntry& entry, std::span<const uint8_t> data) {
  if (entry.Name.empty() || entry.Name.size() > L::MaxNameLength)
    throw TArchiveError("archive item name \"" + entry.Name + "\" is empty or too long");
  fItems.push_back({entry, {data.begin(), data.end()}});
}

void TArchiveWriter::AddImage(const TImageItem& fields, std::span<const uint8_t> png) {
  TArchiveEntry e;
  e.Name = fields.Name;
  e.Image = fields;
  Add(e, png);
}

void TArchiveWriter::AddSound(const TSoundItem& fields, std::span<const uint8_t> wav) {
  TArchiveEntry e;
  e.Name = fields.Name;
  e.Sound = fields;
  Add(e, wav);
}

std::vector<uint8_t> TArchiveWriter::Bytes() const {
  std::vector<uint8_t> table;
  const size_t fieldsSize = fKind == TArchiveKind::Images ? L::ImageFieldsSize : L::SoundFieldsSize;
  size_t tableSize = 0;
  for (const TPending& p : fItems)
    tableSize += 2 + p.Entry.Name.size() + fieldsSize + L::EntryTailSize;

  size_t offset = L::HeaderSize + tableSize;
  for (const TPending& p : fItems) {
    const TArchiveEntry& e = p.Entry;
    PutU16(table, static_cast<uint16_t>(e.Name.size()));
    table.insert(table.end(), e.Name.begin(), e.Name.end());
    if (fKind == TArchiveKind::Images) {
      PutI32(table, e.Image.PatternWidth);
      PutI32(table, e.Image.PatternHeight);
      PutI32(table, e.Image.SkipWidth);
      PutI32(table, e.Image.SkipHeight);
      PutU8(table, static_cast<uint8_t>((e.Image.SystemMemory ? 1u : 0u) |
                                        (e.Image.Transparent ? 2u : 0u)));
      PutU32(table, e.Image.TransparentColor);
    } else {
      PutU8(table, e.Sound.Looped ? 1u : 0u);
      PutI32(table, e.Sound.MaxPlayingCount);
    }
    PutU32(table, static_cast<uint32_t>(offset));
    PutU32(table, static_cast<uint32_t>(p.Data.size()));
    PutU32(table, Crc32(p.Data));
    offset += p.Data.size();
  }
  if (offset > UINT32_MAX) throw TArchiveError("archive larger than 4 GiB");

  std::vector<uint8_t> out;
  out.reserve(offset);
  out.insert(out.end(), L::Magic, L::Magic + 4);
  PutU16(out, L::Version);
  PutU8(out, static_cast<uint8_t>(fKind));
  PutU8(out, 0);
  PutU32(out, static_cast<uint32_t>(fItems.size()));
  PutU32(out, static_cast<uint32_t>(tableSize));
  out.insert(out.end(), table.begin(), table.end());
  for (const TPending& p : fItems) out.insert(out.end(), p.Data.begin(), p.Data.end());
  return out;
}

void TArchiveWriter::SaveToFile(const std::string& path) const {
  const std::vector<uint8_t> bytes = Bytes();
  WriteFileAtomically(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

}  // namespace quellix
