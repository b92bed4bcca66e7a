// Shares the games that enter the high-score table with a board (settings.txt:
// "board = ADDRESS"): a layer between the platform and the main window (or the recorder
// of the session above it). Once start-up has run it starts a board client
// (vtBoardClient.h) whose outbox is "outbox/" and whose downloads go to "board-games/"
// in the user folder, and which the main window's screens use for the shared table.
// While the options' "share scores" is on, each score the player enters sends that
// game's kept replay, which goes on through the name typed, claiming the score and level
// the game came to. At close the client ends; what was not sent waits in the outbox for
// the next run.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "boardlink/vtBoardClient.h"
#include "shell/vtPlatformRelay.h"

namespace quellix {

class TfrmMain;
struct THighScoreEntry;

inline constexpr const char* OutboxFolder = "outbox/";
inline constexpr const char* BoardGamesFolder = "board-games/";

class TBoardSharing : public TPlatformRelay {
 public:
  using TTransportMaker = std::function<std::unique_ptr<IBoardTransport>(const std::string&)>;

  // The HTTP transport unless another is given.
  TBoardSharing(IPlatform& inner, std::string address, TTransportMaker makeTransport = {},
                TBoardTiming timing = {});
  ~TBoardSharing() override;

  // Before start-up; above: the main window, or what stands between this and it.
  void Attach(TfrmMain& main, IMainWindowEvents& above);

  void FormActivate() override;
  void FormClose() override;

  // None before start-up and after close.
  TBoardClient* Client() { return fClient.get(); }

 private:
  void Share(const THighScoreEntry& entry);

  std::string fAddress;
  TTransportMaker fMakeTransport;
  TBoardTiming fTiming;
  TfrmMain* fMain = nullptr;
  std::unique_ptr<TBoardClient> fClient;
};

}  // namespace quellix
