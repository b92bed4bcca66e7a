#include "vtDrawGate.h"

namespace quellix::sim {

void TGatedImageList::Draw(int32_t index, int32_t x, int32_t y) {
  if (fOn)
    fInner.Draw(index, x, y);
  else
    Item(index);
}

void TGatedImageList::StretchDraw(int32_t index, const TRect& rect) {
  if (fOn)
    fInner.StretchDraw(index, rect);
  else
    Item(index);
}

void TGatedImageList::DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) {
  if (fOn)
    fInner.DrawAlpha(index, rect, alpha);
  else
    Item(index);
}

void TGatedImageList::DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width,
                                      int32_t height, double centreX, double centreY, int32_t angle,
                                      int32_t alpha) {
  if (fOn)
    fInner.DrawRotateAlpha(index, x, y, width, height, centreX, centreY, angle, alpha);
  else
    Item(index);
}

}  // namespace quellix::sim
