#include "game/vtHole.h"

#include <stdexcept>

#include "base/vtRandom.h"
#include "config/vtConfigClasses.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtAssetNames.h"
#include "game/vtEnemyFamily.h"
#include "game/vtGameContext.h"
#include "game/vtSpriteKinds.h"
#include "game/vtUnitSupport.h"
#include "graphics/vtStars.h"

namespace quellix {

namespace {

// A star of the hole's stream is gone once it reaches the hole.
void FallIntoHole(Tvt6Star& star) {
  star.Dead = true;
}

constexpr int32_t NewGameSpareShips = 8;
constexpr int32_t ChildSpareShips = 10;
// Stars fall into a 40 x 40 square in the hole.
constexpr int32_t StarTargetLeft = 380;
constexpr int32_t StarTargetTop = 260;
constexpr int32_t StarTargetSize = 40;

void LoadSettings(const Tvt6ConfigurationMgr& config, bool childMode, TDifficulty difficulty,
                  TEnemySettings& settings) {
  if (childMode) return config.LoadChild(settings);
  switch (difficulty) {
    case TDifficulty::Easy:
      return config.LoadEasy(settings);
    case TDifficulty::Normal:
      return config.LoadMedium(settings);
    case TDifficulty::Hard:
      return config.LoadHard(settings);
  }
  throw std::invalid_argument("No such difficulty");
}

}  // namespace

TfrmHole::TfrmHole(IGameContext& game, IPlayerUnit& player, TEnemyFamily& enemies)
    : fGame(game), fPlayer(player), fEnemies(enemies) {}

TfrmHole::~TfrmHole() = default;

void TfrmHole::InitStars() {
  fStars = std::make_unique<Tvt6StarEngine>(fGame.Random());
  fStars->SetDisplay(&fGame.Display());
  StarWavelength = 380 + fGame.Random().Random(380);
}

void TfrmHole::CreateHole() {
  TickCount = 0;
  TRandom& random = fGame.Random();
  Tvt6Sprite& hole = MainEngineOf(fGame).NewSprite();
  hole.Place(HoleX, HoleY, Tvt6Sprite::NotSet, false);
  // Green half the time, yellow and red a quarter each.
  size_t colour = 0;
  if (!EvenOdds(random)) colour = EvenOdds(random) ? 1 : 2;
  hole.Projector->QuickInit(reels::Holes, HoleScenes.at(colour), Tvt6Projector::NotSet);
  hole.Kind = kinds::Hole;
  hole.OnTick = [this](Tvt6Sprite&) { HoleTick(); };
}

void TfrmHole::SpawnStars() {
  if (!fStars) return;
  TRandom& random = fGame.Random();
  for (int32_t i = 0; i < StarsPerTick; ++i) {
    int32_t x = 0, y = 0;
    if (EvenOdds(random)) {
      y = EvenOdds(random) ? 0 : 550;
      x = random.Random(800);
    } else {
      x = EvenOdds(random) ? 0 : 799;
      y = random.Random(519);
    }
    const TColor colour = Tvt6StarEngine::WavelengthColor(random.Random(30) + StarWavelength);
    Tvt6Star& star = fStars->AddStar(x, y, colour);
    star.TargetX = StarTargetLeft + random.Random(StarTargetSize);
    star.TargetY = StarTargetTop + random.Random(StarTargetSize);
    star.OnArrive = FallIntoHole;
  }
}

void TfrmHole::PlaceStars(const std::vector<Tvt6Star>& stars) {
  if (!fStars) return;
  fStars->Clear();
  for (const Tvt6Star& like : stars) fStars->PlaceStar(like).OnArrive = FallIntoHole;
}

void TfrmHole::HoleTick() {
  ++TickCount;
  if (fGame.Globals().GameState == gsPlaying) ScheduleLaunches();
  if (fGame.Random().Random(1000) < 10) NewStarColour();
}

void TfrmHole::ScheduleLaunches() {
  const int32_t level = fGame.Globals().Level;
  for (TEnemyUnit* kind : fEnemies.Kinds())
    if (kind->ActiveOn(level) && kind->Final().Spawn_Delay < TickCount)
      kind->Launch(LaunchX, LaunchY);
}

void TfrmHole::NewStarColour() {
  StarWavelength = 420 + fGame.Random().Random(281);
}

void TfrmHole::StartGame(TDifficulty difficulty) {
  const bool child = fGame.Globals().ChildMode;
  LoadSettings(fGame.Difficulties(), child, difficulty, fEnemies.Settings);
  for (const TEnemyUnit* kind : fEnemies.Kinds()) kind->CheckIntervals();
  fPlayer.ResetForNewGame(child ? ChildSpareShips : NewGameSpareShips);
  fGame.Globals().Level = 1;
  fGame.Globals().Score = 0;
  NewGame();
  fGame.Globals().GameState = gsPlaying;
}

void TfrmHole::NewGame() {
  fGame.SetEnemiesLeft(0);
  MainEngineOf(fGame).ClearSprites();
  TextEngineOf(fGame).ClearSprites();
  fPlayer.LowerShields();
  fPlayer.StartLevelShips();
  CreateHole();
  for (TEnemyUnit* kind : fEnemies.Kinds()) kind->ResetKind(fGame.Globals().Level);
}

void TfrmHole::AdvanceLevel() {
  const int32_t level = ++fGame.Globals().Level;
  for (TEnemyUnit* kind : fEnemies.Kinds()) kind->AdvanceKind(level);
}

}  // namespace quellix
