// Loading the image list: names found ignoring case, and every kind of bad archive
// raising an error that names the file (and the item where one is at fault).
#include <gtest/gtest.h>

#include "MediaTestSupport.h"
#include "media/vtHeadlessPlatform.h"

namespace quellix::testing {
namespace {

class ImageList : public ::testing::Test {
 protected:
  void SetUp() override { UseDummyDrivers(); }

  std::string Archive(const std::vector<std::pair<TImageItem, std::vector<uint8_t>>>& items,
                      const std::string& name = "sprites.vtg") {
    TArchiveWriter w(TArchiveKind::Images);
    for (const auto& [fields, png] : items) w.AddImage(fields, png);
    w.SaveToFile(dir.File(name));
    return dir.File(name);
  }
  static std::vector<uint8_t> Dot() {
    return Png(3, 2, [](int, int) { return RGB(9, 9, 9); });
  }
  // Expects LoadFromFile to raise with every one of the texts in its message.
  void ExpectLoadError(const std::string& path, std::initializer_list<std::string> texts) {
    try {
      images().LoadFromFile(path);
      ADD_FAILURE() << "no error for " << path;
    } catch (const std::runtime_error& e) {
      for (const std::string& t : texts)
        EXPECT_NE(std::string(e.what()).find(t), std::string::npos) << e.what();
    }
  }
  IImageList& images() { return platform.ImageList(); }

  TTempDir dir;
  media::THeadlessPlatform platform{{.ExeDir = "./", .AudioDriver = "none"}};
};

TEST_F(ImageList, ItemsAreFoundByNameIgnoringCase) {
  TImageItem ship = ImageFields("Left1", true, RGB(1, 2, 3));
  ship.PatternWidth = 2;
  ship.SkipWidth = 1;
  images().LoadFromFile(Archive({{ship, Dot()}, {ImageFields("Title"), Dot()}}));
  ASSERT_EQ(images().Count(), 2);
  EXPECT_EQ(images().IndexOf("left1"), 0);
  EXPECT_EQ(images().IndexOf("LEFT1"), 0);
  EXPECT_EQ(images().IndexOf("tItLe"), 1);
  EXPECT_EQ(images().IndexOf("Left"), -1);
  EXPECT_EQ(images().IndexOf(""), -1);
  const TImageItem& item = images().Item(0);
  EXPECT_EQ(item.Name, "Left1");
  EXPECT_EQ(item.PictureWidth, 3);
  EXPECT_EQ(item.PictureHeight, 2);
  EXPECT_EQ(item.Width(), 2);
  EXPECT_EQ(item.Height(), 2) << "no stored height: the picture's";
  EXPECT_EQ(item.SkipWidth, 1);
  EXPECT_TRUE(item.Transparent);
  EXPECT_EQ(item.TransparentColor, RGB(1, 2, 3));
}

TEST_F(ImageList, LoadingReplacesAllItems) {
  images().LoadFromFile(Archive({{ImageFields("a"), Dot()}, {ImageFields("b"), Dot()}}));
  images().LoadFromFile(Archive({{ImageFields("c"), Dot()}}, "other.vtg"));
  EXPECT_EQ(images().Count(), 1);
  EXPECT_EQ(images().IndexOf("a"), -1);
  EXPECT_EQ(images().IndexOf("c"), 0);
}

TEST_F(ImageList, AMissingFileRaisesNamingIt) {
  ExpectLoadError(dir.File("sprites.vtg"), {dir.File("sprites.vtg")});
}

TEST_F(ImageList, ATruncatedArchiveRaisesNamingTheFile) {
  const std::string path = Archive({{ImageFields("a"), Dot()}});
  std::vector<uint8_t> bytes = ReadBytes(path);
  for (size_t keep : {size_t{0}, size_t{10}, size_t{20}, bytes.size() - 1}) {
    WriteBytes(path, {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(keep)});
    ExpectLoadError(path, {path});
  }
}

TEST_F(ImageList, ACorruptArchiveRaisesNamingTheFileAndItem) {
  const std::string path = Archive({{ImageFields("a"), Dot()}, {ImageFields("ship"), Dot()}});
  std::vector<uint8_t> bytes = ReadBytes(path);
  bytes[bytes.size() - 5] ^= 0x40;  // inside the last payload
  WriteBytes(path, bytes);
  ExpectLoadError(path, {path, "\"ship\"", "checksum"});
}

TEST_F(ImageList, ASoundArchiveIsNotAnImageArchive) {
  TArchiveWriter w(TArchiveKind::Sounds);
  w.AddSound(SoundFields("boom.wav"), Wav(10));
  w.SaveToFile(dir.File("sounds.vtw"));
  ExpectLoadError(dir.File("sounds.vtw"), {dir.File("sounds.vtw"), "image archive"});
}

TEST_F(ImageList, AnItemThatIsNotAPngRaisesNamingTheFileAndItem) {
  const std::vector<uint8_t> notPng = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0};
  ExpectLoadError(Archive({{ImageFields("ok"), Dot()}, {ImageFields("Broken"), notPng}}),
                  {"sprites.vtg", "\"Broken\"", "not a PNG"});
}

TEST_F(ImageList, APngThatDoesNotDecodeRaisesNamingTheFileAndItem) {
  std::vector<uint8_t> damaged = Dot();
  damaged.resize(40);  // header intact, image data gone
  ExpectLoadError(Archive({{ImageFields("Half"), damaged}}), {"sprites.vtg", "\"Half\"", "decode"});
  std::vector<uint8_t> huge = Dot();
  huge[16] = 0x7F;  // width far beyond any sprite
  ExpectLoadError(Archive({{ImageFields("Huge"), huge}}), {"\"Huge\"", "picture size"});
}

TEST_F(ImageList, AFailedLoadKeepsThePreviousItems) {
  images().LoadFromFile(Archive({{ImageFields("kept"), Dot()}}));
  ExpectLoadError(Archive({{ImageFields("bad"), {1, 2, 3}}}, "bad.vtg"), {"bad.vtg"});
  EXPECT_EQ(images().IndexOf("kept"), 0);
  images().Draw(0, 0, 0);
}

}  // namespace
}  // namespace quellix::testing
