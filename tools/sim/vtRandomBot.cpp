#include "vtRandomBot.h"

#include <array>

#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"

namespace quellix::sim {

namespace {

// Characters the name window must take or drop: foreign letters in UTF-8, control
// characters and bytes that are no UTF-8 at all.
constexpr std::array<std::string_view, 8> OddCharacters = {
    "\xC3\xA9", "\xC3\x9F", "\xE6\xBC\xA2", "\xF0\x9F\x99\x82", "\t", "\x01", "\xC3", "\xFF"};

constexpr int32_t PauseKey = 'P';

bool SwitchOn(const TGameView& view, std::string_view zone) {
  return zone == "sound" ? view.Main.Globals.SoundOn : view.Main.Globals.ShrapnelOn;
}

}  // namespace

TRandomBot::TRandomBot(TPlayMode mode, uint64_t seed)
    : fRandom(seed ^ 0x52414E444F4D0000ULL), fPilot(mode, 20) {}

void TRandomBot::ArriveAtTitle(const TGameView& view) {
  // Now and then long enough for the high-score table to come round.
  fLinger = Chance(4) ? Between(150, 450) : Between(0, 40);
  fDetour = Chance(6) ? (Chance(2) ? "sound" : "shrap") : "";
  fDetourFrom = SwitchOn(view, fDetour);
  fPilot.SetSpeed(Between(8, 60));
}

void TRandomBot::Act(const TGameView& view, TBotHands& hands) {
  const TGameGlobals& globals = view.Main.Globals;
  if (globals.GameState == gsTitle && fState != gsTitle) ArriveAtTitle(view);
  fState = globals.GameState;
  if (globals.Paused) {
    // Any key resumes: another pause key, Space (a bomb) or Esc (the title).
    Wander(hands, fLeftDown);
    if (Chance(30)) hands.Key(Chance(5) ? VK_SPACE : (Chance(8) ? VK_ESCAPE : PauseKey + 1));
    return;
  }
  switch (globals.GameState) {
    case gsTitle:
      OnTitle(view, hands);
      break;
    case gsShowHighScores:
      Wander(hands, false);
      if (Chance(80)) hands.Key(VK_ESCAPE);
      break;
    default:
      Play(hands);
      break;
  }
}

void TRandomBot::OnTitle(const TGameView& view, TBotHands& hands) {
  hands.RightButton(false);
  if (fLinger > 0) {
    --fLinger;
    Wander(hands, false);
    return;
  }
  // The switch is clicked until it has flipped.
  if (!fDetour.empty() && SwitchOn(view, fDetour) == fDetourFrom) {
    fPilot.Click(view, hands, fDetour);
    return;
  }
  fDetour = "";
  fPilot.Steer(view, hands);
}

void TRandomBot::Wander(TBotHands& hands, bool leftButton) {
  if (Chance(20)) {
    fDriftX = Between(-12, 12);
    fDriftY = Between(-12, 12);
  }
  hands.Mouse(fDriftX + Between(-20, 20), fDriftY + Between(-20, 20), leftButton);
}

void TRandomBot::Play(TBotHands& hands) {
  if (Chance(12)) fLeftDown = !fLeftDown;
  Wander(hands, fLeftDown);
  if (Chance(40)) hands.RightButton(!hands.RightButtonDown());
  if (Chance(300)) hands.Key(VK_SPACE);
  if (Chance(1500)) hands.Key(PauseKey);
  if (Chance(8000)) hands.Key(VK_ESCAPE);
}

void TRandomBot::Type(IModalWindow& window) {
  if (fNameLeft < 0) fNameLeft = Between(0, 24);
  if (fTypeWait-- > 0) return;
  fTypeWait = Between(0, 4);
  if (fNameLeft == 0) {
    fNameLeft = -1;
    window.KeyDown(VK_RETURN);
    window.KeyUp(VK_RETURN);
    return;
  }
  --fNameLeft;
  const int32_t choice = fRandom.Random(100);
  if (choice < 70) {
    window.TextInput(std::string(1, static_cast<char>(Between(32, 126))));
  } else if (choice < 85) {
    window.TextInput(OddCharacters[static_cast<size_t>(fRandom.Random(OddCharacters.size()))]);
  } else {
    window.KeyDown(VK_BACK);
    window.KeyUp(VK_BACK);
  }
}

}  // namespace quellix::sim
