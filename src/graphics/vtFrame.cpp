#include "graphics/vtFrame.h"

#include <utility>

namespace quellix {

void TFrame::Clear() {
  Draws.clear();
  Texts.clear();
  Styles.clear();
  Pointer.reset();
}

void TFrame::Swap(TFrame& other) noexcept {
  Draws.swap(other.Draws);
  Texts.swap(other.Texts);
  Styles.swap(other.Styles);
  std::swap(Pointer, other.Pointer);
}

}  // namespace quellix
