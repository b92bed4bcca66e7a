#include "GameUnitsFixture.h"

#include <memory>

#include "config/vtCommaList.h"
#include "config/vtConfigClasses.h"
#include "config/vtEnemySettings.h"
#include "engine/vtSprite.h"
#include "movement/vtMoveStraightLine.h"

namespace quellix::testing {

namespace fs = std::filesystem;

std::string ConfigText(
    const std::function<int32_t(std::string_view group, std::string_view field)>& value) {
  TStringList groups;
  for (const TEnemyKindFields& kind : EnemySettingsFields()) {
    TStringList group{std::string(kind.Group)};
    for (std::string_view section : DifficultySections) {
      TStringList items{std::string(section)};
      for (std::string_view field : kind.Fields)
        items.push_back(Join({std::string(field), std::to_string(value(kind.Group, field))}));
      group.push_back(Join(items));
    }
    group.push_back(std::string(VarNamesMarker));
    groups.push_back(Join(group));
  }
  return Join(groups);
}

GameUnitsTest::GameUnitsTest() {
  platform.Dir = data.Dir();
  main.SetUnits({nullptr, &player, &hole});
  main.FormActivate();
  if (!main.MainEngine() || main.Globals.GameState != gsTitle)
    throw std::runtime_error("the game data did not load");
  main.Random().Seed(20240611);
}

void GameUnitsTest::NewGameAtEasy() {
  Main().ConfigurationMgr()->LoadEasy(enemies.Settings);
  main.Globals.Level = 1;
  hole.NewGame();
}

Tvt6Sprite& GameUnitsTest::LaunchOne(TEnemyKind kind) {
  TEnemyCommonSettings& c = Kind(kind).Common();
  c.Current_Reserves = c.Amount_Launched + 1;
  c.Current_MaxAmount = c.Amount_Active + 1;
  c.Current_PercentChance = 100;
  const int before = Main().SpriteCount();
  Kind(kind).Launch(TfrmHole::LaunchX, TfrmHole::LaunchY);
  if (Main().SpriteCount() != before + 1) throw std::logic_error("no enemy was launched");
  return *Main().LastSprite.Get();
}

Tvt6Sprite& GameUnitsTest::PlaceShip(int32_t x, int32_t y) {
  Tvt6Sprite& ship = Main().NewSprite();
  ship.Place(x, y, Tvt6Sprite::NotSet, true);
  ship.Projector->QuickInit("Player", "Left1", Tvt6Projector::NotSet);
  ship.Kind = 24;
  player.Target = ship;
  return ship;
}

Tvt6Sprite& GameUnitsTest::Hitter(int32_t kind, int32_t strength, int32_t x, int32_t y, int32_t dx,
                                  int32_t dy, bool moves) {
  Tvt6Sprite& hitter = Main().NewSprite();
  hitter.Place(x, y, Tvt6Sprite::NotSet, true);
  hitter.Projector->QuickInit("Shots", "Top1", Tvt6Projector::NotSet);
  hitter.Kind = kind;
  hitter.Strength = strength;
  if (moves) hitter.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>()).SetSpeed(dx, dy);
  return hitter;
}

void GameUnitsTest::Frame(int times) {
  for (int i = 0; i < times; ++i)
    for (Tvt6Engine* engine : {main.MainEngine(), main.TextEngine()}) {
      engine->DrawSprites();
      engine->UpdateSprites();
      engine->PurgeSprites();
    }
}

std::vector<Tvt6Sprite*> GameUnitsTest::Sprites(
    Tvt6Engine& engine, const std::function<bool(const Tvt6Sprite&)>& test) {
  std::vector<Tvt6Sprite*> found;
  for (int i = 0; i < engine.SpriteCount(); ++i)
    if (test(*engine.GetSprite(i))) found.push_back(engine.GetSprite(i));
  return found;
}

std::vector<Tvt6Sprite*> GameUnitsTest::OfKind(int32_t kind) {
  return Sprites(Main(), [kind](const Tvt6Sprite& s) { return s.Kind == kind; });
}

std::vector<Tvt6Sprite*> GameUnitsTest::InReel(Tvt6Engine& engine, std::string_view reel) {
  return Sprites(engine, [reel](const Tvt6Sprite& s) { return s.Projector->ReelName == reel; });
}

int GameUnitsTest::PlayedCount(std::string_view sound) const {
  int n = 0;
  for (const std::string& played : Played()) n += played == sound;
  return n;
}

}  // namespace quellix::testing
