#include "boardlink/vtBoardSharing.h"

#include <exception>

#include "boardlink/vtHttpTransport.h"
#include "shell/vtMainWindow.h"
#include "shell/vtReplayFile.h"

namespace quellix {

TBoardSharing::TBoardSharing(IPlatform& inner, std::string address, TTransportMaker makeTransport,
                             TBoardTiming timing)
    : TPlatformRelay(inner),
      fAddress(std::move(address)),
      fMakeTransport(makeTransport ? std::move(makeTransport)
                                   : [](const std::string& a) { return MakeHttpTransport(a); }),
      fTiming(timing) {}

TBoardSharing::~TBoardSharing() = default;

void TBoardSharing::Attach(TfrmMain& main, IMainWindowEvents& above) {
  fMain = &main;
  SetTarget(&above);
  main.KeepNameEntries = true;
  main.OnHighScoreEntered = [this](const THighScoreEntry& entry) { Share(entry); };
}

void TBoardSharing::FormActivate() {
  TPlatformRelay::FormActivate();
  // Start-up runs on the first activation; the client starts once it has, so that its
  // lines go to the log file.
  if (fClient || !fMain || !fMain->ActivationDone() || fMain->Globals.GameState == gsLoading)
    return;
  const std::string userDir = fMain->Folders().UserDir;
  try {
    fClient =
        std::make_unique<TBoardClient>(fMakeTransport(fAddress), fAddress, userDir + OutboxFolder,
                                       userDir + BoardGamesFolder, fMain->ErrorLog(), fTiming);
    fMain->SetBoard(fClient.get());
    fMain->ErrorLog().Log(fMain->Settings().ShareScores
                              ? "Board: games that enter the high-score table go to " + fAddress
                              : "Board: the shared table comes from " + fAddress +
                                    "; scores are not shared (options: SHARE SCORES)");
  } catch (const std::exception& e) {
    fMain->ErrorLog().Log("Board: cannot share scores with " + fAddress + ": " + e.what());
  }
}

void TBoardSharing::FormClose() {
  TPlatformRelay::FormClose();
  if (fMain) fMain->SetBoard(nullptr);
  fClient.reset();
}

void TBoardSharing::Share(const THighScoreEntry& entry) {
  if (!fClient || !entry.Game || !fMain->Settings().ShareScores) return;
  try {
    fClient->Send({WriteReplay(*entry.Game), entry.Record.Score, entry.Record.Level});
  } catch (const std::exception& e) {
    fMain->ErrorLog().Log("Board: the game cannot be sent: " + std::string(e.what()));
  }
}

}  // namespace quellix
