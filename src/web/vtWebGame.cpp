#include "web/vtWebGame.h"

#include <cstdio>
#include <string>

#include "services/vtGameSettings.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "shell/vtReplayPlayer.h"
#include "shell/vtReplayRecorder.h"
#include "web/vtPage.h"

namespace quellix::web {

namespace {

constexpr const char* StorageRefused =
    "This browser keeps no files for this page (private window?): the high scores and "
    "settings last only until the page is closed.";

// The last message of the log: why start-up stopped. Each entry is a time stamp line,
// the message's lines and the separator line.
std::string LastLogged(const TfrmErrorLog& log) {
  const auto& lines = log.Lines();
  size_t end = lines.size();
  if (end > 0 && lines[end - 1] == TfrmErrorLog::Separator) --end;
  size_t start = end;
  while (start > 0 && lines[start - 1] != TfrmErrorLog::Separator) --start;
  std::string message;
  for (size_t i = start + 1; i < end; ++i) message += (message.empty() ? "" : "\n") + lines[i];
  return message;
}

}  // namespace

TWebGame::TWebGame(const TCommandLine& commandLine) : fPlatform(commandLine.ReplayFile.empty()) {
  IPlatform* platform = &fPlatform;
  if (!commandLine.ReplayFile.empty()) {
    fPlayer = std::make_unique<TReplayPlayer>(fPlatform, commandLine.ReplayFile);
    platform = fPlayer.get();
  } else {
    // The page shows the game in its 800 x 600 canvas.
    fRecorder = std::make_unique<TReplayRecorder>(fPlatform, TStartOptions{{"window", "1"}});
    platform = fRecorder.get();
  }
  fMain = std::make_unique<TfrmMain>(*platform);
  fMain->ChooseMotion(commandLine.Motion);
  fMain->AdoptGame(std::make_unique<TGame>(*fMain));
  if (fPlayer) {
    fPlayer->Attach(*fMain);
    if (!fPlayer->Problem().empty()) {
      fPlayer->Refuse();
      PageFatal("Replay refused: " + fPlayer->Problem());
      fEnded = true;
      return;
    }
    // The recorded session starts with its first tick, once the player has clicked, and
    // the page asks for that click once the pictures are decoded: the session's first
    // ticks would wait for them.
    fPlatform.Start(*fPlayer);
  } else {
    fRecorder->Attach(*fMain);
    fPlatform.Start(*fRecorder);
  }
}

TWebGame::~TWebGame() = default;

bool TWebGame::Frame() {
  if (fEnded) return false;
  fPlatform.AnimationFrame();
  if (fPlayer && !fReplayReady && !fPlatform.Preparing()) {
    fReplayReady = true;
    PageReady();
  }
  if (!fStartupSeen && fMain->ActivationDone()) StartupDone();
  FollowGames();
  if (fPlatform.Closing()) End();
  return !fEnded;
}

void TWebGame::StartupDone() {
  fStartupSeen = true;
  if (fMain->Globals.GameState == gsLoading) {
    PageFatal(LastLogged(fMain->ErrorLog()));
    return;
  }
  if (!fPlayer) PageReady();
  if (PageStorageRefused()) {
    fMain->ErrorLog().Log(StorageRefused);
    fPlatform.ShowMessage(StorageRefused);
  }
}

void TWebGame::FollowGames() {
  const TGameState state = fMain->Globals.GameState;
  if (state == fState) return;
  const TGameGlobals& globals = fMain->Globals;
  if (state == gsPlaying && fState == gsTitle) {
    fPlayed = true;
    ++fGames;
    PageNews("A game has started");
  } else if (state == gsGameOver) {
    PageNews("Game over: score " + std::to_string(globals.Score) + ", level " +
             std::to_string(globals.Level));
  } else if (state == gsEnterHighScore) {
    PageNews("A high score: type your name and press Enter");
  } else if (state == gsTitle && fPlayed && fRecorder) {
    OfferRecording();
  }
  fState = state;
}

void TWebGame::OfferRecording() {
  fPlayed = false;
  TReplay replay = fRecorder->Replay();
  // How it was drawn, which play does not depend on.
  replay.Options.emplace_back("motion", MotionStyleName(fMain->Motion()));
  try {
    PageOfferRecording("quellix-game-" + std::to_string(fGames) + ".replay", WriteReplay(replay),
                       fMain->Globals.Score, fMain->Globals.Level);
  } catch (const std::exception& e) {
    fMain->ErrorLog().Log("Recording not offered: " + std::string(e.what()));
  }
}

void TWebGame::End() {
  fEnded = true;
  fPlatform.Finish();
  // How the browser kept the game's pace, for the benchmark and the curious.
  const media::TSdlPlatform::TLoopCounts counts = fPlatform.Counts();
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", counts.Seconds);
  PageNews("Frame clock: " + std::to_string(counts.Ticks) + " ticks, " +
           std::to_string(counts.Lag) + " dropped, " + std::to_string(counts.Refreshes) +
           " refreshes in " + seconds + " s");
  if (!fPlayer) {
    PageEnded("Quellix has ended. Reload the page to play again.");
  } else if (fPlayer->ExitStatus() == 0) {
    PageEnded("The replay has ended.");
  } else {
    PageEnded("The replay did not play as recorded: see the log in the console.");
  }
}

}  // namespace quellix::web
