// Where each side's ship stands and what comes out of it: the geometry of the four
// sides shared by the two halves of the player unit. Positions are sprite positions
// (top-left corners) in screen pixels.
#pragma once

#include <array>
#include <cstdint>

#include "game/vtPlayer.h"

namespace quellix {

struct TOffset {
  int32_t X, Y;
};

struct TPlayerSide {
  TOffset Home;
  // Top and Bottom follow the control point's x, Left and Right its y.
  bool FollowsX;
  // The ship explosion: its kind and its point relative to the ship.
  int32_t ExplosionKind;
  TOffset Explosion;
  int32_t GhostKind;
  // A ship brought in by a ghost is invulnerable for a while on these sides only.
  bool InvulnerableRespawn;
  // The shield relative to its ship.
  TOffset ShieldOffset;
  // The volley's shot: start relative to the ship (the wide shots of Top and Bottom
  // are also moved right to centre them), step per update and drawn ticks of life.
  TOffset ShotStart;
  bool ShotCentred;
  TOffset ShotStep;
  int32_t ShotLifetime;
  // The wave that sweeps the screen from this edge when a ship comes back.
  TfrmPlayer::TWave Sweep;
  TOffset SweepStart;
  TOffset SweepStep;
};

// Kept as one block per side (Left, Right, Top, Bottom), read as a table.
// clang-format off
inline constexpr std::array<TPlayerSide, TfrmPlayer::SideCount> PlayerSides = {{
    {.Home = {0, 300}, .FollowsX = false, .ExplosionKind = 32, .Explosion = {10, 0},
     .GhostKind = 25, .InvulnerableRespawn = true, .ShieldOffset = {0, -30},
     .ShotStart = {36, 12}, .ShotCentred = false, .ShotStep = {16, 0}, .ShotLifetime = 50,
     .Sweep = TfrmPlayer::TWave::Vertical, .SweepStart = {0, 0}, .SweepStep = {16, 0}},
    {.Home = {759, 300}, .FollowsX = false, .ExplosionKind = 30, .Explosion = {-20, 0},
     .GhostKind = 27, .InvulnerableRespawn = false, .ShieldOffset = {-30, -30},
     .ShotStart = {-20, 12}, .ShotCentred = false, .ShotStep = {-16, 0}, .ShotLifetime = 50,
     .Sweep = TfrmPlayer::TWave::Vertical, .SweepStart = {799, 0}, .SweepStep = {-16, 0}},
    {.Home = {400, 0}, .FollowsX = true, .ExplosionKind = 29, .Explosion = {0, 20},
     .GhostKind = 26, .InvulnerableRespawn = true, .ShieldOffset = {-30, 0},
     .ShotStart = {0, 40}, .ShotCentred = true, .ShotStep = {0, 16}, .ShotLifetime = 40,
     .Sweep = TfrmPlayer::TWave::Horizontal, .SweepStart = {0, 0}, .SweepStep = {0, 16}},
    {.Home = {400, 519}, .FollowsX = true, .ExplosionKind = 31, .Explosion = {0, -20},
     .GhostKind = 28, .InvulnerableRespawn = false, .ShieldOffset = {-30, -30},
     .ShotStart = {0, -20}, .ShotCentred = true, .ShotStep = {0, -16}, .ShotLifetime = 40,
     .Sweep = TfrmPlayer::TWave::Horizontal, .SweepStart = {0, 550}, .SweepStep = {0, -16}},
}};
// clang-format on

}  // namespace quellix
