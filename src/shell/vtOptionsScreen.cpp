#include "shell/vtOptionsScreen.h"

#include <algorithm>
#include <array>

#include "engine/vtEngine.h"
#include "game/vtAssetNames.h"
#include "services/vtKeyNames.h"
#include "services/vtSound.h"
#include "shell/vtMainWindow.h"

namespace quellix {

namespace {

// Label, the step arrows either side of the value, the value.
constexpr int32_t ListTop = 108;
constexpr int32_t RowHeight = 31;
constexpr int32_t ShownRows = 13;

TMenuList OptionList() {
  using TAlign = TMenuColumn::TAlign;
  return TMenuList(ListTop, RowHeight, ShownRows,
                   {{100, 290, TAlign::Left},
                    {395, 40, TAlign::Centre},
                    {435, 250, TAlign::Centre},
                    {685, 40, TAlign::Centre}});
}
constexpr int32_t LeftArrow = 1, RightArrow = 3;

constexpr std::array<const char*, 3> ScalingLabels = {"FIT", "WHOLE MULTIPLES", "STRETCH"};

// The sound each step of the volume plays, so the player hears how loud it is.
constexpr std::string_view VolumeSample = sounds::Bonus;

template <class T>
T Cycled(T value, int32_t step, int32_t count) {
  return static_cast<T>(((static_cast<int32_t>(value) + step) % count + count) % count);
}

}  // namespace

TOptionsScreen::TOptionsScreen(TfrmMain& main, TfrmTitleScreen& title)
    : TMenuScreen(main, title, "OPTIONS", OptionList()) {
  fRows = Rows();
}

void TOptionsScreen::Enter() {
  fWaitFor = TWaitFor::Nothing;
  fListening = false;
  Open();
}

void TOptionsScreen::Change(const std::function<void(TGameSettings&)>& change) {
  TGameSettings settings = fMain.Settings();
  change(settings);
  fMain.ChangeSettings(settings);
}

std::vector<TOptionsScreen::TOptionRow> TOptionsScreen::Rows() {
  const TGameSettings& s = fMain.Settings();
  return {
      {"EFFECTS VOLUME",
       [&s] { return std::to_string(s.Volume) + " %"; },
       [this](int32_t step) {
         Change([step](TGameSettings& c) {
           c.Volume = std::clamp(c.Volume + step * TGameSettings::VolumeStep, 0, 100);
         });
         fMain.MainEngine()->AudioEngine()->PlaySound(VolumeSample);
       },
       {}},
      {"DISPLAY",
       [this] { return fMain.Platform().DisplayMode().FullScreen ? "FULL SCREEN" : "WINDOW"; },
       [this](int32_t) { fMain.SetFullScreen(!fMain.Platform().DisplayMode().FullScreen); },
       {}},
      {"SCALING",
       [&s] { return std::string(ScalingLabels.at(static_cast<size_t>(s.Display.Scaling))); },
       [this](int32_t step) {
         Change([step](TGameSettings& c) {
           c.Display.Scaling = Cycled(c.Display.Scaling, step, ScalingLabels.size());
         });
       },
       {}},
      {"FILTERING",
       [&s] { return s.Display.Filter == TFilter::Smooth ? "SMOOTH" : "SHARP"; },
       [this](int32_t) {
         Change([](TGameSettings& c) {
           c.Display.Filter =
               c.Display.Filter == TFilter::Smooth ? TFilter::Sharp : TFilter::Smooth;
         });
       },
       {}},
      {"MOTION",
       [this, &s] {
         std::string value = s.Motion == TMotionStyle::Smooth ? "SMOOTH" : "CLASSIC";
         // A platform that cannot draw between ticks stays classic.
         return s.Motion == fMain.Motion() ? value : value + " (NOT HERE)";
       },
       [this](int32_t) {
         Change([](TGameSettings& c) {
           c.Motion =
               c.Motion == TMotionStyle::Smooth ? TMotionStyle::Classic : TMotionStyle::Smooth;
         });
       },
       {}},
      {"MOUSE SPEED",
       [&s] { return std::to_string(s.MouseSpeed) + " x"; },
       [this](int32_t step) {
         Change([step](TGameSettings& c) {
           c.MouseSpeed = std::clamp(c.MouseSpeed + step, 1, TGameSettings::MaxMouseSpeed);
         });
       },
       {}},
      {"BOMB KEY",
       [this, &s] { return fWaitFor == TWaitFor::BombKey ? "PRESS A KEY" : KeyLabel(s.BombKey); },
       {},
       [this] { Wait(TWaitFor::BombKey); }},
      PadRow("CONTROLLER FIRE", &TPadBindings::Fire),
      PadRow("CONTROLLER SHIELDS", &TPadBindings::Shields),
      PadRow("CONTROLLER BOMB", &TPadBindings::Bomb),
      PadRow("CONTROLLER PAUSE", &TPadBindings::Pause),
      {"DEFAULTS", [] { return ""; }, {}, [this] { Defaults(); }},
      {"BACK", [] { return ""; }, {}, [this] { Back(); }},
  };
}

TOptionsScreen::TOptionRow TOptionsScreen::PadRow(std::string label,
                                                  TPadButton TPadBindings::*action) {
  return {std::move(label),
          [this, action] {
            if (fWaitFor == TWaitFor::PadButton && fWaitingAction == action)
              return std::string("PRESS A BUTTON");
            return std::string(PadButtonLabel(fMain.Settings().Pad.*action));
          },
          {},
          [this, action] { Wait(TWaitFor::PadButton, action); }};
}

std::vector<TMenuRow> TOptionsScreen::MakeRows() {
  std::vector<TMenuRow> rows;
  for (const TOptionRow& row : fRows) {
    const bool steps = static_cast<bool>(row.Step);
    rows.push_back({row.Label, steps ? "<" : "", row.Value(), steps ? ">" : ""});
  }
  return rows;
}

void TOptionsScreen::Take(int32_t row, int32_t column) {
  const TOptionRow& option = fRows.at(static_cast<size_t>(row));
  if (option.Step && (column == LeftArrow || column == RightArrow)) {
    option.Step(column == LeftArrow ? -1 : 1);
  } else if (option.Take) {
    option.Take();
  } else if (option.Step) {
    option.Step(1);
  }
}

bool TOptionsScreen::TakeKey(int32_t key) {
  if (fWaitFor != TWaitFor::Nothing && !fListening) return true;
  if (fWaitFor == TWaitFor::BombKey) return TakeBombKey(key);
  if (fWaitFor == TWaitFor::PadButton) return TakePadButton(key);
  const int32_t chosen = fList.Chosen();
  int32_t step = 0;
  if (key == VK_LEFT || key == PadKey(TPadButton::DpadLeft)) step = -1;
  if (key == VK_RIGHT || key == PadKey(TPadButton::DpadRight)) step = 1;
  if (step == 0 || chosen < 0) return false;
  const TOptionRow& option = fRows.at(static_cast<size_t>(chosen));
  if (option.Step) option.Step(step);
  return true;
}

void TOptionsScreen::Wait(TWaitFor what, TPadButton TPadBindings::*action) {
  fWaitFor = what;
  fListening = false;
  fWaitingAction = action;
  Say(what == TWaitFor::BombKey ? "Press the key that is to set off a bomb"
                                : "Press the controller's button for it");
}

bool TOptionsScreen::TakeBombKey(int32_t key) {
  // A controller's button is not a key; the keys its actions stand for are.
  if (IsPadKey(key)) return true;
  if (key == VK_ESCAPE) {
    fWaitFor = TWaitFor::Nothing;
    Say("The bomb key stays " + KeyLabel(fMain.Settings().BombKey));
  } else if (KeyReserved(key)) {
    Say(KeyLabel(key) + " is needed elsewhere: press another key", true);
  } else {
    fWaitFor = TWaitFor::Nothing;
    Change([key](TGameSettings& c) { c.BombKey = key; });
    Say("The bomb key is now " + KeyLabel(key));
  }
  return true;
}

bool TOptionsScreen::TakePadButton(int32_t key) {
  if (key == VK_ESCAPE) {
    fWaitFor = TWaitFor::Nothing;
    Say("The button stays as it was");
    return true;
  }
  // The keys and mouse buttons a controller's actions stand for come with their button.
  if (!IsPadKey(key)) return true;
  const TPadButton button = PadButtonOfKey(key);
  if (PadButtonReserved(button)) {
    Say(std::string(PadButtonLabel(button)) + " is needed elsewhere: press another button", true);
    return true;
  }
  fWaitFor = TWaitFor::Nothing;
  TPadButton TPadBindings::*action = fWaitingAction;
  Change([action, button](TGameSettings& c) {
    // An action that had the button takes this one's old button: every action keeps one.
    TPadBindings& pad = c.Pad;
    for (TPadButton TPadBindings::*other :
         {&TPadBindings::Fire, &TPadBindings::Shields, &TPadBindings::Bomb, &TPadBindings::Pause})
      if (other != action && pad.*other == button) pad.*other = pad.*action;
    pad.*action = button;
  });
  Say(std::string(PadButtonLabel(button)) + " it is");
  return true;
}

void TOptionsScreen::Defaults() {
  TGameSettings defaults;
  const TGameSettings& now = fMain.Settings();
  // The window's place and the refresh rate of the file are no options of this screen.
  defaults.Display.Window = now.Display.Window;
  defaults.Refresh = now.Refresh;
  fMain.ChangeSettings(defaults);
  fMain.SetFullScreen(defaults.Display.FullScreen);
  Say("Every option is back as it first was");
}

std::string TOptionsScreen::Hint() const {
  if (Busy()) return "Press the new one; Esc leaves it as it is";
  return "Up, Down: choose   Left, Right, the arrows: change   Enter, click: take   Esc, right "
         "button: back";
}

}  // namespace quellix
