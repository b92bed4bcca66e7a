// The player's weapons in play: volleys and their cooldown, shot power and its decay,
// bombs and waves, the shields with their energy and sound, and the bonuses.
#include "PlayerTestBed.h"
#include "game/vtSpriteKinds.h"

namespace quellix::testing {
namespace {

class PlayerWeaponsTest : public PlayerTest {
 protected:
  // One tick with the fire button held or not.
  void FireTick(bool held) {
    Mouse(0, 0, held);
    Tick();
  }
  // The sprites of the kind on the main engine, in list order.
  std::vector<Tvt6Sprite*> Shots() { return SpritesOfKind(MainEngine(), kinds::PlayerShot); }
  // A volley straight from PlayerTick, before any update has moved it.
  std::vector<Tvt6Sprite*> Volley() {
    main->Globals.FireRequest = true;
    player.PlayerTick();
    return Shots();
  }
};

TEST_F(PlayerWeaponsTest, HeldFireSendsAVolleyOnEveryFourthTick) {
  NewGame();
  std::vector<int> volleyTicks;
  for (int tick = 1; tick <= 9; ++tick) {
    const int before = Played("player_shot.wav");
    FireTick(true);
    if (Played("player_shot.wav") > before) volleyTicks.push_back(tick);
  }
  EXPECT_EQ(volleyTicks, (std::vector<int>{1, 5, 9}));

  // Releasing keeps what is left of the cooldown; only fire ticks count it down.
  for (int i = 0; i < 20; ++i) FireTick(false);
  FireTick(true);
  EXPECT_EQ(Played("player_shot.wav"), 3);
  FireTick(true);
  FireTick(true);
  FireTick(true);
  EXPECT_EQ(Played("player_shot.wav"), 4);
}

TEST_F(PlayerWeaponsTest, VolleyLeavesEveryShipInOrderFromItsNose) {
  NewGame();
  const auto shots = Volley();
  ASSERT_EQ(shots.size(), 4u);
  const std::string colour = std::to_string(player.ShipColour);
  struct TExpected {
    std::string Scene;
    int32_t X, Y, Lifetime;
  };
  // Top (400, 0), Bottom (400, 519), Left (0, 300), Right (759, 300); power 1: offset 12.
  const TExpected expected[] = {{"Top" + colour, 412, 40, 40},
                                {"Bottom" + colour, 412, 499, 40},
                                {"Left" + colour, 36, 312, 50},
                                {"Right" + colour, 739, 312, 50}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(shots[i]->Projector->ReelName, "Shots");
    EXPECT_EQ(shots[i]->Projector->SceneName, expected[i].Scene);
    EXPECT_EQ(shots[i]->X, expected[i].X) << expected[i].Scene;
    EXPECT_EQ(shots[i]->Y, expected[i].Y) << expected[i].Scene;
    EXPECT_EQ(shots[i]->Lifetime, expected[i].Lifetime);
    EXPECT_EQ(shots[i]->Strength, 1);
    EXPECT_TRUE(shots[i]->Collidable);
  }
}

TEST_F(PlayerWeaponsTest, ShotPowerChoosesDamageImageAndCentring) {
  NewGame();
  struct TCase {
    int32_t Power;
    const char* Reel;
    int32_t Damage, Offset;
  };
  for (const TCase c : {TCase{2, "MedShots", 2, 8}, TCase{5, "MedShots", 5, 8},
                        TCase{6, "largeShots", 6, 4}, TCase{9, "largeShots", 8, 4}}) {
    for (Tvt6Sprite* shot : Shots()) shot->Dead = true;
    MainEngine().PurgeSprites();
    player.ShotPower = c.Power;
    player.FireCooldown = 0;
    const auto shots = Volley();
    ASSERT_EQ(shots.size(), 4u);
    EXPECT_EQ(shots[0]->Projector->ReelName, c.Reel) << c.Power;
    EXPECT_EQ(shots[0]->Strength, c.Damage) << c.Power;
    EXPECT_EQ(shots[0]->X, 400 + c.Offset) << c.Power;
    EXPECT_EQ(shots[1]->X, 400 + c.Offset) << c.Power;
    EXPECT_EQ(shots[2]->X, 36) << "side shots are not moved";
  }
}

TEST_F(PlayerWeaponsTest, ShotPowerFallsOneLevelPer75TicksDownToOne) {
  NewGame();
  player.ShotPowerTimer = 0;
  player.ShotPower = 3;
  for (int i = 0; i < 200; ++i) player.PlayerTick();
  EXPECT_EQ(player.ShotPower, 3) << "the timer only runs down once a bonus has set it";

  player.ShotPowerTimer = 75;
  for (int i = 0; i < 74; ++i) player.PlayerTick();
  EXPECT_EQ(player.ShotPower, 3);
  player.PlayerTick();
  EXPECT_EQ(player.ShotPower, 2);
  for (int i = 0; i < 75; ++i) player.PlayerTick();
  EXPECT_EQ(player.ShotPower, 1);
  for (int i = 0; i < 300; ++i) player.PlayerTick();
  EXPECT_EQ(player.ShotPower, 1);
}

TEST_F(PlayerWeaponsTest, ShotDiesOnTheFirstEnemyAndPassesTheHitOn) {
  NewGame();
  player.ShotPower = 4;
  Place(20, 412, 150, "Text", "shotpower");  // a bonus in the Top ship's line of fire
  Tvt6Sprite& enemy = Place(5, 405, 200, "Starfish", "Starfish1");
  FireTick(true);
  Mouse(0, 0, false);
  ASSERT_TRUE(TickUntil([&] { return !hits.Hits.empty(); }, 20));
  EXPECT_EQ(hits.Hits[0].EnemyKind, 5);
  EXPECT_EQ(hits.Hits[0].HitterKind, kinds::PlayerShot);
  EXPECT_EQ(hits.Hits[0].Damage, 4);
  EXPECT_FALSE(enemy.Dead) << "the enemy's own handler decides";
  EXPECT_EQ(Shots().size(), 3u) << "the Top shot is gone";
}

TEST_F(PlayerWeaponsTest, BombSendsFourWavesThatHitWithoutDying) {
  NewGame();
  player.Bombs = 2;
  main->Globals.BombRequest = true;
  player.PlayerTick();
  EXPECT_FALSE(main->Globals.BombRequest);
  EXPECT_EQ(player.Bombs, 1);
  EXPECT_EQ(Played("wave_launch.wav"), 1);
  std::vector<Tvt6Sprite*> waves;
  for (int i = 0; i < MainEngine().SpriteCount(); ++i)
    if (Tvt6Sprite* s = MainEngine().GetSprite(i); s->Kind == 15 || s->Kind == 16)
      waves.push_back(s);
  ASSERT_EQ(waves.size(), 4u);
  const int32_t expected[4][3] = {{15, 0, 0}, {15, 0, 500}, {16, 0, 0}, {16, 799, 0}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(waves[i]->Kind, expected[i][0]);
    EXPECT_EQ(waves[i]->X, expected[i][1]);
    EXPECT_EQ(waves[i]->Y, expected[i][2]);
    EXPECT_EQ(waves[i]->Strength, 100000);
    EXPECT_EQ(waves[i]->Lifetime, 70);
    EXPECT_EQ(waves[i]->Projector->SceneName, expected[i][0] == 15 ? "HWave" : "VWave");
  }

  Place(3, 300, 40, "Starfish", "Starfish1");
  Tick(3);
  ASSERT_GE(hits.CountByHitter(kinds::HorizontalWave), 1);
  EXPECT_EQ(hits.Hits[0].Damage, 100000);
  EXPECT_EQ(SpritesOfKind(MainEngine(), 15).size(), 2u) << "waves are not harmed";
  // Each wave drops one drip per update along its own row or column.
  const auto drips = SpritesOfKind(MainEngine(), kinds::Drip);
  EXPECT_GE(drips.size(), 4u);
  for (const Tvt6Sprite* drip : drips) EXPECT_FALSE(drip->Collidable);
}

TEST_F(PlayerWeaponsTest, NoBombLeftDoesNothingAtAll) {
  NewGame();
  player.Bombs = 0;
  main->FormKeyUp(VK_SPACE);
  Tick();
  EXPECT_EQ(player.Bombs, 0);
  EXPECT_EQ(Played("wave_launch.wav"), 0);
  EXPECT_TRUE(SpritesOfKind(MainEngine(), 15).empty());
  EXPECT_TRUE(SpritesOfKind(MainEngine(), 16).empty());
  EXPECT_FALSE(main->Globals.BombRequest);
}

TEST_F(PlayerWeaponsTest, ShieldsHumWhileHeldAndStopWhenReleased) {
  NewGame();
  ShieldButton(true);
  Tick(5);
  EXPECT_TRUE(player.ShieldsUp);
  EXPECT_EQ(Played("shields.wav"), 1);
  ASSERT_EQ(platform.Sounds.Played.back(), "shields.wav");
  const TSoundInstance hum = platform.Sounds.NextInstance - 1;
  const auto shields = SpritesOfKind(MainEngine(), kinds::Shield);
  ASSERT_EQ(shields.size(), 4u);
  const std::string variant = std::to_string(player.ShieldVariant);
  // Raised in the order Left, Top, Right, Bottom, each placed by its ship.
  EXPECT_EQ(shields[0]->Projector->SceneName, "LShield" + variant);
  EXPECT_EQ(shields[1]->Projector->SceneName, "UShield" + variant);
  EXPECT_EQ(shields[2]->Projector->SceneName, "RShield" + variant);
  EXPECT_EQ(shields[3]->Projector->SceneName, "BShield" + variant);
  EXPECT_EQ(shields[2]->X, 729);
  EXPECT_EQ(shields[2]->Y, 270);
  EXPECT_EQ(player.ShieldEnergy, 995);

  Mouse(50, 60);
  Tick();
  EXPECT_EQ(shields[3]->X, 420) << "shields follow their ships";
  EXPECT_EQ(shields[3]->Y, 489);
  EXPECT_EQ(shields[0]->Y, 330);

  ShieldButton(false);
  Tick();
  EXPECT_FALSE(player.ShieldsUp);
  EXPECT_TRUE(SpritesOfKind(MainEngine(), kinds::Shield).empty());
  EXPECT_EQ(platform.Sounds.Stopped, std::vector<TSoundInstance>{hum});
}

TEST_F(PlayerWeaponsTest, LastUnitOfShieldEnergyHoldsTheShieldsForOneFrame) {
  NewGame();
  player.ShieldEnergy = 1;
  ShieldButton(true);
  Tick();
  EXPECT_FALSE(player.ShieldsUp);
  EXPECT_EQ(player.ShieldEnergy, 0);
  EXPECT_EQ(Played("shields.wav"), 1);
  EXPECT_EQ(platform.Sounds.Stopped.size(), 1u);
  Tick(3);
  EXPECT_FALSE(player.ShieldsUp);
  EXPECT_EQ(Played("shields.wav"), 1) << "no energy, no shields";
}

TEST_F(PlayerWeaponsTest, ShipsMadeWhileShieldedComeWithTheirShield) {
  NewGame(1);  // the Left ship only
  ShieldButton(true);
  Tick();
  EXPECT_EQ(SpritesOfKind(MainEngine(), kinds::Shield).size(), 1u);
  main->Globals.SpareShips = 1;
  player.FillEmptySides();
  ASSERT_NE(Ship(TfrmPlayer::Right), nullptr);
  EXPECT_NE(player.Shield[TfrmPlayer::Right].Get(), nullptr);
  EXPECT_EQ(player.Shield[TfrmPlayer::Right].Get()->Projector->SceneName,
            "RShield" + std::to_string(player.ShieldVariant));
}

TEST_F(PlayerWeaponsTest, SpiralShotsPassShieldsAndSparedTheShieldedShip) {
  NewGame();
  ShieldButton(true);
  Place(7, 400, 519, "Spirals", "SpiralShot1");
  Tick();
  EXPECT_TRUE(hits.Hits.empty()) << "neither the shield nor the ship touches a spiral shot";
  EXPECT_NE(Ship(TfrmPlayer::Bottom), nullptr);
  // Without shields the same shot kills.
  ShieldButton(false);
  Tick();
  EXPECT_EQ(Ship(TfrmPlayer::Bottom), nullptr);
}

TEST_F(PlayerWeaponsTest, BonusesWaitWhileTheShieldsAreUp) {
  NewGame();
  ShieldButton(true);
  Tvt6Sprite& bonus = Place(20, 400, 519, "Text", "shotpower");
  Tick();
  EXPECT_FALSE(bonus.Dead);
  EXPECT_EQ(player.ShotPower, 1);
  EXPECT_EQ(Played("bonus1.wav"), 0);

  ShieldButton(false);
  Tick();
  EXPECT_EQ(player.ShotPower, 2);
  EXPECT_EQ(player.ShotPowerTimer, 75);
  EXPECT_EQ(Played("bonus1.wav"), 1);
  bool banner = false;
  for (int i = 0; i < TextEngine().SpriteCount(); ++i) {
    const Tvt6Sprite& s = *TextEngine().GetSprite(i);
    if (s.Projector->SceneName != "bigshot") continue;
    banner = true;
    EXPECT_EQ(s.X, 200);
    EXPECT_EQ(s.Y, 260);
    EXPECT_FALSE(s.Collidable);
  }
  EXPECT_TRUE(banner);
}

TEST_F(PlayerWeaponsTest, EachBonusHasItsEffect) {
  NewGame();
  Place(21, 400, 519, "Text", "wavepower");
  Place(22, 0, 300, "Text", "shieldpower");
  Place(23, 759, 300, "Text", "extralife");
  Tick();
  EXPECT_EQ(player.Bombs, 4);
  EXPECT_EQ(player.ShieldEnergy, 1050);
  EXPECT_EQ(main->Globals.SpareShips, 5) << "every side is taken: the extra ship waits";
  EXPECT_EQ(Played("bonus1.wav"), 3);
}

TEST_F(PlayerWeaponsTest, ExtraLifeFillsAnEmptySideAtOnce) {
  NewGame(1);  // the Left ship only, no spare left
  Place(23, 0, 300, "Text", "extralife");
  Tick();
  EXPECT_EQ(main->Globals.SpareShips, 0) << "+1, then -1 for the filled side";
  ASSERT_NE(Ship(TfrmPlayer::Right), nullptr);
  EXPECT_TRUE(player.SideOccupied[TfrmPlayer::Right]);
  EXPECT_EQ(Ship(TfrmPlayer::Top), nullptr);
}

// Two ships touching one bonus in the same pass: the second finds it already taken.
TEST_F(PlayerWeaponsTest, OneBonusIsCollectedOnce) {
  NewGame();
  Mouse(60 - 400, 60 - 300);  // Left ship at (0, 60), Top ship at (60, 0): apart
  Tick();
  Place(21, 20, 20, "Text", "wavepower");
  Tick();
  EXPECT_EQ(player.Bombs, 4);
  EXPECT_EQ(Played("bonus1.wav"), 1);
}

// An enemy destroyed earlier in the same tick (here by a bomb's wave) is gone.
TEST_F(PlayerWeaponsTest, EnemyKilledThisTickDoesNotTakeAShipWithIt) {
  NewGame();
  hits.KillEnemies = true;
  EnemyOn(TfrmPlayer::Left);
  main->FormKeyUp(VK_SPACE);
  Tick();
  EXPECT_EQ(hits.CountByHitter(kinds::VerticalWave), 1);
  EXPECT_NE(Ship(TfrmPlayer::Left), nullptr);
}

}  // namespace
}  // namespace quellix::testing
