#include "engine/vtEngine.h"

#include <cstdlib>
#include <exception>
#include <stdexcept>

#include "base/vtLog.h"
#include "config/vtConfigClasses.h"
#include "config/vtSaturate.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtFontHandler.h"
#include "graphics/vtFrameNotes.h"
#include "graphics/vtMedia.h"
#include "graphics/vtStars.h"
#include "services/vtFlagClass.h"
#include "services/vtHighScore.h"
#include "services/vtMapEngine.h"
#include "services/vtSound.h"
#include "services/vtZoneEngine.h"

namespace quellix {

namespace {

// Every sprite as one collision pass sees it: whether it may be hit, its own size (its
// projector's GetDims) and its box as a target. A pass tests every sprite of a kind
// against every other, and none of this changes until a hit runs a handler, which may
// change any sprite: each entry is made when first asked after the last hit, which is
// what a whole gathering at that moment would have made, since a miss runs nothing.
template <typename TBoxRule>
class TPassView {
 public:
  struct TEntry {
    bool Collidable = false;
    bool HasProjector = false;
    int32_t Width = 0, Height = 0;
    TBox Box;
    uint32_t Made = 0;  // the hit count at which it was made
  };

  // The rule puts a target's box from the target and its size.
  TPassView(const std::vector<std::unique_ptr<Tvt6Sprite>>& sprites, TBoxRule rule)
      : fSprites(sprites), fRule(rule) {}

  const TEntry& At(size_t index) {
    if (fEntries.size() < fSprites.size()) fEntries.resize(fSprites.size());
    TEntry& entry = fEntries[index];
    if (entry.Made != fHits) Make(entry, *fSprites[index]);
    return entry;
  }
  void Forget() { ++fHits; }

  // A tester as the pass tests it: where it is and its own size. It stays as it is
  // while the pass finds misses, which run nothing.
  struct TTester {
    bool Collidable = false;
    int32_t X = 0, Y = 0, Width = 0, Height = 0;
    // Whether it touches the box, which alone decides a miss; cheap, since a pass asks
    // it of every pair, and runs nothing that could raise.
    bool Touching(const TBox& box) const {
      return Collidable && Tvt6Sprite::Touches(X, Y, Width, Height, box);
    }
  };
  TTester Tester(size_t index) {
    const TEntry& own = At(index);
    const Tvt6Sprite& sprite = *fSprites[index];
    return {own.Collidable, sprite.X, sprite.Y, own.Width, own.Height};
  }

  // Whether the tester at index, found touching the box, hits it; on a hit its OnCollide
  // has run. A tester without a projector is tested as Collide tests it, size 0 x 0 and
  // reported. The box is a copy: a handler may add sprites, and entries move.
  bool Hit(size_t index, Tvt6Sprite& target, TBox box) {
    const TEntry own = At(index);
    Tvt6Sprite& tester = *fSprites[index];
    if (!own.HasProjector) return tester.Collide(target, box.Left, box.Top, box.Width, box.Height);
    return tester.Collide(target, box.Left, box.Top, box.Width, box.Height, own.Width, own.Height);
  }

 private:
  // Only a collidable sprite takes part, as tester or target, so only its size is asked.
  // Out of line, so that At, which every pair asks, is inlined.
  [[gnu::noinline]] void Make(TEntry& entry, Tvt6Sprite& sprite) {
    entry = {sprite.Collidable, sprite.Projector != nullptr, 0, 0, {}, fHits};
    if (!entry.Collidable || !entry.HasProjector) return;
    sprite.Projector->GetDims(entry.Width, entry.Height);
    entry.Box = fRule(sprite, entry.Width, entry.Height);
  }

  const std::vector<std::unique_ptr<Tvt6Sprite>>& fSprites;
  TBoxRule fRule;
  std::vector<TEntry> fEntries;
  // Entries start unmade: made at 0, asked at 1.
  uint32_t fHits = 1;
};

// A sprite without a projector cannot be a target.
void NeedsProjector(bool hasProjector) {
  if (!hasProjector) throw std::logic_error("the sprite has no projector");
}

}  // namespace

Tvt6Engine::Tvt6Engine(const TVintorContext& context)
    : fContext(context),
      fDisplayNumber(std::make_unique<TvtDisplayNumber>()),
      fFlagEngine(std::make_unique<Tvt6FlagEngine>()) {}

Tvt6Engine::~Tvt6Engine() {
  ClearSprites();
}

void Tvt6Engine::Log(const std::string& message) const {
  fContext.Log.Log(message);
}

void Tvt6Engine::Setup(IDisplay& display, IImageList& imageList, const std::string& highScoreFile,
                       ISoundList& soundList) {
  // Projectors keep pointers into the animation engine: it is made once.
  if (fAnimationEngine) throw std::logic_error("Tvt6Engine.Setup runs once");
  fDisplay = &display;
  fImageList = &imageList;
  fAnimationEngine = std::make_unique<Tvt6AnimationEngine>(fContext);

  fStarEngine = std::make_unique<Tvt6StarEngine>(fContext.Random);
  fStarEngine->SetDisplay(&display);

  fZoneEngine = std::make_unique<Tvt6ZoneEngine>(fContext.Log);
  fZoneEngine->Bind(display, imageList, *fAnimationEngine);

  fHighScoreEngine = std::make_unique<Tvt6HighScoreEngine>(fContext.Log);
  if (!highScoreFile.empty()) fHighScoreEngine->LoadFromFile(highScoreFile);

  fMapEngine = std::make_unique<Tvt6MapEngine>(fContext.Log);
  fMapEngine->SetUp(*fAnimationEngine, imageList, display);

  fDisplayNumber->AnimationEngine = fAnimationEngine.get();
  fDisplayNumber->Display = &display;
  fDisplayNumber->ImageList = &imageList;

  fAudioEngine = std::make_unique<Tvt6AudioEngine>();
  fAudioEngine->SetSoundList(&soundList);
  fAudioEngine->SetEnabled(true);

  fConfigurationMgr = std::make_unique<Tvt6ConfigurationMgr>();
  fFontEngine = std::make_unique<Tvt6FontEngine>();
  fFontEngine->SetDisplay(&display);

  const TColorTable palette = imageList.MakeColorTable();
  display.ColorTable = palette;
  display.DefColorTable = palette;
  display.UpdatePalette();
}

void Tvt6Engine::LoadAnimations(const std::string& fileName) {
  if (!fAnimationEngine) {
    Log("Unable to load Animations because the AnimationEngine Component is not assigned");
    return;
  }
  fAnimationEngine->LoadFromFile(fileName);
  fAnimationEngine->LinkImages(*fImageList);
}

Tvt6Sprite& Tvt6Engine::NewSprite() {
  auto sprite = std::make_unique<Tvt6Sprite>(fContext);
  sprite->Projector = std::make_unique<Tvt6Projector>(fContext.Log);
  Tvt6Projector& projector = *sprite->Projector;
  projector.Display = fDisplay;
  projector.ImageList = fImageList;
  projector.AnimationEngine = fAnimationEngine.get();
  projector.Sprite = sprite.get();
  Tvt6Sprite& added = *sprite;
  LastSprite = added;
  AddSprite(std::move(sprite));
  return added;
}

void Tvt6Engine::AddSprite(std::unique_ptr<Tvt6Sprite> sprite) {
  if (!sprite) throw std::invalid_argument("AddSprite needs a sprite");
  sprite->Serial = ++fSerials;
  fSprites.push_back(std::move(sprite));
}

Tvt6Sprite* Tvt6Engine::GetSprite(int index) const {
  if (index < 0 || index >= SpriteCount()) return nullptr;
  return fSprites[static_cast<size_t>(index)].get();
}

void Tvt6Engine::SetLayer(Tvt6Sprite& sprite, int32_t layer) {
  sprite.Layer = layer;
  if (layer > fMaxLayer) fMaxLayer = layer;
}

void Tvt6Engine::DrawSprites() {
  try {
    IFrameNotes* notes = fDisplay ? fDisplay->FrameNotes() : nullptr;
    for (int64_t layer = 0; layer <= fMaxLayer; ++layer) {
      const size_t count = fSprites.size();
      for (size_t i = 0; i < count; ++i) {
        Tvt6Sprite& sprite = *fSprites[i];
        if (sprite.Layer != layer || !sprite.Projector) continue;
        try {
          const TItemScope item(notes, this, sprite.Serial);
          sprite.Draw();
        } catch (const std::exception& e) {
          Log(std::string("Engine Error!\rDrawSprites:Draw reports the following error: ") +
              e.what());
        }
        try {
          sprite.Projector->Advance_Film();
        } catch (const std::exception& e) {
          Log(std::string("Engine Error!\rDrawSprites:Advance_Film reports the following error: ") +
              e.what());
        }
      }
    }
    if (RecordFrames) RecordFrame();
  } catch (const std::exception& e) {
    Log(std::string("Engine Error!\rDrawSprites:General Error Trap reports the following error: ") +
        e.what());
  }
}

void Tvt6Engine::RecordFrame() {
  std::string frame;
  for (const auto& sprite : fSprites) {
    if (sprite->Projector) frame += sprite->Projector->FrameRec.AsString();
    frame += '\n';
  }
  Recording.push_back(std::move(frame));
}

void Tvt6Engine::AdvanceAll() {
  for (size_t i = 0; i < fSprites.size(); ++i)
    if (fSprites[i]->Projector) fSprites[i]->Projector->Advance_Film();
}

void Tvt6Engine::UpdateSprites() {
  const size_t count = fSprites.size();
  for (size_t i = 0; i < count; ++i) {
    try {
      fSprites[i]->Update();
    } catch (...) {
      // A failing behaviour or handler ends this sprite's update for the tick only.
    }
  }
}

// A sprite is taken out of the list before it is freed: its OnKillSelf subscriptions
// run during the free and may append sprites, which this same pass then visits.
void Tvt6Engine::PurgeSprites() {
  size_t i = 0;
  while (i < fSprites.size()) {
    if (fSprites[i]->Dead) {
      std::unique_ptr<Tvt6Sprite> dead = std::move(fSprites[i]);
      fSprites.erase(fSprites.begin() + static_cast<std::ptrdiff_t>(i));
      dead.reset();
    } else {
      fSprites[i]->PurgeBehaviors();
      ++i;
    }
  }
}

void Tvt6Engine::ClearSprites() {
  while (!fSprites.empty()) {
    std::unique_ptr<Tvt6Sprite> first = std::move(fSprites.front());
    fSprites.erase(fSprites.begin());
    first.reset();
  }
  fMaxLayer = 0;
}

void Tvt6Engine::CollideSprites(int32_t kind) {
  // The box is shrunk (or grown) by the adjustment, half on each side.
  TPassView view(fSprites, [](const Tvt6Sprite& target, int32_t width, int32_t height) {
    return TBox{SaturatedAdd(target.X, std::abs(target.CollideAdjustX / 2)),
                SaturatedAdd(target.Y, std::abs(target.CollideAdjustY / 2)),
                SaturatedAdd(width, target.CollideAdjustX),
                SaturatedAdd(height, target.CollideAdjustY)};
  });
  const size_t count = fSprites.size();
  for (size_t i = 0; i < count; ++i) {
    try {
      if (fSprites[i]->Kind != kind) continue;
      // A hit ends this tester's turn, so it stays as it is throughout.
      const auto tester = view.Tester(i);
      for (size_t j = 0; j < fSprites.size(); ++j) {
        const auto& target = view.At(j);
        if (j == i || !target.Collidable) continue;
        // Most pairs miss: they are told apart before anything that may raise.
        if (target.HasProjector && !tester.Touching(target.Box)) continue;
        try {
          NeedsProjector(target.HasProjector);
          if (view.Hit(i, *fSprites[j], target.Box)) {
            view.Forget();
            break;
          }
        } catch (const std::exception& e) {
          Log(std::string("Tvt6Engine.CollideSprites:CollideASprite Reports the Following Error:") +
              e.what());
        }
      }
    } catch (...) {
      // Whatever else goes wrong with one tester, the others are still tested.
    }
  }
}

void Tvt6Engine::CollideSpritesMutual(int32_t kind) {
  // This box keeps its top-left corner and loses half the adjustment.
  TPassView view(fSprites, [](const Tvt6Sprite& target, int32_t width, int32_t height) {
    return TBox{target.X, target.Y, SaturatedAdd(width, target.CollideAdjustX / 2),
                SaturatedAdd(height, target.CollideAdjustY / 2)};
  });
  const size_t count = fSprites.size();
  for (size_t i = 0; i < count; ++i) {
    Tvt6Sprite& tester = *fSprites[i];
    if (tester.Kind != kind) continue;
    auto own = view.Tester(i);
    for (size_t j = 0; j < fSprites.size(); ++j) {
      const auto& entry = view.At(j);
      if (j == i || !entry.Collidable) continue;
      NeedsProjector(entry.HasProjector);
      if (!own.Touching(entry.Box)) continue;
      Tvt6Sprite& target = *fSprites[j];
      if (!view.Hit(i, target, entry.Box)) continue;
      view.Forget();
      if (target.OnCollide) target.OnCollide(tester, target);
      // The handlers may have moved the tester.
      own = view.Tester(i);
    }
  }
}

int Tvt6Engine::KillLinked(const Tvt6Sprite& sprite) {
  int marked = 0;
  for (const auto& each : fSprites) {
    if (each->Parent.Refers(sprite)) {
      each->Dead = true;
      ++marked;
    }
  }
  return marked;
}

}  // namespace quellix
