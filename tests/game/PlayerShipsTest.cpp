// The player's ships in play: new game and level start, the control point, a ship's
// death, its explosion and the ghost that brings a spare in, the game-over test, the
// target choice of homing enemies and the heads-up display.
#include <array>

#include "PlayerTestBed.h"
#include "game/vtSpriteKinds.h"
#include "graphics/vtFontHandler.h"
#include "graphics/vtStars.h"
#include "movement/vtMoveToFixedXYPoint.h"

namespace quellix::testing {
namespace {

constexpr std::array<TfrmPlayer::TSide, 4> Sides = {TfrmPlayer::Left, TfrmPlayer::Right,
                                                    TfrmPlayer::Top, TfrmPlayer::Bottom};

class PlayerShipsTest : public PlayerTest {
 protected:
  // The ghost's flight of the side, none while no ghost flies.
  Tvt6Move_MoveToFixedXYPoint* Flight(TSide side) {
    Tvt6Sprite* ghost = player.Ghost[side].Get();
    return ghost ? dynamic_cast<Tvt6Move_MoveToFixedXYPoint*>(ghost->GetBehavior(0)) : nullptr;
  }
  // Kills the side's ship with an enemy that is removed again right after.
  void KillShip(TSide side) {
    Tvt6Sprite& enemy = EnemyOn(side);
    Tick();
    enemy.Dead = true;
  }
  int ShipCount() {
    int n = 0;
    for (TSide side : Sides) n += Ship(side) != nullptr;
    return n;
  }
};

TEST_F(PlayerShipsTest, EveryNewGameWithEightSparesPlacesFourShipsAndShowsShips04) {
  for (int game = 0; game < 2; ++game) {
    NewGame(8);
    for (TSide side : Sides) {
      ASSERT_NE(Ship(side), nullptr) << side;
      EXPECT_EQ(Ship(side)->Kind, kinds::PlayerShip);
      EXPECT_EQ(Ship(side)->Layer, 1);
      EXPECT_TRUE(Ship(side)->Collidable);
      EXPECT_TRUE(player.SideOccupied[side]);
    }
    EXPECT_EQ(main->Globals.SpareShips, 4);
    EXPECT_EQ(main->Globals.Score, 0);
    EXPECT_GE(player.ShipColour, 1);
    EXPECT_LE(player.ShipColour, 4);
    EXPECT_EQ(Ship(TfrmPlayer::Top)->Projector->SceneName,
              "Top" + std::to_string(player.ShipColour));
    Tick();
    ASSERT_FALSE(TextsStartingWith("Ships:").empty());
    EXPECT_EQ(TextsStartingWith("Ships:").back().Text, "Ships:04");

    // The game ends badly: every ship gone, no spares, a score made.
    main->Globals.Score = 4321;
    main->Globals.SpareShips = 0;
    player.ShotPower = 7;
    player.Bombs = 0;
    player.ShieldEnergy = 3;
    MainEngine().ClearSprites();
    player.LevelEndSnapshot();
  }
  NewGame(8);
  EXPECT_EQ(ShipCount(), 4);
  EXPECT_EQ(player.ShotPower, 1);
  EXPECT_EQ(player.Bombs, 3);
  EXPECT_EQ(player.ShieldEnergy, 1000);
  EXPECT_EQ(main->Globals.Score, 0);
}

TEST_F(PlayerShipsTest, TwoSparesAtLevelStartServeLeftAndRightOnly) {
  NewGame(2);
  EXPECT_NE(Ship(TfrmPlayer::Left), nullptr);
  EXPECT_NE(Ship(TfrmPlayer::Right), nullptr);
  EXPECT_EQ(Ship(TfrmPlayer::Top), nullptr);
  EXPECT_EQ(Ship(TfrmPlayer::Bottom), nullptr);
  EXPECT_FALSE(player.SideOccupied[TfrmPlayer::Top]);
  Tick();
  EXPECT_EQ(TextsStartingWith("Ships:").back().Text, "Ships:00");
}

TEST_F(PlayerShipsTest, ControlPointStaysInItsRangeAndShipsKeepTheirEdges) {
  NewGame();
  EXPECT_EQ(Ship(TfrmPlayer::Right)->X, 759);
  EXPECT_EQ(Ship(TfrmPlayer::Bottom)->Y, 519);
  Mouse(5000, 5000);
  Tick();
  EXPECT_EQ(player.ControlX, 749);
  EXPECT_EQ(player.ControlY, 519);
  EXPECT_EQ(Ship(TfrmPlayer::Top)->X, 749);
  EXPECT_EQ(Ship(TfrmPlayer::Bottom)->X, 749);
  EXPECT_EQ(Ship(TfrmPlayer::Left)->Y, 519);
  EXPECT_EQ(Ship(TfrmPlayer::Right)->Y, 519);
  Mouse(-5000, -5000);
  Tick();
  EXPECT_EQ(player.ControlX, 0);
  EXPECT_EQ(player.ControlY, 0);
  for (TSide side : Sides) EXPECT_TRUE(Ship(side)) << side;
  EXPECT_EQ(Ship(TfrmPlayer::Right)->X, 759);
  EXPECT_EQ(Ship(TfrmPlayer::Bottom)->Y, 519);
  EXPECT_EQ(Ship(TfrmPlayer::Left)->X, 0);
  EXPECT_EQ(Ship(TfrmPlayer::Top)->Y, 0);
  Mouse(123, 45);
  Tick();
  EXPECT_EQ(player.ControlX, 123);
  EXPECT_EQ(player.ControlY, 45);
}

TEST_F(PlayerShipsTest, ShipDeathExplodesThenAGhostBringsASpareIn) {
  NewGame(5);  // four ships and one spare
  const int32_t textSprites = TextEngine().SpriteCount();
  KillShip(TfrmPlayer::Top);
  EXPECT_EQ(Ship(TfrmPlayer::Top), nullptr);
  EXPECT_TRUE(player.SideOccupied[TfrmPlayer::Top]) << "death keeps the flag";
  EXPECT_EQ(Played("exp2.wav"), 1);
  EXPECT_TRUE(hits.Hits.empty()) << "the enemy that touched it is not harmed";
  const auto carriers = SpritesOfKind(MainEngine(), 29);
  ASSERT_EQ(carriers.size(), 1u);
  EXPECT_EQ(carriers[0]->X, 32000);
  EXPECT_FALSE(carriers[0]->Collidable);
  EXPECT_EQ(carriers[0]->Projector->SceneName, "exp1");

  // The explosion runs 50 updates (one of them in the tick of the death), then the ghost.
  Tick(48);
  EXPECT_EQ(player.PendingRespawns, 0);
  EXPECT_GT(TextEngine().SpriteCount(), textSprites) << "rings on the text engine";
  Tick();
  EXPECT_EQ(player.PendingRespawns, 1);
  EXPECT_TRUE(SpritesOfKind(MainEngine(), 29).empty());
  ASSERT_NE(Flight(TfrmPlayer::Top), nullptr);
  EXPECT_EQ(player.Ghost[TfrmPlayer::Top].Get()->Kind, 26);
  EXPECT_EQ(Flight(TfrmPlayer::Top)->TargetX, player.ControlX);
  EXPECT_EQ(Flight(TfrmPlayer::Top)->TargetY, 0);
  EXPECT_EQ(main->Globals.SpareShips, 1) << "a ghost reserves a spare, it does not spend it";

  ASSERT_TRUE(TickUntil([&] { return player.PendingRespawns == 0; }, 100));
  Tvt6Sprite* ship = Ship(TfrmPlayer::Top);
  ASSERT_NE(ship, nullptr);
  EXPECT_EQ(main->Globals.SpareShips, 0);
  EXPECT_EQ(player.Ghost[TfrmPlayer::Top].Get(), nullptr);
  EXPECT_EQ(ship->Layer, 0);
  EXPECT_GT(ship->Countdown, 0) << "the Top ship comes back invulnerable for a while";
  EXPECT_EQ(ship->Strength, 100);
  EXPECT_EQ(SpritesOfKind(MainEngine(), kinds::HorizontalWave).size(), 1u) << "the respawn sweep";

  // While invulnerable it hits what touches it and survives (once the sweep, which the
  // ship would meet first, has moved on).
  Tick(5);
  EnemyOn(TfrmPlayer::Top);
  Tick();
  EXPECT_NE(Ship(TfrmPlayer::Top), nullptr);
  ASSERT_EQ(hits.CountByHitter(kinds::PlayerShip), 1);
  EXPECT_EQ(hits.Hits.back().Damage, 100);
}

TEST_F(PlayerShipsTest, RightAndBottomShipsComeBackWithoutProtection) {
  NewGame(5);
  KillShip(TfrmPlayer::Right);
  ASSERT_TRUE(TickUntil([&] { return Ship(TfrmPlayer::Right) != nullptr; }, 200));
  EXPECT_EQ(Ship(TfrmPlayer::Right)->Countdown, 0);
  EXPECT_EQ(Ship(TfrmPlayer::Right)->Strength, 0);
  EXPECT_EQ(SpritesOfKind(MainEngine(), kinds::VerticalWave).size(), 1u);
}

TEST_F(PlayerShipsTest, NoSecondGhostWhileTheOnlySpareIsReserved) {
  NewGame(5);  // one spare
  KillShip(TfrmPlayer::Left);
  KillShip(TfrmPlayer::Bottom);  // one tick later: its explosion ends one tick later
  Tick(48);
  ASSERT_EQ(player.PendingRespawns, 1);
  ASSERT_NE(player.Ghost[TfrmPlayer::Left].Get(), nullptr);
  Tick(60);
  EXPECT_EQ(player.Ghost[TfrmPlayer::Bottom].Get(), nullptr) << "1 - 1 leaves no spare";
  EXPECT_EQ(Ship(TfrmPlayer::Bottom), nullptr);
  EXPECT_NE(Ship(TfrmPlayer::Left), nullptr) << "the first ghost has landed";
  EXPECT_EQ(main->Globals.SpareShips, 0);
  EXPECT_EQ(player.PendingRespawns, 0);
}

TEST_F(PlayerShipsTest, OnlyTheLeftGhostFollowsTheControlPoint) {
  NewGame(6);  // two spares
  KillShip(TfrmPlayer::Left);
  KillShip(TfrmPlayer::Right);
  ASSERT_TRUE(TickUntil([&] { return player.PendingRespawns == 2; }, 60));
  const int32_t rightTarget = Flight(TfrmPlayer::Right)->TargetY;
  Mouse(0, -200);
  Tick();
  EXPECT_EQ(Flight(TfrmPlayer::Left)->TargetY, player.ControlY);
  EXPECT_EQ(Flight(TfrmPlayer::Right)->TargetY, rightTarget);
}

TEST_F(PlayerShipsTest, LastShipLostWithoutSparesEndsTheGameOnThatTick) {
  NewGame(1);  // the Left ship only
  ASSERT_EQ(ShipCount(), 1);
  EXPECT_TRUE(player.GameContinues());
  EnemyOn(TfrmPlayer::Left);
  Tick();
  EXPECT_FALSE(player.GameContinues());
  EXPECT_EQ(main->Globals.GameState, gsGameOver);
}

TEST_F(PlayerShipsTest, LevelWonWithoutSparesGoesOnWithTheShipsLeft) {
  NewGame(4);  // four ships, no spares
  KillShip(TfrmPlayer::Top);
  ASSERT_TRUE(TickUntil([&] { return ShipCount() == 3; }, 60));
  main->SetEnemiesLeft(0);
  Tick();
  EXPECT_EQ(main->Globals.GameState, gsLevelComplete) << "the level end clears the ships away";
  ASSERT_TRUE(TickUntil([&] { return main->Globals.GameState == gsPlaying; }, 200));
  EXPECT_EQ(ShipCount(), 3);
  EXPECT_EQ(Ship(TfrmPlayer::Top), nullptr);
}

TEST_F(PlayerShipsTest, LastEnemyAndLastShipInOneTickEndTheGame) {
  NewGame(1);
  EnemyOn(TfrmPlayer::Left);
  main->SetEnemiesLeft(0);
  Tick();
  EXPECT_EQ(main->Globals.GameState, gsGameOver);
}

TEST_F(PlayerShipsTest, ShieldedShipIgnoresEnemiesAndTheShieldHitsThem) {
  NewGame();
  ShieldButton(true);
  EnemyOn(TfrmPlayer::Bottom);
  Tick();
  EXPECT_NE(Ship(TfrmPlayer::Bottom), nullptr);
  EXPECT_EQ(hits.CountByHitter(kinds::PlayerShip), 0) << "not hit through the ship";
  EXPECT_GE(hits.CountByHitter(kinds::Shield), 1);
  EXPECT_EQ(Played("exp2.wav"), 0);
}

TEST_F(PlayerShipsTest, TargetChoiceSearchesFromARandomSide) {
  NewGame();
  // Each draw of r starts the search at its own side.
  const std::array<TSide, 4> first = {TfrmPlayer::Top, TfrmPlayer::Right, TfrmPlayer::Bottom,
                                      TfrmPlayer::Left};
  for (int i = 0; i < 20; ++i) {
    TRandom expected = main->Random();
    const int32_t r = expected.Random(4);
    EXPECT_EQ(player.ChooseTargetShip(), Ship(first[static_cast<size_t>(r)])) << "r " << r;
  }
  for (TSide side : {TfrmPlayer::Left, TfrmPlayer::Right, TfrmPlayer::Top}) Ship(side)->Dead = true;
  Tick();
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(player.ChooseTargetShip(), Ship(TfrmPlayer::Bottom));
  }
  Ship(TfrmPlayer::Bottom)->Dead = true;
  Tick();
  EXPECT_EQ(player.ChooseTargetShip(), nullptr);
}

TEST_F(PlayerShipsTest, HudShowsPaddedScoreAndAllCountersInTheBobbingRows) {
  NewGame();
  main->Globals.Score = 1234;
  main->Globals.Level = 7;
  main->SetEnemiesLeft(42);
  player.DrawHud();
  const auto& rects = platform.DisplayRecorder.Rects;
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects.back().Rect, Bounds(0, 558, 800, 42));
  EXPECT_EQ(rects.back().Color, 0u);
  EXPECT_EQ(player.HudRowA, 561);
  EXPECT_EQ(player.HudRowB, 559);

  struct TExpected {
    const char* Text;
    int32_t X, Y;
  };
  const TExpected expected[] = {
      {"Score:00001234", 550, 561}, {"Ships:04", 0, 559}, {"E:42", 0, 0}, {"L:7", 0, 30},
      {"Shields:1000", 160, 561},   {"Bombs:3", 380, 559}};
  const auto& texts = platform.DisplayRecorder.Texts;
  ASSERT_EQ(texts.size(), std::size(expected));
  const TColor colour = Tvt6StarEngine::WavelengthColor(461);
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].Text, expected[i].Text);
    EXPECT_EQ(texts[i].X, expected[i].X) << expected[i].Text;
    EXPECT_EQ(texts[i].Y, expected[i].Y) << expected[i].Text;
    EXPECT_EQ(texts[i].Font.Color, colour) << expected[i].Text;
    EXPECT_EQ(texts[i].Font.Size, 18) << "the Main style";
  }

  main->Globals.Score = 123456789;
  player.DrawHud();
  EXPECT_EQ(TextsStartingWith("Score:").back().Text, "Score:123456789");
}

TEST_F(PlayerShipsTest, HudRowsSwingBetween550And570InOppositePhase) {
  NewGame();
  int32_t lowA = 560, highA = 560, lowB = 560, highB = 560;
  for (int i = 0; i < 100; ++i) {
    player.DrawHud();
    EXPECT_EQ(player.HudRowA + player.HudRowB, 1120);
    lowA = std::min(lowA, player.HudRowA);
    highA = std::max(highA, player.HudRowA);
    lowB = std::min(lowB, player.HudRowB);
    highB = std::max(highB, player.HudRowB);
  }
  EXPECT_EQ(lowA, 550);
  EXPECT_EQ(highA, 570);
  EXPECT_EQ(lowB, 550);
  EXPECT_EQ(highB, 570);
}

// A ghost still flying when the level ends would land during the level-complete screen
// and spend its spare on a ship that the next level start clears away.
TEST_F(PlayerShipsTest, GhostInFlightAtLevelEndCostsExactlyOneSpare) {
  NewGame(5);  // one spare
  KillShip(TfrmPlayer::Left);
  ASSERT_TRUE(TickUntil([&] { return player.PendingRespawns == 1; }, 60));
  main->LevelComplete();
  EXPECT_FALSE(player.SideOccupied[TfrmPlayer::Left]);
  EXPECT_TRUE(player.SideOccupied[TfrmPlayer::Right]);
  ASSERT_TRUE(TickUntil([&] { return main->Globals.GameState == gsPlaying; }, 150));
  EXPECT_EQ(ShipCount(), 4);
  EXPECT_EQ(main->Globals.SpareShips, 0);
  EXPECT_EQ(player.PendingRespawns, 0);
}

// The engines may outlive a player unit: the handlers it left on ships, shots, waves
// and explosions must then do nothing (run under AddressSanitizer).
TEST_F(PlayerShipsTest, HandlersOfAUnitThatIsGoneDoNothing) {
  auto gone = std::make_unique<TfrmPlayer>(main->GameContext(), hits);
  gone->ResetForNewGame(8);
  MainEngine().ClearSprites();
  gone->StartLevelShips();
  main->Globals.FireRequest = true;
  main->Globals.BombRequest = true;
  gone->PlayerTick();
  Tvt6Sprite& ship = *gone->Ship[TfrmPlayer::Left].Get();
  gone.reset();

  Place(3, ship.X, ship.Y, "Starfish", "Starfish1");
  Place(3, 412, 40, "Starfish", "Starfish1");  // on the Top ship's shot
  for (int32_t kind : {1, 24}) MainEngine().CollideSprites(kind);
  for (int32_t kind : {15, 16}) MainEngine().CollideSpritesMutual(kind);
  MainEngine().UpdateSprites();
  EXPECT_TRUE(hits.Hits.empty());
  EXPECT_FALSE(ship.Dead);
  EXPECT_EQ(Played("exp2.wav"), 0);
}

TEST_F(PlayerShipsTest, LevelStartKeepsCarriedSidesFreeAndChargesTheOthers) {
  NewGame(4);  // four ships, no spare
  KillShip(TfrmPlayer::Top);
  Tick(50);
  EXPECT_EQ(player.PendingRespawns, 0) << "no spare, no ghost";
  // An extra life won now does not refill the side: its flag is still set.
  main->Globals.SpareShips = 1;
  player.FillEmptySides();
  EXPECT_EQ(Ship(TfrmPlayer::Top), nullptr);
  player.LevelEndSnapshot();
  MainEngine().ClearSprites();
  TextEngine().ClearSprites();
  player.StartLevelShips();
  EXPECT_EQ(ShipCount(), 4);
  EXPECT_EQ(main->Globals.SpareShips, 0);
  EXPECT_EQ(player.ControlX, 400);
  EXPECT_EQ(player.ControlY, 300);
  EXPECT_FALSE(main->Globals.FireRequest);
}

}  // namespace
}  // namespace quellix::testing
