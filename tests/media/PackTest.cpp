// quellix-pack end to end: a manifest over pictures and sounds made here, built into
// archives that the lists then load; and bad manifests reported by line.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "MediaTestSupport.h"
#include "media/vtHeadlessPlatform.h"
#include "support/vtRunCommand.h"

namespace quellix::testing {
namespace {

TCommandRun Pack(const std::string& arguments) {
  return RunCommand(std::string(QUELLIX_TOOLS_DIR) + "/pack/quellix-pack " + arguments);
}

class PackTool : public ::testing::Test {
 protected:
  void SetUp() override { UseDummyDrivers(); }
  std::string Manifest(const std::string& name, const std::string& text) {
    std::ofstream(dir.File(name)) << text;
    return dir.File(name);
  }
  std::string Quoted(const std::string& s) { return "'" + s + "'"; }

  TTempDir dir;
};

TEST_F(PackTool, BuildsListsAndLoadsAnImageArchive) {
  std::filesystem::create_directories(dir.Path() / "art");
  WriteBytes(dir.File("art/ship.png"),
             Png(8, 4, [](int x, int) { return x < 4 ? RGB(255, 0, 0) : RGB(255, 0, 255); }));
  WriteBytes(dir.File("art/title.png"), Png(3, 3, [](int, int) { return RGB(0, 0, 255); }));
  const std::string manifest = Manifest("images.txt",
                                        "# ships\n"
                                        "Left1,art/ship.png,4,4,1,0,1,1,$FF00FF\n"
                                        "\n"
                                        "\"Title Screen\",art/title.png,0,0,0,0,false,false,0\n");
  const std::string out = dir.File("sprites.vtg");
  const TCommandRun build = Pack("build " + Quoted(out) + " " + Quoted(manifest));
  ASSERT_EQ(build.ExitCode, 0) << build.Output;

  const TCommandRun list = Pack("list " + Quoted(out));
  EXPECT_EQ(list.ExitCode, 0);
  EXPECT_NE(list.Output.find("2 items"), std::string::npos) << list.Output;
  EXPECT_NE(list.Output.find("Left1: PatternWidth 4, PatternHeight 4, SkipWidth 1, SkipHeight 0, "
                             "SystemMemory 1, Transparent 1, TransparentColor 16711935, payload"),
            std::string::npos)
      << list.Output;
  EXPECT_NE(list.Output.find("Title Screen: PatternWidth 0"), std::string::npos) << list.Output;

  media::THeadlessPlatform platform{{.ExeDir = "./", .AudioDriver = "none"}};
  IImageList& images = platform.ImageList();
  images.LoadFromFile(out);
  ASSERT_EQ(images.Count(), 2);
  EXPECT_EQ(images.IndexOf("title screen"), 1);
  EXPECT_EQ(images.Item(0).Width(), 4);
  platform.Display().Fill(RGB(0, 255, 0));
  images.Draw(0, 0, 0);
  EXPECT_EQ(platform.Pixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(platform.Pixel(4, 0), RGB(0, 255, 0)) << "pattern 0 only";
}

TEST_F(PackTool, BuildsASoundArchive) {
  WriteBytes(dir.File("boom.wav"), Wav(50));
  const std::string out = dir.File("sounds.vtw");
  const TCommandRun build =
      Pack("build " + out + " " + Manifest("sounds.txt", "Boom.wav,boom.wav,1,3\r\n"));
  ASSERT_EQ(build.ExitCode, 0) << build.Output;
  EXPECT_NE(Pack("list " + out).Output.find("Boom.wav: Looped 1, MaxPlayingCount 3, payload"),
            std::string::npos);
  media::THeadlessPlatform platform{{.ExeDir = "./", .AudioDriver = "none"}};
  platform.SoundList().LoadFromFile(out);
  EXPECT_EQ(platform.SoundList().IndexOf("boom.wav"), 0);
  EXPECT_EQ(platform.SoundList().Item(0).MaxPlayingCount, 3);
}

TEST_F(PackTool, BadLinesAreReportedByLineAndNothingIsWritten) {
  WriteBytes(dir.File("ok.png"), Png(2, 2, [](int, int) { return 0u; }));
  WriteBytes(dir.File("fake.png"), Wav(5));
  std::vector<uint8_t> cut = Png(2, 2, [](int, int) { return 0u; });
  cut.resize(cut.size() / 2);
  WriteBytes(dir.File("cut.png"), cut);
  const std::string manifest = Manifest("images.txt",
                                        "ok,ok.png,0,0,0,0,0,0,0\n"
                                        "short,ok.png,0\n"
                                        "neg,ok.png,-1,0,0,0,0,0,0\n"
                                        "flag,ok.png,0,0,0,0,maybe,0,0\n"
                                        "OK,ok.png,0,0,0,0,0,0,0\n"
                                        "gone,missing.png,0,0,0,0,0,0,0\n"
                                        "fake,fake.png,0,0,0,0,0,0,0\n"
                                        "colour,ok.png,0,0,0,0,0,1,$1000000\n"
                                        "cut,cut.png,0,0,0,0,0,0,0\n");
  const std::string out = dir.File("sprites.vtg");
  const TCommandRun build = Pack("build " + out + " " + manifest);
  EXPECT_EQ(build.ExitCode, 1);
  for (const char* line :
       {":2: expected 9 items", ":3: PatternWidth must not be negative", ":4: SystemMemory",
        ":5: the name \"OK\" is already used on line 1", ":6: cannot read", ":7: ", "is not a PNG",
        ":8: TransparentColor", ":9: ", "does not decode as PNG"})
    EXPECT_NE(build.Output.find(line), std::string::npos) << line << "\n" << build.Output;
  EXPECT_EQ(build.Output.find(":1:"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(PackTool, SoundsMustBeWaves) {
  WriteBytes(dir.File("pic.png"), Png(2, 2, [](int, int) { return 0u; }));
  const TCommandRun build =
      Pack("build " + dir.File("s.vtw") + " " + Manifest("m.txt", "x,pic.png,0,0\n"));
  EXPECT_EQ(build.ExitCode, 1);
  EXPECT_NE(build.Output.find("m.txt:1: "), std::string::npos);
  EXPECT_NE(build.Output.find("not a RIFF/WAVE"), std::string::npos);
}

TEST_F(PackTool, UsageAndUnreadableInputsFailCleanly) {
  EXPECT_EQ(Pack("").ExitCode, 2);
  EXPECT_EQ(Pack("build only-two").ExitCode, 2);
  EXPECT_EQ(Pack("build out.zip " + Manifest("m.txt", "")).ExitCode, 1);
  EXPECT_EQ(Pack("build " + dir.File("x.vtg") + " " + dir.File("none.txt")).ExitCode, 1);
  const TCommandRun list = Pack("list " + dir.File("none.vtg"));
  EXPECT_EQ(list.ExitCode, 1);
  EXPECT_NE(list.Output.find("cannot open"), std::string::npos);
  WriteBytes(dir.File("junk.vtg"), {1, 2, 3});
  EXPECT_EQ(Pack("list " + dir.File("junk.vtg")).ExitCode, 1);
}

}  // namespace
}  // namespace quellix::testing
