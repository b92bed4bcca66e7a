// What every menu of the title has in common: a screen of its own game state with the
// menus' picture, a heading, a list of rows (vtMenuList.h), a line of hints and the
// title's cursor. It is steered by the mouse (the cursor chooses the row it moves onto, a
// click takes it), by the keys (arrows, Page Up and Down, Home, End, Enter) and by a
// controller (the stick moves the cursor, the pad's arrows move the choice, the fire
// button clicks, Start takes the chosen row); Esc, Back and the right mouse button (the
// shields' button) go back to the title. A click takes the row under the cursor when the
// cursor moved last, else the row the keys or the pad chose.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/vtGameState.h"
#include "shell/vtMenuList.h"
#include "shell/vtWindowUnits.h"

namespace quellix {

class IDisplay;
class TfrmMain;
class TfrmTitleScreen;

class TMenuScreen : public IMenuScreen {
 public:
  void ScreenTick() override;
  void KeyUp(int32_t key) override;
  void MouseButton(TMouseButton button, bool down) override;

 protected:
  TMenuScreen(TfrmMain& main, TfrmTitleScreen& title, std::string heading, TMenuList list);

  // Shows the screen from the start: the first row chosen, nothing pressed.
  void Open();
  // The rows as they stand now (asked every tick).
  virtual std::vector<TMenuRow> MakeRows() = 0;
  // The row is taken: by a click on a column, or by a key (column -1).
  virtual void Take(int32_t row, int32_t column) = 0;
  // A key before the list sees it; true when taken.
  virtual bool TakeKey(int32_t /*key*/) { return false; }
  // While busy (waiting for a key to be pressed) the mouse's buttons do nothing.
  virtual bool Busy() const { return false; }
  // At the start of every tick.
  virtual void Ticked() {}
  virtual std::string Hint() const = 0;
  // Drawn above the list (column headings, a word when there are no rows).
  virtual void DrawMore(IDisplay& /*display*/) {}
  // A line above the hints for three seconds.
  void Say(std::string text, bool warning = false);
  void Back();
  // The picture of the first frame of a scene of the title's reel, -1 when missing.
  int32_t ImageOf(std::string_view scene) const;

  TfrmMain& fMain;
  TfrmTitleScreen& fTitle;
  TMenuList fList;

 private:
  void FollowPointer();
  void Click();
  void DrawTexts(IDisplay& display);

  std::string fHeading;
  // The screen's own state, in which it was opened.
  TGameState fState = gsOptions;
  int32_t fBackground = -1;
  int32_t fCursorImage = -1;
  bool fPointerLeads = false;
  bool fLeftHeld = false, fLeftPressedHere = false, fRightPressedHere = false;
  std::string fSaid;
  bool fSaidWarning = false;
  int32_t fSayTicks = 0;
};

}  // namespace quellix
