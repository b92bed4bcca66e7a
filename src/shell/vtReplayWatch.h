// Watching a replay inside the running game, as a game state of its own driven by the
// 40 ms tick: a second main window with its own game, behind a player of replays
// (vtReplayPlayer.h), draws onto this game's display, plays through its sounds and keeps
// no file. Each tick of this game runs as many of the replay's ticks as the speed says
// (1, 2, 4 or 8), drawing only the last, so the picture keeps its pace while the game
// runs faster. It pauses and goes on, steps one tick while paused, skips to the next
// level (the ticks run without drawing, a few hundred per tick of this game), and a line
// on the screen says REPLAY, the speed, the tick and the level. When the replay ends,
// or on Esc, Back or the right mouse button, it goes back to where it was started from.
// It never asks or touches the player's high-score table, nor writes any file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "shell/vtReplayFile.h"
#include "shell/vtWindowUnits.h"

namespace quellix {

class TfrmMain;
class TGame;
class TReplayPlayer;
class TWatchPlatform;

class TReplayWatch : public IScreen {
 public:
  static constexpr int32_t MaxSpeed = 8;
  // Ticks of the replay run without drawing in one tick of the game, while skipping.
  static constexpr int32_t SkipBudget = 400;
  // Ticks of the game the last picture stays before going back.
  static constexpr int32_t EndTicks = 50;

  explicit TReplayWatch(TfrmMain& main);
  ~TReplayWatch() override;
  TReplayWatch(const TReplayWatch&) = delete;
  TReplayWatch& operator=(const TReplayWatch&) = delete;

  // Starts watching the replay in the file (any replay: of one game, or a session up to
  // its name entry); `back` runs when the watching ends. Answers why it cannot be
  // watched, the file named, as the refusal of --replay says it; empty when it is.
  std::string Start(const std::string& path, std::function<void()> back);

  void ScreenTick() override;
  void KeyUp(int32_t key) override;
  void MouseButton(TMouseButton button, bool down) override;

  bool Watching() const { return fPlayer != nullptr; }
  int32_t Speed() const { return fSpeed; }
  bool Paused() const { return fPaused; }
  void SetSpeed(int32_t speed);
  void TogglePause();
  // One tick forward while paused.
  void Step();
  void SkipLevel();
  void Stop();
  // The replay's ticks played so far, and its level.
  int64_t Tick() const;
  int32_t Level() const;
  // The window the replay plays in; none when nothing is watched.
  TfrmMain* Watched() const { return fWatched.get(); }
  const TReplayPlayer* Player() const { return fPlayer.get(); }

 private:
  // Runs one of the replay's ticks, drawn or not; false when the replay has ended.
  bool RunTick(bool draw);
  void DrawLine(IDisplay& display);
  void End();

  TfrmMain& fMain;
  std::function<void()> fBack;
  std::string fName;
  std::unique_ptr<TWatchPlatform> fPlatform;
  std::unique_ptr<TReplayPlayer> fPlayer;
  std::unique_ptr<TfrmMain> fWatched;
  int32_t fSpeed = 1;
  bool fPaused = false;
  // A picture is due: a pause just asked for, or a step.
  bool fDrawOne = false;
  // Skipping until the level is past this one; 0: not skipping.
  int32_t fSkipFrom = 0;
  int32_t fEndTicks = 0;
  bool fRightPressed = false;
  bool fForwarding = false;
};

}  // namespace quellix
