#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <span>

#include "graphics/vtArchive.h"
#include "support/vtTempDir.h"

namespace quellix {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) {
  return {s.begin(), s.end()};
}

std::vector<uint8_t> SampleImages() {
  TArchiveWriter w(TArchiveKind::Images);
  TImageItem ship;
  ship.Name = "Left1";
  ship.PatternWidth = 41;
  ship.PatternHeight = 64;
  ship.SkipWidth = 1;
  ship.SkipHeight = 2;
  ship.SystemMemory = true;
  ship.Transparent = true;
  ship.TransparentColor = 0x00FF00FF;
  w.AddImage(ship, Bytes("png-bytes-of-ship"));
  TImageItem title;
  title.Name = "title";
  w.AddImage(title, Bytes("title"));
  return w.Bytes();
}

// The checksum one bit at a time, as the common CRC-32 is defined.
uint32_t BitwiseCrc32(std::span<const uint8_t> bytes) {
  uint32_t c = 0xFFFFFFFFu;
  for (uint8_t b : bytes) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1u) : c >> 1u;
  }
  return c ^ 0xFFFFFFFFu;
}

TEST(Archive, ChecksumIsTheCommonCrc32AtEveryLengthAndAlignment) {
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32({}), 0u);
  std::vector<uint8_t> data(300);
  uint32_t x = 12345;
  for (uint8_t& b : data) b = static_cast<uint8_t>((x = x * 1103515245u + 12345u) >> 16u);
  for (size_t start = 0; start < 8; ++start)
    for (size_t length = 0; start + length <= data.size(); length += 1 + length / 16) {
      const std::span<const uint8_t> part(data.data() + start, length);
      ASSERT_EQ(Crc32(part), BitwiseCrc32(part)) << "start " << start << ", length " << length;
    }
}

TEST(Archive, ImageItemsRoundTripWithEveryField) {
  const TArchive a = ParseArchive(SampleImages(), TArchiveKind::Images, "sprites.vtg");
  ASSERT_EQ(a.Entries.size(), 2u);
  const TImageItem& ship = a.Entries[0].Image;
  EXPECT_EQ(ship.Name, "Left1");
  EXPECT_EQ(ship.PatternWidth, 41);
  EXPECT_EQ(ship.PatternHeight, 64);
  EXPECT_EQ(ship.SkipWidth, 1);
  EXPECT_EQ(ship.SkipHeight, 2);
  EXPECT_TRUE(ship.SystemMemory);
  EXPECT_TRUE(ship.Transparent);
  EXPECT_EQ(ship.TransparentColor, 0x00FF00FFu);
  const auto payload = a.Payload(0);
  EXPECT_EQ(std::string(payload.begin(), payload.end()), "png-bytes-of-ship");
  EXPECT_EQ(a.Entries[1].Name, "title");
  EXPECT_FALSE(a.Entries[1].Image.Transparent);
}

TEST(Archive, SoundItemsRoundTrip) {
  TArchiveWriter w(TArchiveKind::Sounds);
  TSoundItem s;
  s.Name = "player_shot.wav";
  s.Looped = true;
  s.MaxPlayingCount = 4;
  w.AddSound(s, Bytes("RIFF"));
  const TArchive a = ParseArchive(w.Bytes(), TArchiveKind::Sounds, "sounds.vtw");
  ASSERT_EQ(a.Entries.size(), 1u);
  EXPECT_EQ(a.Entries[0].Sound.Name, "player_shot.wav");
  EXPECT_TRUE(a.Entries[0].Sound.Looped);
  EXPECT_EQ(a.Entries[0].Sound.MaxPlayingCount, 4);
}

TEST(Archive, EmptyArchiveIsValid) {
  const TArchive a =
      ParseArchive(TArchiveWriter(TArchiveKind::Sounds).Bytes(), TArchiveKind::Sounds, "x");
  EXPECT_TRUE(a.Entries.empty());
}

void ExpectRejected(std::vector<uint8_t> bytes, TArchiveKind kind, const std::string& fragment) {
  try {
    ParseArchive(std::move(bytes), kind, "sprites.vtg");
    FAIL() << "accepted an archive that should fail with: " << fragment;
  } catch (const TArchiveError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find("sprites.vtg"), std::string::npos) << what;
    EXPECT_NE(what.find(fragment), std::string::npos) << what;
  }
}

TEST(Archive, EveryTruncationIsRejectedWithoutReadingPastTheEnd) {
  const std::vector<uint8_t> good = SampleImages();
  for (size_t n = 0; n < good.size(); ++n) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    cut.shrink_to_fit();  // so ASan sees any read past the end
    EXPECT_THROW(ParseArchive(std::move(cut), TArchiveKind::Images, "sprites.vtg"), TArchiveError)
        << "length " << n;
  }
}

TEST(Archive, CorruptionsAreNamed) {
  const std::vector<uint8_t> good = SampleImages();
  auto bad = good;
  bad[0] = 'X';
  ExpectRejected(bad, TArchiveKind::Images, "bad magic");
  ExpectRejected(good, TArchiveKind::Sounds, "not an sound archive");
  bad = good;
  bad[4] = 9;
  ExpectRejected(bad, TArchiveKind::Images, "version");
  bad = good;
  bad[8] = 0xFF;
  bad[9] = 0xFF;
  ExpectRejected(bad, TArchiveKind::Images, "item count");
  bad = good;
  bad.back() ^= 0x55;  // payload byte of the last item
  ExpectRejected(bad, TArchiveKind::Images, "checksum");
  bad = good;
  bad[16] = 0;  // first name length
  bad[17] = 0;
  ExpectRejected(bad, TArchiveKind::Images, "bad name length");
}

TEST(Archive, OffsetsOutsideTheDataAreaAreRejected) {
  std::vector<uint8_t> bad = SampleImages();
  // First entry: 2 + 5 name bytes + 21 field bytes after the 16-byte header.
  const size_t offsetPos = 16 + 2 + 5 + 21;
  bad[offsetPos + 3] = 0x7F;
  ExpectRejected(bad, TArchiveKind::Images, "outside the data area");
}

TEST(Archive, MissingFileOrAFolderIsAnErrorNamingIt) {
  const std::string folder = std::filesystem::temp_directory_path().string();
  for (const std::string& path : {std::string("/nonexistent/sprites.vtg"), folder}) {
    try {
      ReadArchive(path, TArchiveKind::Images);
      FAIL() << path;
    } catch (const TArchiveError& e) {
      EXPECT_EQ(std::string(e.what()), path + ": cannot open file");
    }
  }
}

TEST(Archive, SavedFileReadsBack) {
  const testing::TTempDir dir;
  const std::string path = dir.File("sounds.vtw");
  TArchiveWriter w(TArchiveKind::Sounds);
  TSoundItem s;
  s.Name = "thud.wav";
  w.AddSound(s, Bytes("wave"));
  w.SaveToFile(path);
  EXPECT_EQ(ReadArchive(path, TArchiveKind::Sounds).Entries.at(0).Name, "thud.wav");
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

}  // namespace
}  // namespace quellix
