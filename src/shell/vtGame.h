// The game's units assembled around the main window: the title screen and its menus
// (options, kept games, watching a replay), the player, the hole with its level
// progression, the ten enemy kinds and the shrapnel effects. They
// know each other only through the interfaces of game/vtGameUnits.h and the game's
// context, which the main window gives; this is the one place where the real ones are
// joined. The main window adopts the game and keeps it for the
// whole run.
#pragma once

#include "game/vtEnemyFamily.h"
#include "game/vtHole.h"
#include "game/vtPlayer.h"
#include "game/vtShrapnel.h"
#include "shell/vtOptionsScreen.h"
#include "shell/vtReplayWatch.h"
#include "shell/vtReplaysScreen.h"
#include "shell/vtTitleScreen.h"
#include "shell/vtWindowUnits.h"

namespace quellix {

class TfrmMain;

class TGame {
 public:
  explicit TGame(TfrmMain& main);
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  TGameUnits Units() { return {&Title, &Player, &Hole, &Options, &Replays, &Watch, &Replays}; }

  // The player and the enemies refer to each other; each only keeps the reference while
  // being built, so the one built first may name the other.
  TfrmShrapnel Shrapnel;
  TEnemyFamily Enemies;
  TfrmPlayer Player;
  TfrmHole Hole;
  TfrmTitleScreen Title;
  TOptionsScreen Options;
  TReplayWatch Watch;
  TReplaysScreen Replays;
};

}  // namespace quellix
