#include "GameTestBed.h"

#include <SDL.h>

#include <algorithm>

#include "graphics/vtProjector.h"

namespace quellix::testing {

namespace fs = std::filesystem;

// ---- Recording display -------------------------------------------------------------

void TRecordingDisplay::TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
  fTexts.push_back({x, y, std::string(text), Brush, Pen, Font, false, {}});
  TCanvasRelay::TextOut(x, y, text);
}

void TRecordingDisplay::TCanvas::TextRect(const TRect& clip, int32_t x, int32_t y,
                                          std::string_view text) {
  fTexts.push_back({x, y, std::string(text), Brush, Pen, Font, true, clip});
  TCanvasRelay::TextRect(clip, x, y, text);
}

// ---- Platform and data -------------------------------------------------------------

namespace {

media::THeadlessOptions SilentHeadless() {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  media::THeadlessOptions options;
  options.AudioDriver = "none";
  return options;
}

}  // namespace

TGameTestPlatform::TGameTestPlatform() : Headless(SilentHeadless()) {}

int TRecordingHits::CountByHitter(int32_t hitterKind) const {
  return static_cast<int>(std::count_if(Hits.begin(), Hits.end(),
                                        [&](const THit& h) { return h.HitterKind == hitterKind; }));
}

// ---- Fixture -----------------------------------------------------------------------

GameTestBed::GameTestBed() {
  platform.Headless.SetExeDir(data.Dir());
  main = std::make_unique<TfrmMain>(platform);
}

GameTestBed::~GameTestBed() = default;

void GameTestBed::Activate(const TGameUnits& units) {
  main->SetUnits(units);
  main->FormActivate();
  ASSERT_TRUE(main->MainEngine() && main->TextEngine());
  ASSERT_GT(platform.Sounds.Count(), 0) << "the sound archive was not read";
}

Tvt6Sprite& GameTestBed::Place(int32_t kind, int32_t x, int32_t y, std::string_view reel,
                               std::string_view scene) {
  Tvt6Sprite& sprite = MainEngine().NewSprite();
  sprite.Place(x, y, Tvt6Sprite::NotSet, true);
  sprite.Kind = kind;
  sprite.Projector->QuickInit(reel, scene, Tvt6Projector::NotSet);
  return sprite;
}

std::vector<Tvt6Sprite*> GameTestBed::SpritesOfKind(Tvt6Engine& engine, int32_t kind) {
  std::vector<Tvt6Sprite*> found;
  for (int i = 0; i < engine.SpriteCount(); ++i)
    if (Tvt6Sprite* s = engine.GetSprite(i); s->Kind == kind && !s->Dead) found.push_back(s);
  return found;
}

std::vector<TTextCall> GameTestBed::TextsStartingWith(const std::string& prefix) const {
  std::vector<TTextCall> found;
  for (const TTextCall& t : platform.DisplayRecorder.Texts)
    if (t.Text.starts_with(prefix)) found.push_back(t);
  return found;
}

int GameTestBed::Played(const std::string& sound) const {
  const auto& played = platform.Sounds.Played;
  return static_cast<int>(std::count(played.begin(), played.end(), sound));
}

}  // namespace quellix::testing
