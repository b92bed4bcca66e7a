#include "engine/vtSprite.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "base/vtLog.h"

namespace quellix {

Tvt6Sprite::Tvt6Sprite(const TVintorContext& context)
    : OnKillSelf(context.Log, this),
      fContext(context),
      fSelf(std::make_shared<Tvt6Sprite*>(this)) {}

// Each step is named for the log, so a failure tells where the teardown stopped.
Tvt6Sprite::~Tvt6Sprite() {
  *fSelf = nullptr;
  const char* step = "OnKillSelf.Execute";
  try {
    OnKillSelf.ExecuteAll();
    step = "ClearBehaviors";
    ClearBehaviors();
    step = "Clearing Gears";
    fGears.clear();
    step = "Behaviors.Free";
    decltype(Behaviors)().swap(Behaviors);
    step = "fGears.Free";
    decltype(fGears)().swap(fGears);
    step = "Projector.Free";
    Projector.reset();
    step = "OnKillSelf.Free";
    OnKillSelf.Clear();
  } catch (const std::exception& e) {
    fContext.Log.Log(std::string("Tvt6Sprite:Destroy:") + step +
                     " reports the following Error: " + e.what());
  }
}

void Tvt6Sprite::Place(int32_t x, int32_t y, int32_t lifetime, bool collidable) {
  X = x;
  Y = y;
  Lifetime = lifetime;
  Collidable = collidable;
  Dead = false;
  Alpha = NotSet;
  Angle = NotSet;
  ScaleX = NotSet;
  ScaleY = NotSet;
  CenterX = NotSetFraction;
  CenterY = NotSetFraction;
  CollideAdjustX = 0;
  CollideAdjustY = 0;
  Countdown = 0;
  DrawMode = dmImage;
}

Tvt6SpriteMovement& Tvt6Sprite::AddBehavior(std::unique_ptr<Tvt6SpriteMovement> behavior) {
  if (!behavior) throw std::invalid_argument("AddBehavior needs a behaviour");
  behavior->Sprite = this;
  Behaviors.push_back(std::move(behavior));
  fGears.emplace_back().SetGear(0, 0, 0, Tvt6Gear::NeverStep, 0, 0);
  return *Behaviors.back();
}

Tvt6SpriteMovement* Tvt6Sprite::GetBehavior(int index) const {
  if (index < 0 || index >= BehaviorCount()) return nullptr;
  return Behaviors[static_cast<size_t>(index)].get();
}

Tvt6Gear* Tvt6Sprite::GetGear(int index) {
  if (index < 0 || static_cast<size_t>(index) >= fGears.size()) return nullptr;
  return &fGears[static_cast<size_t>(index)];
}

void Tvt6Sprite::PurgeBehaviors() {
  std::erase_if(Behaviors, [](const auto& behavior) { return behavior->Done; });
}

void Tvt6Sprite::Draw() {
  if (Dead || !Projector) return;
  if (DrawMode == dmImage)
    Projector->Draw_Image(X, Y, Alpha, Angle, ScaleX, ScaleY, CenterX, CenterY);
  else if (DrawMode == dmCentered)
    Projector->Draw_Centered(X, Y, Alpha, Angle, ScaleX, ScaleY, CenterX, CenterY);
  if (Lifetime < NotSet) {
    --Lifetime;
    if (Lifetime < 1) {
      Dead = true;
      Projector->Finished = true;
    }
  }
}

void Tvt6Sprite::Update() {
  if (Dead) return;
  if (Countdown > 0 && Countdown < NotSet) --Countdown;
  if (OnBeforeTick) OnBeforeTick(*this);
  // A behaviour may add behaviours while it runs; they start on the next update.
  const size_t count = Behaviors.size();
  for (size_t i = 0; i < count && i < Behaviors.size(); ++i) {
    const bool fires = i < fGears.size() && fGears[i].Tick();
    Tvt6SpriteMovement& behavior = *Behaviors[i];
    if (fires && !behavior.Done) behavior.Execute();
  }
  if (OnTick) OnTick(*this);
  // The last behaviour is left for the engine's purge. The gears stay as they are.
  for (size_t j = 0; j + 1 < Behaviors.size();) {
    if (Behaviors[j]->Done)
      Behaviors.erase(Behaviors.begin() + static_cast<std::ptrdiff_t>(j));
    else
      ++j;
  }
}

bool Tvt6Sprite::Collide(Tvt6Sprite& target, int32_t boxLeft, int32_t boxTop, int32_t boxWidth,
                         int32_t boxHeight) {
  if (!Collidable) return false;
  // Without its own size the tester still hits a box it lies inside.
  int32_t width = 0, height = 0;
  try {
    if (!Projector) throw std::logic_error("the sprite has no projector");
    Projector->GetDims(width, height);
  } catch (const std::exception& e) {
    fContext.Log.Log(
        std::string("Tvt6Sprite:Collide:Projector:GetDims reports the following Error: ") +
        e.what());
    width = height = 0;
  }
  return Collide(target, boxLeft, boxTop, boxWidth, boxHeight, width, height);
}

bool Tvt6Sprite::Collide(Tvt6Sprite& target, int32_t boxLeft, int32_t boxTop, int32_t boxWidth,
                         int32_t boxHeight, int32_t width, int32_t height) {
  if (!Collidable) return false;
  try {
    if (!Touches(X, Y, width, height, TBox{boxLeft, boxTop, boxWidth, boxHeight})) return false;
    if (OnCollide) {
      try {
        OnCollide(*this, target);
      } catch (const std::exception& e) {
        fContext.Log.Log(std::string("Tvt6Sprite:Collide:OnCollide reports the following Error: ") +
                         e.what());
      }
    }
    return true;
  } catch (const std::exception& e) {
    fContext.Log.Log(std::string("Tvt6Sprite:Collide reports the following Error: ") + e.what());
    return false;
  }
}

}  // namespace quellix
