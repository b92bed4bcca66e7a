// The data checker on the generated data, and on copies of it with one thing taken away
// or spoilt: each fault is one finding that names the file and the item, and nothing
// else is reported.
#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DataCheckCopy.h"
#include "graphics/vtArchive.h"
#include "images/vtAnimationScan.h"
#include "vtDataCheck.h"

namespace quellix::testing {
namespace {

using datacheck::CheckData;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;

class DataCheck : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  }

  std::vector<std::string> Findings() { return CheckData(Copy().Dir()).Findings; }
  TDataCopy& Copy() {
    if (!fCopy) fCopy = std::make_unique<TDataCopy>();
    return *fCopy;
  }

 private:
  std::unique_ptr<TDataCopy> fCopy;
};

TEST_F(DataCheck, PassesOnTheGeneratedDataAndCountsWhatItRead) {
  const datacheck::TDataReport report = CheckData(RunDir());
  EXPECT_THAT(report.Findings, ElementsAre());
  EXPECT_TRUE(report.Ok());
  EXPECT_THAT(report.Summary(), StartsWith("data OK: "));

  const auto images = ReadArchive(RunDir() + "sprites.vtg", TArchiveKind::Images);
  const auto sounds = ReadArchive(RunDir() + "sounds.vtw", TArchiveKind::Sounds);
  const auto scenes = assetgen::ScanAnimationText(ReadText(RunDir() + "data/quellix.txt"));
  EXPECT_EQ(report.Images, static_cast<int32_t>(images.Entries.size()));
  EXPECT_EQ(report.Sounds, static_cast<int32_t>(sounds.Entries.size()));
  EXPECT_EQ(report.Scenes, static_cast<int32_t>(scenes.size()));
  EXPECT_EQ(report.Patterns,
            static_cast<int32_t>(Split(FirstLine(RunDir() + "data/patterns.txt")).size()));
  EXPECT_EQ(report.Kinds, 10);
  EXPECT_EQ(report.Sections, 4);
}

TEST_F(DataCheck, NamesAMissingScene) {
  Copy().RemoveScene("RedHole");
  EXPECT_THAT(Findings(), ElementsAre("data/quellix.txt: scene Holes/RedHole is missing"));
}

TEST_F(DataCheck, NamesAFrameWhoseImageIsMissing) {
  Copy().RewriteArchive("sprites.vtg", TArchiveKind::Images,
                        [](const TArchiveEntry& e, auto&) { return e.Name != "holes_redhole_2"; });
  EXPECT_THAT(Findings(), ElementsAre("data/quellix.txt: Holes/RedHole frame 3: image "
                                      "\"holes_redhole_2\" is not in sprites.vtg"));
}

TEST_F(DataCheck, NamesAMissingSound) {
  Copy().RewriteArchive("sounds.vtw", TArchiveKind::Sounds,
                        [](const TArchiveEntry& e, auto&) { return e.Name != "thud.wav"; });
  EXPECT_THAT(Findings(), ElementsAre("sounds.vtw: sound thud.wav is missing"));
}

TEST_F(DataCheck, NamesCorruptPayloads) {
  // Both keep a plausible header, so only decoding finds them out.
  Copy().RewriteArchive("sprites.vtg", TArchiveKind::Images, [](const TArchiveEntry& e, auto& p) {
    if (e.Name == "holes_greenhole_0") p.resize(40);
    return true;
  });
  Copy().RewriteArchive("sounds.vtw", TArchiveKind::Sounds, [](const TArchiveEntry& e, auto& p) {
    if (e.Name == "thud.wav") std::fill(p.begin() + 20, p.begin() + 36, uint8_t{0});
    return true;
  });
  EXPECT_THAT(Findings(), ElementsAre(StartsWith("sprites.vtg: item \"holes_greenhole_0\""),
                                      StartsWith("sounds.vtw: item \"thud.wav\"")));
}

TEST_F(DataCheck, NamesMissingAndEmptyPatterns) {
  Copy().EditPattern("floud2", false);
  Copy().EditPattern("spiker3", true);
  EXPECT_THAT(Findings(), UnorderedElementsAre("data/patterns.txt: pattern floud2 is missing",
                                               "data/patterns.txt: pattern spiker3 has no points"));
}

TEST_F(DataCheck, NamesAPatternThatStopsTheLoad) {
  const std::string path = Copy().PathOf("data/patterns.txt");
  TStringList patterns = Split(FirstLine(path));
  patterns.insert(patterns.begin(), Join({"broken", "1,2,3,4", "1,2,x,4"}));
  WriteText(path, Join(patterns));
  const auto findings = Findings();
  ASSERT_FALSE(findings.empty());
  EXPECT_THAT(findings[0], StartsWith("data/patterns.txt: pattern broken: "));
  // Nothing after the broken pattern is read, so every pattern the game uses is missing.
  EXPECT_EQ(findings.size(), 12u);
}

TEST_F(DataCheck, NamesAMissingConfigurationField) {
  // Declared names load as 0, so the field goes from the declared names as well.
  Copy().EditConfig("castles", "medium", "inc_BounceBack", std::nullopt);
  EXPECT_THAT(Findings(),
              ElementsAre("data/config.txt: castles/medium: inc_BounceBack is missing"));
}

TEST_F(DataCheck, NamesZeroAndNegativeIntervalsButNotSteps) {
  Copy().EditConfig("spirals", "easy", "Inc_Shot_XSpeed", "0");
  Copy().EditConfig("bases", "hard", "Inc_Skittishness", "-2");
  Copy().EditConfig("starfish", "child", "Inc_MaxAmount_Increase", "0");
  Copy().EditConfig("flouds", "medium", "active_mod", "0");  // never appears: allowed
  EXPECT_THAT(Findings(),
              UnorderedElementsAre(
                  "data/config.txt: spirals/easy: interval Inc_Shot_XSpeed is 0 (must be at "
                  "least 1)",
                  "data/config.txt: bases/hard: interval Inc_Skittishness is -2 (suspicious: "
                  "must be at least 1)"));
}

TEST_F(DataCheck, ImageRangesOfEverySectionNameTheirScenes) {
  Copy().EditConfig("squids", "hard", "HighImage", "4");
  Copy().EditConfig("spirals", "child", "Shot_HighImage", "4");
  Copy().EditConfig("flouds", "easy", "LowImage", "2");  // shot1..3 and shot2..4
  Copy().EditConfig("azteks", "medium", "HighImage", "1000000");
  EXPECT_THAT(Findings(), UnorderedElementsAre(
                              "data/config.txt: azteks/medium: LowImage 1, HighImage 1000000 is "
                              "no plausible image range",
                              "data/quellix.txt: scene Spirals/SpiralShot4 is missing",
                              "data/quellix.txt: scene Flouds/floud4 is missing",
                              "data/quellix.txt: scene Flouds/shot4 is missing",
                              "data/quellix.txt: scene Squids/squid4 is missing"));
}

TEST_F(DataCheck, NamesTheSceneOfABadFrameLine) {
  Copy().InsertLineAfter("255,0,0.5,0.5,100,100,holes_redhole_0,1",
                         "255,0,0.5,0.5,100,100,holes_redhole_1");
  EXPECT_THAT(Findings(),
              ElementsAre(AllOf(StartsWith("data/quellix.txt: Tvt6Frame.SetAsString reports the "
                                           "following error: "),
                                EndsWith(", Holes/RedHole frame 2")),
                          AllOf(StartsWith("data/quellix.txt: 1 line of "),
                                EndsWith("could not be read in full"))));
}

TEST_F(DataCheck, MissingFilesAreFindings) {
  const auto findings = CheckData(Copy().Dir() + "nothing-here");
  for (const char* file : {"sprites.vtg: ", "sounds.vtw: ", "data/quellix.txt: ",
                           "data/patterns.txt: ", "data/config.txt: "})
    EXPECT_THAT(findings.Findings, ::testing::Contains(StartsWith(file))) << file;
}

}  // namespace
}  // namespace quellix::testing
