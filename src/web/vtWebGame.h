// The game in a browser page: the browser platform, the main window with the game, and
// between them the recorder of the session, so that the page can offer each game's
// recording, or, for a page opened with ?replay=, the player of a recorded session.
// The page's animation frames drive it; it tells the page when start-up has reached the
// title or failed, when a game starts, when one has ended (with the recording so far)
// and when the program has ended.
#pragma once

#include <memory>

#include "game/vtGameState.h"
#include "shell/vtCommandLine.h"
#include "web/vtBrowserPlatform.h"

namespace quellix {
class TfrmMain;
class TReplayPlayer;
class TReplayRecorder;
}  // namespace quellix

namespace quellix::web {

class TWebGame {
 public:
  // Throws what the platform throws when the page cannot show the game (no WebGL).
  explicit TWebGame(const TCommandLine& commandLine);
  ~TWebGame();
  TWebGame(const TWebGame&) = delete;
  TWebGame& operator=(const TWebGame&) = delete;

  // One animation frame; false once the program has ended.
  bool Frame();

 private:
  // Start-up has run: the page learns whether it reached the title.
  void StartupDone();
  // Follows the game state: a game started, a game over and back at the title.
  void FollowGames();
  void OfferRecording();
  void End();

  TBrowserPlatform fPlatform;
  // One of the two stands between the platform and the main window.
  std::unique_ptr<TReplayRecorder> fRecorder;
  std::unique_ptr<TReplayPlayer> fPlayer;
  std::unique_ptr<TfrmMain> fMain;
  bool fStartupSeen = false;
  bool fReplayReady = false;  // the page has asked for the click that starts the replay
  bool fEnded = false;
  TGameState fState = gsLoading;
  // A game has been played since the last recording was offered.
  bool fPlayed = false;
  int fGames = 0;
};

}  // namespace quellix::web
