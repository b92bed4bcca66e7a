#include "graphics/vtModalStack.h"

#include <utility>

namespace quellix {

void TModalStack::Push(IModalWindow& window, std::function<void()> closed) {
  fShown.push_back({&window, std::move(closed)});
}

bool TModalStack::EndClosed(bool closing, const TTakenDown& takenDown) {
  bool ended = false;
  while (!fShown.empty() && (closing || fShown.back().Window->Closed())) {
    TShown shown = std::move(fShown.back());
    fShown.pop_back();
    ended = true;
    if (takenDown) takenDown(*shown.Window);
    // The owner may free the window now, or show another.
    if (shown.Closed) shown.Closed();
  }
  return ended;
}

}  // namespace quellix
