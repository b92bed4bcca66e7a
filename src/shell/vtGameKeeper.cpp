#include "shell/vtGameKeeper.h"

namespace quellix {

void TGameKeeper::Begin(TReplay header, const TGameStart& start) {
  fReplay = std::move(header);
  fReplay.Data = fGames.Data();
  fReplay.Game = start;
  fReplay.Input.clear();
  fLog = {};
  // The replay's start-up goes straight into the game.
  TReplayInput activate;
  activate.Kind = TReplayInputKind::Activate;
  fLog.Add(activate);
  fRecording = true;
}

std::string TGameKeeper::End(int32_t score, int32_t level, bool enteredTable) {
  fRecording = false;
  fReplay.Input = fLog.Lines();
  TGameEnd end;
  end.Recorded = fGames.Now();
  const TGameStart& start = *fReplay.Game;
  end.Difficulty = start.ChildMode ? "child" : DifficultyName(start.Difficulty);
  end.Score = score;
  end.Level = level;
  end.EnteredTable = enteredTable;
  return fGames.Keep(std::move(fReplay), end);
}

}  // namespace quellix
