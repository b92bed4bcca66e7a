// Replay files and what is checked before a replay plays: the text pinned line by line,
// every kind of input read back as written, damaged files reported with their place
// and never read past, replays of other data, other format versions or unknown options
// refused; and the main window's side: the seed it reports and a preset high-score
// table that never reaches the player's file.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "MainWindowFixture.h"
#include "base/vtRandom.h"
#include "shell/vtReplayPlayer.h"
#include "support/vtReplayDamage.h"
#include "support/vtTempDir.h"

namespace quellix::testing {
namespace {

TReplayInput Event(TReplayInputKind kind, int32_t key = 0, TMouseButton button = TMouseButton::Left,
                   std::string text = "") {
  TReplayInput input;
  input.Kind = kind;
  input.Key = key;
  input.Button = button;
  input.Text = std::move(text);
  return input;
}

TReplayInput Tick(bool polled, int32_t dx, int32_t dy, bool button0, uint32_t repeat) {
  TReplayInput tick;
  tick.Polled = polled;
  tick.DX = dx;
  tick.DY = dy;
  tick.Button0 = button0;
  tick.Repeat = repeat;
  return tick;
}

// One line of every kind.
TReplay SmallReplay(std::vector<TDataDigest> data) {
  TReplay replay;
  replay.Data = std::move(data);
  replay.Seed = 42;
  replay.Options = {{"window", "1"}};
  replay.HighScores = {{"Vez Uzodaz", 100000, 20, "Master Devuvov"}, {"A, \"b\"", 5, 1, "Devuvov"}};
  replay.Input = {Event(TReplayInputKind::Activate),
                  Tick(true, 3, -2, true, 1),
                  Tick(false, 0, 0, false, 4),
                  Event(TReplayInputKind::KeyUp, 80),
                  Event(TReplayInputKind::MouseDown, 0, TMouseButton::Right),
                  Event(TReplayInputKind::MouseUp, 0, TMouseButton::Right),
                  Event(TReplayInputKind::ModalText, 0, TMouseButton::Left, "Zo\xC3\xAB 1%"),
                  Event(TReplayInputKind::ModalKeyDown, VK_BACK),
                  Event(TReplayInputKind::ModalKeyUp, VK_RETURN),
                  Tick(true, 0, 0, false, 25)};
  return replay;
}

std::vector<TDataDigest> MadeUpDigests() {
  std::vector<TDataDigest> data;
  uint64_t digest = 0x0123456789ABCDEFULL;
  for (const std::string_view name : GameDataFiles) data.push_back({std::string(name), digest++});
  return data;
}

TEST(ReplayFileTest, AReplayIsWrittenAsDocumented) {
  EXPECT_EQ(Fnv1a(""), 0xCBF29CE484222325ULL);
  EXPECT_EQ(Fnv1a("a"), 0xAF63DC4C8601EC8CULL);
  EXPECT_EQ(Fnv1a("foobar"), 0x85944171F73967E8ULL);

  const std::string body =
      "quellix-replay 1\n"
      "data sprites.vtg 0123456789abcdef\n"
      "data sounds.vtw 0123456789abcdf0\n"
      "data data/quellix.txt 0123456789abcdf1\n"
      "data data/patterns.txt 0123456789abcdf2\n"
      "data data/config.txt 0123456789abcdf3\n"
      "seed 42\n"
      "options 1\n"
      "window=1\n"
      "highscores 2\n"
      "\"Vez Uzodaz\",100000,20,\"Master Devuvov\"\n"
      "\"A, \"\"b\"\"\",5,1,Devuvov\n"
      "input 10 30\n"
      "activate\n"
      "poll 3 -2 1\n"
      "nopoll *4\n"
      "key 80\n"
      "press R\n"
      "release R\n"
      "type Zo%C3%AB%201%25\n"
      "modal-down 8\n"
      "modal-up 13\n"
      "poll 0 0 0 *25\n";
  const TReplay replay = SmallReplay(MadeUpDigests());
  EXPECT_EQ(WriteReplay(replay), body + "end " + DigestText(Fnv1a(body)) + "\n");
  EXPECT_EQ(replay.TickCount(), 30);
  EXPECT_EQ(ReadReplay(WriteReplay(replay), "small"), replay);
}

TEST(ReplayFileTest, EveryInputReadsBackAsWrittenWithinTheLimits) {
  TReplay replay = SmallReplay(MadeUpDigests());
  replay.Seed = std::numeric_limits<uint64_t>::max();
  replay.Options.push_back({"motion-style_2", "a=b/c"});
  replay.HighScores.push_back({"", 0, 0, ""});
  std::string everyByte;
  for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
  replay.Input.push_back(Event(TReplayInputKind::ModalText, 0, TMouseButton::Left, everyByte));
  replay.Input.push_back(Event(TReplayInputKind::ModalText));
  replay.Input.push_back(Event(TReplayInputKind::KeyUp, INT32_MIN));
  replay.Input.push_back(Event(TReplayInputKind::ModalKeyDown, INT32_MAX));
  replay.Input.push_back(Event(TReplayInputKind::MouseDown, 0, TMouseButton::Middle));
  replay.Input.push_back(Tick(true, INT32_MIN, INT32_MAX, true, 1000000));
  EXPECT_EQ(ReadReplay(WriteReplay(replay), "every"), replay);

  // What could not be read back is not written.
  const auto refused = [&](auto change) {
    TReplay broken = replay;
    change(broken);
    EXPECT_THROW(WriteReplay(broken), TReplayError);
  };
  refused([](TReplay& r) { r.Options.push_back({"Upper", "1"}); });
  refused([](TReplay& r) { r.Options.push_back({"key", "a b"}); });
  refused([](TReplay& r) { r.Options.push_back({"window", "0"}); });
  refused([](TReplay& r) { r.Options.resize(TReplay::MaxOptions + 1, {"k", "v"}); });
  refused([](TReplay& r) { r.HighScores.push_back({"line\nend", 1, 1, "t"}); });
  refused([](TReplay& r) { r.Data.pop_back(); });
  refused([](TReplay& r) { r.Input[6].Text.assign(TReplay::MaxTextBytes + 1, 'x'); });
  refused([](TReplay& r) { r.Input.back().Repeat = 0; });
  refused([](TReplay& r) { r.Input.push_back(Tick(false, 0, 0, false, INT32_MAX)); });
}

TEST(ReplayFileTest, DamagedFilesAreReportedWithTheirPlaceAndNeverRead) {
  const std::string good = WriteReplay(SmallReplay(MadeUpDigests()));
  ExpectEveryDamageReported(good);
  ExpectReported(good + "more\n", "bytes after the end");
  ExpectReported(std::string(TReplay::MaxLineBytes + 10, 'q'), "one long line");
  ExpectReported("quellix-replay 1\r\n", "a Windows line end");
  ExpectReported("\x89PNG\r\n\x1a\n", "a picture");

  TTempDir dir;
  EXPECT_THROW(LoadReplayFile(dir.File("missing.replay")), TReplayError);
  EXPECT_THROW(LoadReplayFile(dir.Dir()), TReplayError);
}

// Players over the fake platform, attached to a main window over the mini data set.
class ReplayRefusalTest : public ::testing::Test {
 protected:
  ReplayRefusalTest() { platform.Dir = data.Dir(); }
  std::string Problem(const std::string& text) {
    data.Write("session.replay", text);
    TReplayPlayer player(platform, file);
    TfrmMain main(player);
    player.Attach(main);
    return player.Problem();
  }

  TMiniData data;
  TFakePlatform platform;
  const std::string file = data.File("session.replay");
};

TEST_F(ReplayRefusalTest, OtherDataOtherVersionsAndUnknownOptionsAreRefused) {
  TReplay replay = SmallReplay(DigestGameData(data.Dir()));
  const std::string good = WriteReplay(replay);
  EXPECT_EQ(Problem(good), "");

  std::string later = good;
  later.replace(0, 16, "quellix-replay 3");
  EXPECT_EQ(Problem(later),
            file + " is a replay of format version 3; this game plays versions 1 to 2");

  EXPECT_EQ(TReplayPlayer(platform, TReplay{}, "made").Problem(),
            "made: not a good replay: it needs one digest per data file");

  // How it was drawn does not change play; an option this game lacks is refused.
  replay.Options.push_back({"motion", "classic"});
  EXPECT_EQ(Problem(WriteReplay(replay)), "");
  replay.Options.push_back({"gravity", "low"});
  EXPECT_NE(Problem(WriteReplay(replay)).find("option gravity=low"), std::string::npos);

  data.Write("data/config.txt", data.Read("data/config.txt") + "\n");
  data.Write("session.replay", good);
  TReplayPlayer player(platform, file);
  TfrmMain main(player);
  player.Attach(main);
  EXPECT_EQ(player.Problem(),
            file + ": it was recorded with other game data: data/config.txt differs");
  EXPECT_EQ(player.State(), TReplayPlayer::TState::Refused);

  // Refused: said in the log and a message box; nothing is loaded or played.
  player.Refuse();
  player.TimerEvent(0);
  EXPECT_FALSE(main.ActivationDone());
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"Replay refused: " + player.Problem()});
  EXPECT_NE(data.Read("log.txt").find("Replay refused: " + player.Problem()), std::string::npos);
  EXPECT_EQ(player.ExitStatus(), 1);
}

using ReplayMainWindowTest = MainWindowTest;

TEST_F(ReplayMainWindowTest, APresetTableIsPlayedButNeverSavedAndTheSeedIsReported) {
  data.Write("highscores.txt", "Mine,7,1,Devuvov\r\n");
  main.PresetHighScores({{"Recorded", 500, 3, "Devuvov"}, {"Also", 100, 1, "Devuvov"}});
  main.SetFixedSeed(1234);
  Activate();
  Tvt6HighScoreEngine& table = *main.MainEngine()->HighScoreEngine();
  ASSERT_EQ(table.Count(), 2);
  EXPECT_EQ(table.Record(0)->Name, "Recorded");
  EXPECT_EQ(main.Seed(), 1234u);
  main.FormClose();
  EXPECT_EQ(data.Read("highscores.txt"), "Mine,7,1,Devuvov\r\n");
}

TEST_F(ReplayMainWindowTest, AClockSeedIsReportedAsTheSeedInUse) {
  Activate();
  TRandom same(main.Seed());
  for (int i = 0; i < 5; ++i) EXPECT_EQ(main.Random().Random(1000000), same.Random(1000000));
}

}  // namespace
}  // namespace quellix::testing
