#include "vtBot.h"

#include "vtRandomBot.h"
#include "vtSimPlatform.h"
#include "vtSkilledBot.h"

namespace quellix::sim {

std::string_view PlayModeName(TPlayMode mode) {
  switch (mode) {
    case TPlayMode::Child:
      return "child";
    case TPlayMode::Easy:
      return "easy";
    case TPlayMode::Normal:
      return "normal";
    case TPlayMode::Hard:
      return "hard";
  }
  return "?";
}

std::string_view BotName(TBotKind bot) {
  return bot == TBotKind::Random ? "random" : "skilled";
}

void TBotHands::Mouse(int32_t dx, int32_t dy, bool leftButton) {
  fPlatform.SetMouse(dx, dy, leftButton);
}

void TBotHands::RightButton(bool down) {
  if (down == fRightDown) return;
  fRightDown = down;
  if (down)
    fWindow.FormMouseDown(TMouseButton::Right);
  else
    fWindow.FormMouseUp(TMouseButton::Right);
}

std::unique_ptr<IBot> MakeBot(TBotKind kind, TPlayMode mode, uint64_t seed) {
  if (kind == TBotKind::Random) return std::make_unique<TRandomBot>(mode, seed);
  return std::make_unique<TSkilledBot>(mode, seed);
}

}  // namespace quellix::sim
