// The sprite sets. Each reads its own section of the art source and adds its pictures
// and scenes to the output; together they make every reel and scene the game names.
#pragma once

#include <vector>

#include "images/vtArtOutput.h"
#include "images/vtArtSource.h"

namespace quellix::assetgen {

void PaintTitleScreen(const TArtSource& source, TArtOutput& out);  // "titlescreen"
void PaintPlayer(const TArtSource& source, TArtOutput& out);       // "Player"
void PaintShots(const TArtSource& source, TArtOutput& out);    // "Shots", "MedShots", "largeShots"
void PaintWaves(const TArtSource& source, TArtOutput& out);    // "Wave"
void PaintShields(const TArtSource& source, TArtOutput& out);  // "Shields"
void PaintExplosions(const TArtSource& source, TArtOutput& out);  // "Explosions"
void PaintTexts(const TArtSource& source, TArtOutput& out);       // "Text"
void PaintBonuses(const TArtSource& source, TArtOutput& out);     // "Bonuses"
void PaintShrapnel(const TArtSource& source, TArtOutput& out);    // "shrapnel"
void PaintHoles(const TArtSource& source, TArtOutput& out);       // "Holes"
void PaintEnemies(const TArtSource& source, TArtOutput& out);     // the ten enemy reels

// The desktop's icon of the game at each size of the "icon" section, in its order.
struct TIconOut {
  int Size = 0;
  TCanvas Picture;
};
std::vector<TIconOut> PaintIcons(const TArtSource& source);

}  // namespace quellix::assetgen
