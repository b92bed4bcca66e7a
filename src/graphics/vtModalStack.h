// The modal windows a platform shows (IWindowSystem::ShowModal), the newest on top: the
// top one gets the keys and typed text, and a window is taken down only from the top.
// The platform asks it to end the closed ones after every event and tick it delivers;
// each owner is called back then, at the point where a nested message loop would have
// returned, so events and ticks keep the order they had with such a loop.
#pragma once

#include <functional>
#include <vector>

#include "graphics/vtPlatform.h"

namespace quellix {

class TModalStack {
 public:
  // Called with a window just taken down, before its owner is called back: the platform
  // paints it a last time, or lets go of it.
  using TTakenDown = std::function<void(IModalWindow&)>;

  void Push(IModalWindow& window, std::function<void()> closed);
  // The window on top; none when none is shown.
  IModalWindow* Top() const { return fShown.empty() ? nullptr : fShown.back().Window; }
  bool Empty() const { return fShown.empty(); }
  // Takes down the top window while it reports Closed() (every window when `closing`:
  // the main window is closing), calling takenDown and then the window's owner for each.
  // True when one was taken down.
  bool EndClosed(bool closing, const TTakenDown& takenDown = {});

 private:
  struct TShown {
    IModalWindow* Window;
    std::function<void()> Closed;
  };
  std::vector<TShown> fShown;
};

}  // namespace quellix
