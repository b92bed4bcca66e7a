// The starfield: small coloured stars that each move a fixed step per tick towards
// their own target, are dropped once marked dead, and are drawn as filled rectangles.
// Also the colour of a light wavelength, which tints the heads-up display.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "graphics/vtMedia.h"

namespace quellix {

class TRandom;

enum TStarEdgeMode : uint8_t { emWrap = 0, emBounce = 1 };

struct Tvt6Star {
  int32_t X = 0, Y = 0;
  int32_t Width = 1, Height = 1;
  TColor Color = 0;
  int32_t SpeedX = 0, SpeedY = 0;
  int32_t TargetX = 0, TargetY = 0;
  int32_t MinX = -10, MinY = -10, MaxX = 810, MaxY = 610;
  uint8_t EdgeMode = emWrap;
  bool Dead = false;
  // Given by the engine that made the star: its stars in the order they came, from 1.
  uint64_t Serial = 0;
  // Called when the star stands on its target after a move. It may change the star
  // (mark it Dead) but must not delete stars: the engine refuses that during a move.
  std::function<void(Tvt6Star&)> OnArrive;
};

class Tvt6StarEngine {
 public:
  // Every star's speed is drawn from random.
  explicit Tvt6StarEngine(TRandom& random) : fRandom(random) {}

  void SetDisplay(IDisplay* display) { fDisplay = display; }

  // A 1 x 1 star with SpeedX 4..7 and SpeedY 3..5, appended; it keeps its address
  // until it is deleted.
  Tvt6Star& AddStar(int32_t x, int32_t y, TColor color);
  // A star like the one given (its handler too), appended with a serial of its own;
  // nothing is drawn from the random generator.
  Tvt6Star& PlaceStar(const Tvt6Star& like);
  int32_t StarCount() const { return static_cast<int32_t>(fStars.size()); }
  Tvt6Star& Star(int32_t index);  // throws std::out_of_range

  // Moves every star one step in list order; true when any star changed position.
  bool MoveStars();
  // Frees the stars marked Dead and draws the others.
  void DrawStars();
  // An index at or past the count is ignored.
  void DeleteStar(int32_t index);
  void Clear();

  // The colour of light of that wavelength in nanometres (380 to 780 give colours,
  // the rest black), as red + 256 x green + 65536 x blue.
  static TColor WavelengthColor(double wavelength);

 private:
  void MoveStar(Tvt6Star& star);
  void RefuseWhileMoving(const char* operation) const;

  TRandom& fRandom;
  IDisplay* fDisplay = nullptr;
  std::vector<std::unique_ptr<Tvt6Star>> fStars;
  bool fMoving = false;
  uint64_t fSerials = 0;  // the latest star's Serial
};

}  // namespace quellix
