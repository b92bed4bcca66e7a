#include "vtTitlePilot.h"

#include <algorithm>

#include "game/vtAssetNames.h"
#include "services/vtZoneEngine.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"

namespace quellix::sim {

std::string_view TTitlePilot::NextZone(const TGameView& view) const {
  const bool child = fMode == TPlayMode::Child;
  if (view.Main.Globals.ChildMode != child) return "childmode";
  switch (fMode) {
    case TPlayMode::Normal:
      return "normal";
    case TPlayMode::Hard:
      return "hard";
    default:
      return "easy";
  }
}

void TTitlePilot::Click(const TGameView& view, TBotHands& hands, std::string_view name) {
  const Tvt6ZoneEngine* zones = view.Game.Title.ZoneEngine();
  const auto found = std::find(TitleZones.begin(), TitleZones.end(), name);
  const Tvt6Zone* zone =
      zones && found != TitleZones.end() ? zones->Zone(int(found - TitleZones.begin())) : nullptr;
  if (!zone) {
    hands.Mouse(0, 0, false);
    return;
  }
  const int32_t x = view.Game.Title.CursorX(), y = view.Game.Title.CursorY();
  if (!zone->Contains(x, y)) {
    fPressed = false;
    const int32_t dx = (zone->Left + zone->Right) / 2 - x;
    const int32_t dy = (zone->Top + zone->Bottom) / 2 - y;
    hands.Mouse(std::clamp(dx, -fSpeed, fSpeed), std::clamp(dy, -fSpeed, fSpeed), false);
    return;
  }
  // Press on this tick, let go on the next: the release clicks.
  fPressed = !fPressed;
  hands.Mouse(0, 0, fPressed);
}

}  // namespace quellix::sim
