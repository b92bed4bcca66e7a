#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "graphics/vtAnimationEngine.h"
#include "graphics/vtBadLines.h"
#include "support/vtTempDir.h"
#include "support/vtTestContext.h"

namespace quellix {
namespace {

using testing::TTestContext;

const std::string FrameError = "Tvt6Frame.SetAsString reports the following error:\r";

struct AnimationFileTest : ::testing::Test {
  TTestContext ctx;
  Tvt6AnimationEngine engine{ctx.Context};
  TBadLines bad{ctx.Log, ctx.Platform, "quellix.txt"};

  const Tvt6Frame& FrameOf(const char* reel, const char* scene, int index) {
    const Tvt6Scene* s = engine.GetScene(reel, scene);
    if (!s) throw std::runtime_error("no scene");
    const Tvt6Frame* f = s->Frame(index);
    if (!f) throw std::runtime_error("no frame");
    return *f;
  }
};

TEST_F(AnimationFileTest, FrameLineReadsEveryItem) {
  Tvt6Frame frame;
  frame.SetAsString("200,64,0.25,0.75,50,150,ship,7", bad);
  EXPECT_EQ(frame.Alpha, 200);
  EXPECT_EQ(frame.Angle, 64);
  EXPECT_DOUBLE_EQ(frame.CenterX, 0.25);
  EXPECT_DOUBLE_EQ(frame.CenterY, 0.75);
  EXPECT_EQ(frame.ScaleX, 50);
  EXPECT_EQ(frame.ScaleY, 150);
  EXPECT_EQ(frame.ImageName, "ship");
  EXPECT_EQ(frame.Spare, 7);
  EXPECT_TRUE(ctx.Platform.Messages.empty());
}

TEST_F(AnimationFileTest, CentreDecimalRule) {
  struct {
    const char* text;
    double value;
  } cases[] = {{"0.5", 0.5}, {"0.05", 0.05}, {"1.25", 1.25}, {"2.0", 2.0}, {"-1.5", -0.5}};
  for (const auto& c : cases) {
    Tvt6Frame frame;
    frame.SetAsString(std::string("255,0,") + c.text + ",0.5,100,100,a,1", bad);
    EXPECT_DOUBLE_EQ(frame.CenterX, c.value) << c.text;
  }
  EXPECT_TRUE(ctx.Platform.Messages.empty());
  // No point, or nothing on one side of it: an error shown to the player.
  for (const char* centre : {"1", ".5", "5.", "a.5"}) {
    ctx.Platform.Messages.clear();
    Tvt6Frame frame;
    TBadLines lines(ctx.Log, ctx.Platform, "quellix.txt");
    frame.SetAsString(std::string("100,3,") + centre + ",0.5,100,100,a,1", lines);
    EXPECT_EQ(frame.Alpha, 100);
    EXPECT_EQ(frame.Angle, 3);
    EXPECT_DOUBLE_EQ(frame.CenterX, 0.5) << centre;
    EXPECT_EQ(frame.ImageName, "") << "reading stops at the bad item";
    ASSERT_EQ(ctx.Platform.Messages.size(), 1u) << centre;
    EXPECT_EQ(ctx.Platform.Messages[0].rfind(FrameError, 0), 0u);
  }
}

TEST_F(AnimationFileTest, ShortFrameLineKeepsWhatWasReadAndShowsOneMessage) {
  Tvt6Frame frame;
  frame.SetAsString("128,10,0.5,0.5,90,80,ship", bad);
  EXPECT_EQ(frame.Alpha, 128);
  EXPECT_EQ(frame.ScaleY, 80);
  EXPECT_EQ(frame.ImageName, "ship");
  EXPECT_EQ(frame.Spare, 1);
  const std::string error =
      FrameError + "the line \"128,10,0.5,0.5,90,80,ship\" has 7 items where 8 are needed";
  ASSERT_EQ(ctx.Platform.Messages.size(), 1u);
  EXPECT_EQ(ctx.Platform.Messages[0], error);
  EXPECT_EQ(ctx.Messages(), std::vector<std::string>{error + "\r\"quellix.txt\" line 1"})
      << "every bad line is in the log too, with where it stands";
}

TEST_F(AnimationFileTest, FarOutScalesAreBoundedWhenAFrameIsRead) {
  Tvt6Frame frame;
  frame.SetAsString("255,0,0.5,0.5,100000,-2147483648,ship,1", bad);
  EXPECT_EQ(frame.ScaleX, Tvt6Frame::MaxScale);
  EXPECT_EQ(frame.ScaleY, -Tvt6Frame::MaxScale);
  EXPECT_EQ(frame.ImageName, "ship") << "the rest of the line is read as written";
  ASSERT_EQ(ctx.Platform.Messages.size(), 1u);
  EXPECT_EQ(ctx.Platform.Messages[0], FrameError +
                                          "the scale 100000 by -2147483648 is beyond 1000 per "
                                          "cent; drawn at 1000 by -1000");
  Tvt6Frame sensible;
  sensible.SetAsString("255,0,0.5,0.5,1000,-1000,ship,1", bad);
  EXPECT_EQ(sensible.ScaleX, 1000);
  EXPECT_EQ(sensible.ScaleY, -1000);
  EXPECT_EQ(bad.Count(), 1);
}

// A file with a bad number in every frame line: a few boxes, every line in the log and
// one line that tells how many more there were.
TEST_F(AnimationFileTest, BadLinesShowAFewBoxesPerLoadAndLogEveryOne) {
  TStringList lines = {"", "[REELREC]", "r", "[SCENEREC]", "s"};
  constexpr int Bad = 1000;
  for (int i = 0; i < Bad; ++i) lines.push_back("x" + std::to_string(i) + ",0,0.5,0.5,100,100,a,1");
  engine.LoadFromStrings(lines, "quellix.txt");
  EXPECT_EQ(engine.Reel(0)->Scene(0)->FrameCount(), Bad) << "what was read is kept";
  const auto& boxes = ctx.Platform.Messages;
  ASSERT_EQ(boxes.size(), TBadLines::MaxShown + 1u);
  EXPECT_EQ(boxes[0], FrameError + "'x0' is not a valid integer value");
  EXPECT_EQ(boxes.back(),
            "1000 lines of \"quellix.txt\" could not be read in full; 997 of them were not "
            "shown (every one is in log.txt)");
  // The in-memory log keeps its last 300 lines; the last bad line and the count are there.
  const std::vector<std::string> logged = ctx.Messages();
  ASSERT_GE(logged.size(), 2u);
  EXPECT_EQ(logged[logged.size() - 2],
            FrameError +
                "'x999' is not a valid integer value\r\"quellix.txt\" line 1005, r/s "
                "frame 1000");
  EXPECT_EQ(logged.back(),
            "1000 lines of \"quellix.txt\" could not be read in full; 997 of "
            "them were not shown");

  // Each load has its own few boxes.
  ctx.Platform.Messages.clear();
  engine.LoadFromStrings(lines, "quellix.txt");
  EXPECT_EQ(ctx.Platform.Messages.size(), TBadLines::MaxShown + 1u);
}

TEST_F(AnimationFileTest, NoBoxIsShownOnceClosingWasAskedFor) {
  TStringList lines = {"", "[REELREC]", "r", "[SCENEREC]", "s"};
  for (int i = 0; i < 50; ++i) lines.emplace_back("bad");
  ctx.Platform.CloseRequested = true;
  engine.LoadFromStrings(lines);
  EXPECT_TRUE(ctx.Platform.Messages.empty());
  EXPECT_EQ(ctx.Messages().back(),
            "50 lines of the data could not be read in full; 50 of them "
            "were not shown");
}

TEST_F(AnimationFileTest, ReelsScenesAndFramesFromBlocks) {
  engine.LoadFromStrings({
      "comment line, never examined",
      "[REELREC]",
      "ships,\"the player\"",
      "body lines outside scene blocks are ignored",
      "[SCENEREC]",
      "fly,wings",
      "255,0,0.5,0.5,100,100,ship1,1",
      "255,0,0.5,0.5,100,100,ship2,1",
      "[ENDSCENE]",
      "[SCENEREC]",
      "turn",
      "128,32,0.5,0.5,50,50,ship3,2",
      "[ENDSCENE]",
      "[ENDREEL]",
      "between reels: ignored",
      "[REELREC]",
      "text",
      "[SCENEREC]",
      "gameover",
      "255,0,0.5,0.5,100,100,over,1",
  });
  ASSERT_EQ(engine.ReelCount(), 2);
  const Tvt6Reel& ships = *engine.Reel(0);
  EXPECT_EQ(ships.Name, "ships");
  EXPECT_EQ(ships.Note, "the player");
  ASSERT_EQ(ships.SceneCount(), 2);
  EXPECT_EQ(ships.Scene(0)->Note, "wings");
  EXPECT_EQ(ships.Scene(0)->FrameCount(), 2);
  EXPECT_EQ(FrameOf("ships", "fly", 1).ImageName, "ship2");
  EXPECT_EQ(FrameOf("ships", "turn", 0).Angle, 32);
  // A scene block and a reel block may run to the end of the file.
  EXPECT_EQ(FrameOf("text", "gameover", 0).ImageName, "over");
  EXPECT_EQ(engine.Reel(2), nullptr);
  EXPECT_THROW(engine.Reel(-1), std::out_of_range);
  EXPECT_TRUE(ctx.Messages().empty());
}

TEST_F(AnimationFileTest, MarkersMustMatchTheWholeLineExactly) {
  engine.LoadFromStrings({"[REELREC]",
                          "first",
                          "[ENDREEL]",
                          " [REELREC]",
                          "spaced",
                          "[ENDREEL]",
                          "[reelrec]",
                          "lower",
                          "[ENDREEL]",
                          "[REELREC] ",
                          "trailing",
                          "[ENDREEL]",
                          "[REELREC]",
                          "real",
                          "[SCENEREC]",
                          "s",
                          "255,0,0.5,0.5,100,100,a,1",
                          "[endscene]",
                          "[ENDSCENE]",
                          "[ENDREEL]"});
  ASSERT_EQ(engine.ReelCount(), 1) << "line 0 is never examined; no other marker is exact";
  EXPECT_EQ(engine.Reel(0)->Name, "real");
  // The lower-case end marker is a frame line of the scene (a bad one).
  EXPECT_EQ(engine.Reel(0)->Scene(0)->FrameCount(), 2);
  EXPECT_EQ(ctx.Platform.Messages.size(), 1u);
}

TEST_F(AnimationFileTest, InlineScenesAndFramesComeBeforeTheBlocks) {
  // A reel header carrying one scene header, which itself carries one frame line.
  const std::string inlineFrame = "255,0,0.5,0.5,100,100,inl,1";
  const std::string inlineScene = Join({"early", "", inlineFrame});
  const std::string reelHeader = Join({"r", "note", inlineScene});
  engine.LoadFromStrings({"", "[REELREC]", reelHeader, "[SCENEREC]",
                          Join({"late", "x", "200,0,0.5,0.5,100,100,i1,1"}),
                          "100,0,0.5,0.5,100,100,b1,1", "[ENDSCENE]", "[ENDREEL]"});
  const Tvt6Reel& reel = *engine.Reel(0);
  EXPECT_EQ(reel.Note, "note");
  ASSERT_EQ(reel.SceneCount(), 2);
  EXPECT_EQ(reel.Scene(0)->Name, "early");
  EXPECT_EQ(reel.Scene(0)->Note, "") << "a note is kept only when it is the last item";
  EXPECT_EQ(FrameOf("r", "early", 0).ImageName, "inl");
  const Tvt6Scene& late = *reel.Scene(1);
  EXPECT_EQ(late.Note, "");
  ASSERT_EQ(late.FrameCount(), 2);
  EXPECT_EQ(late.Frame(0)->ImageName, "i1");
  EXPECT_EQ(late.Frame(1)->ImageName, "b1");
}

TEST_F(AnimationFileTest, BlankLineInsideASceneIsABadFrameWithoutImage) {
  engine.LoadFromStrings(
      {"", "[REELREC]", "r", "[SCENEREC]", "s", "", "255,0,0.5,0.5,100,100,A,1", "[ENDSCENE]"});
  ASSERT_EQ(engine.Reel(0)->Scene(0)->FrameCount(), 2);
  ASSERT_EQ(ctx.Platform.Messages.size(), 1u);
  EXPECT_EQ(ctx.Platform.Messages[0].rfind(FrameError, 0), 0u);
  testing::TFakeImageList images;
  images.Add("a", 8, 8);
  engine.LinkImages(images);
  EXPECT_EQ(FrameOf("r", "s", 0).ImageIndex, -1);
  EXPECT_EQ(FrameOf("r", "s", 0).ImageName, "");
  EXPECT_EQ(FrameOf("r", "s", 1).ImageIndex, 0) << "image names ignore letter case";
}

TEST_F(AnimationFileTest, HeaderWithoutItemsEndsTheLoadKeepingWhatWasRead) {
  EXPECT_THROW(engine.LoadFromStrings({"", "[REELREC]", "good", "[ENDREEL]", "[REELREC]", "",
                                       "[ENDREEL]", "[REELREC]", "never"}),
               std::runtime_error);
  ASSERT_EQ(engine.ReelCount(), 1);
  EXPECT_EQ(engine.Reel(0)->Name, "good");

  Tvt6AnimationEngine other(ctx.Context);
  EXPECT_THROW(other.LoadFromStrings({"", "[REELREC]", "r", "[SCENEREC]", "a", "[ENDSCENE]",
                                      "[SCENEREC]", "  ", "[ENDSCENE]"}),
               std::runtime_error);
  ASSERT_EQ(other.ReelCount(), 1) << "the reel is added before its body is read";
  EXPECT_EQ(other.Reel(0)->SceneCount(), 1);
}

TEST_F(AnimationFileTest, MarkerOnTheLastLineThrows) {
  EXPECT_THROW(engine.LoadFromStrings({"", "[REELREC]"}), std::runtime_error);
  EXPECT_EQ(engine.ReelCount(), 0);
  EXPECT_THROW(engine.LoadFromStrings({"", "[REELREC]", "r", "[SCENEREC]"}), std::runtime_error);
  EXPECT_THROW(engine.LoadFromStrings({"", "[REELREC]", "q", "[SCENEREC]", "[ENDREEL]", "x"}),
               std::runtime_error)
      << "a scene header must lie inside the reel body";
}

TEST_F(AnimationFileTest, LookupsIgnoreCaseAndWarnOnMisses) {
  engine.LoadFromStrings({"", "[REELREC]", "Ships", "[SCENEREC]", "Fly", "[ENDSCENE]", "[SCENEREC]",
                          "fly", "[ENDSCENE]"});
  const Tvt6Reel* reel = engine.Reel(0);
  EXPECT_EQ(engine.ReelByName("sHIPS"), reel);
  EXPECT_EQ(engine.GetScene("SHIPS", "FLY"), reel->Scene(0)) << "the first match wins";
  EXPECT_TRUE(ctx.Messages().empty());

  EXPECT_EQ(engine.GetScene("ships", "Missing"), nullptr);
  EXPECT_EQ(engine.GetScene("Nowhere", "Fly"), nullptr);
  EXPECT_EQ(engine.GetScene("", "Fly"), nullptr);
  EXPECT_EQ(engine.GetScene("ships", ""), nullptr);
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{
                "WARNING: Tvt6Reel.SceneByName was unable to find the following scene: "
                "\"missing\"",
                "WARNING:Tvt6AnimationEngine.GetScene was unable to find named reel: "
                "\"Nowhere.Fly\""}));
  EXPECT_EQ(ctx.Platform.MessagePumps, 0) << "lookups run inside ticks: no message pumping";
}

TEST_F(AnimationFileTest, LoadFromFileAppendsAndLogsAMissingFile) {
  const testing::TTempDir dir;
  const std::string path = dir.File("quellix.txt");
  {
    std::ofstream out(path, std::ios::binary);
    out << "Quellix animations\r\n[REELREC]\r\nr\r\n[SCENEREC]\r\ns\r\n"
           "255,0,0.5,0.5,100,100,a,1\r\n[ENDSCENE]\r\n[ENDREEL]";
  }
  engine.LoadFromFile(path);
  engine.LoadFromFile(path);
  EXPECT_EQ(engine.ReelCount(), 2) << "loading appends";
  EXPECT_EQ(FrameOf("r", "s", 0).Spare, 1) << "CR LF line ends are taken off";
  std::remove(path.c_str());

  engine.LoadFromFile(path);
  EXPECT_EQ(engine.ReelCount(), 2);
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{"Animation Engine.LoadFromFile reports \"File not Found\"\r" +
                                      path}));
}

}  // namespace
}  // namespace quellix
