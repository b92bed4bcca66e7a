// The options screen of the title: the effects' volume, the display (full screen or a
// window, scaling, filtering, motion), the mouse's speed, the bomb key and the
// controller's buttons for fire, shields, bomb and pause, and "defaults". Each row is
// one entry of a list (Rows()), with its label, its value as shown, and what stepping
// it (Left and Right, the arrows beside the value) and taking it (Enter, a click) do;
// a new option is one more entry. Every change applies at once and is saved in
// settings.txt. A key or button is bound by taking
// its row and pressing the new one; one the game needs elsewhere is refused with a word.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "services/vtGameSettings.h"
#include "shell/vtMenuScreen.h"

namespace quellix {

class TOptionsScreen : public TMenuScreen {
 public:
  TOptionsScreen(TfrmMain& main, TfrmTitleScreen& title);

  void Enter() override;

  struct TOptionRow {
    std::string Label;
    std::function<std::string()> Value;
    // Left (-1) or right (+1); none for a row that is only taken.
    std::function<void(int32_t step)> Step;
    // Enter or a click on the label or value; none: a step to the right.
    std::function<void()> Take;
  };
  const std::vector<TOptionRow>& OptionRows() const { return fRows; }
  // What the screen waits for: nothing, a key for the bomb, or a controller button for
  // an action.
  enum class TWaitFor : uint8_t { Nothing, BombKey, PadButton };
  TWaitFor WaitingFor() const { return fWaitFor; }

 protected:
  std::vector<TMenuRow> MakeRows() override;
  void Take(int32_t row, int32_t column) override;
  bool TakeKey(int32_t key) override;
  bool Busy() const override { return fWaitFor != TWaitFor::Nothing; }
  // The wait takes keys from the tick after it began: the key or button that began it
  // (Enter, Start) comes with its own key-ups, which are not the answer.
  void Ticked() override { fListening = fWaitFor != TWaitFor::Nothing; }
  std::string Hint() const override;

 private:
  std::vector<TOptionRow> Rows();
  // The settings with one thing changed, applied and saved.
  void Change(const std::function<void(TGameSettings&)>& change);
  TOptionRow PadRow(std::string label, TPadButton TPadBindings::*action);
  void Wait(TWaitFor what, TPadButton TPadBindings::*action = nullptr);
  bool TakeBombKey(int32_t key);
  bool TakePadButton(int32_t key);
  void Defaults();

  std::vector<TOptionRow> fRows;
  TWaitFor fWaitFor = TWaitFor::Nothing;
  bool fListening = false;
  TPadButton TPadBindings::*fWaitingAction = nullptr;
};

}  // namespace quellix
