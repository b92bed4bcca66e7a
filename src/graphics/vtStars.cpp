#include "graphics/vtStars.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>

#include "base/vtRandom.h"
#include "graphics/vtFrameNotes.h"

namespace quellix {

namespace {

// Star fields are public, so the step is taken in 64 bits and brought back into range
// rather than overflowing on extreme values.
int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// One axis of a step: towards the target by speed, landing on it when closer than that.
int32_t StepTowards(int32_t position, int32_t target, int32_t speed) {
  const int64_t distance = std::abs(int64_t{position} - target);
  if (position > target) return distance < speed ? target : Clamp32(int64_t{position} - speed);
  if (position < target) return distance < speed ? target : Clamp32(int64_t{position} + speed);
  return position;
}

void ApplyEdge(uint8_t mode, int32_t& position, int32_t& speed, int32_t low, int32_t high) {
  if (position <= high && position >= low) return;
  if (mode == emBounce) {
    position = position > high ? Clamp32(int64_t{high} - 1) : Clamp32(int64_t{low} + 1);
    speed = Clamp32(-int64_t{speed});
  } else if (mode == emWrap) {
    position = position > high ? low : high;
  }
}

}  // namespace

Tvt6Star& Tvt6StarEngine::AddStar(int32_t x, int32_t y, TColor color) {
  Tvt6Star like;
  like.X = x;
  like.Y = y;
  like.Color = color;
  like.SpeedX = 4 + fRandom.Random(4);
  like.SpeedY = 3 + fRandom.Random(3);
  return PlaceStar(like);
}

Tvt6Star& Tvt6StarEngine::PlaceStar(const Tvt6Star& like) {
  auto star = std::make_unique<Tvt6Star>(like);
  star->Serial = ++fSerials;
  return *fStars.emplace_back(std::move(star));
}

Tvt6Star& Tvt6StarEngine::Star(int32_t index) {
  if (index < 0 || index >= StarCount())
    throw std::out_of_range("Tvt6StarEngine: star index " + std::to_string(index) +
                            " out of range (count " + std::to_string(StarCount()) + ")");
  return *fStars[static_cast<size_t>(index)];
}

void Tvt6StarEngine::MoveStar(Tvt6Star& star) {
  star.X = StepTowards(star.X, star.TargetX, star.SpeedX);
  star.Y = StepTowards(star.Y, star.TargetY, star.SpeedY);
  if (star.X == star.TargetX && star.Y == star.TargetY && star.OnArrive) star.OnArrive(star);
  ApplyEdge(star.EdgeMode, star.X, star.SpeedX, star.MinX, star.MaxX);
  ApplyEdge(star.EdgeMode, star.Y, star.SpeedY, star.MinY, star.MaxY);
}

bool Tvt6StarEngine::MoveStars() {
  bool moved = false;
  fMoving = true;
  try {
    // Handlers may add stars; those are moved in the same pass.
    for (size_t i = 0; i < fStars.size(); ++i) {
      Tvt6Star& star = *fStars[i];
      const int32_t x = star.X, y = star.Y;
      MoveStar(star);
      moved = moved || star.X != x || star.Y != y;
    }
  } catch (...) {
    fMoving = false;
    throw;
  }
  fMoving = false;
  return moved;
}

void Tvt6StarEngine::DrawStars() {
  RefuseWhileMoving("DrawStars");
  std::erase_if(fStars, [](const std::unique_ptr<Tvt6Star>& star) { return star->Dead; });
  if (fStars.empty()) return;
  if (!fDisplay) throw std::logic_error("Tvt6StarEngine.DrawStars: no display set");
  IFrameNotes* notes = fDisplay->FrameNotes();
  for (const auto& star : fStars) {
    const TItemScope item(notes, this, star->Serial);
    fDisplay->FillRect(Bounds(star->X, star->Y, star->Width, star->Height), star->Color);
  }
}

void Tvt6StarEngine::DeleteStar(int32_t index) {
  RefuseWhileMoving("DeleteStar");
  if (index < 0 || index >= StarCount()) return;
  fStars.erase(fStars.begin() + index);
}

void Tvt6StarEngine::Clear() {
  RefuseWhileMoving("Clear");
  fStars.clear();
}

void Tvt6StarEngine::RefuseWhileMoving(const char* operation) const {
  if (fMoving)
    throw std::logic_error(std::string("Tvt6StarEngine.") + operation +
                           ": stars cannot be removed while they move");
}

TColor Tvt6StarEngine::WavelengthColor(double w) {
  // Ranges are chosen by the whole nanometres; NaN falls through every test to black.
  const double n = std::trunc(w);
  double red = 0, green = 0, blue = 0;
  if (n >= 380 && n <= 439) {
    red = -(w - 440) / 60;
    blue = 1;
  } else if (n >= 440 && n <= 489) {
    green = (w - 440) / 50;
    blue = 1;
  } else if (n >= 490 && n <= 509) {
    green = 1;
    blue = -(w - 510) / 20;
  } else if (n >= 510 && n <= 579) {
    red = (w - 510) / 70;
    green = 1;
  } else if (n >= 580 && n <= 644) {
    red = 1;
    green = -(w - 645) / 65;
  } else if (n >= 645 && n <= 780) {
    red = 1;
  }

  double intensity = 0;
  if (n >= 380 && n <= 419)
    intensity = 0.3 + 0.7 * (w - 380) / 40;
  else if (n >= 420 && n <= 700)
    intensity = 1;
  else if (n >= 701 && n <= 780)
    intensity = 0.3 + 0.7 * (780 - w) / 80;

  // Gamma 0.8; std::nearbyint under the default rounding mode takes halves to even.
  const auto channel = [intensity](double value) -> TColor {
    if (value == 0) return 0;
    return static_cast<TColor>(std::nearbyint(255 * std::pow(value * intensity, 0.8)));
  };
  return channel(red) | (channel(green) << 8u) | (channel(blue) << 16u);
}

}  // namespace quellix
