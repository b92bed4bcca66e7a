// The latest two frames the ticks drew, and the latest drawn again at any moment between
// two ticks: a thing drawn in both frames at most JumpDistance apart is drawn that
// fraction of the way from where it was to where it is; a thing new in the latest frame,
// or one that jumped (a respawn, a re-placement, a wrap), is drawn where it is; a thing
// gone from it is not drawn. Images, colours and alpha are the latest frame's. Things
// the hand steers are drawn where the input's pending motion will put the hand's point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "graphics/vtFrame.h"
#include "graphics/vtMedia.h"

namespace quellix {

class TInterpolatedFrames {
 public:
  // Further than this along either axis in one tick is a jump: the fastest things of the
  // game move up to 20 pixels a tick (shots, waves and ghosts 16), a wrap or a new
  // place goes hundreds.
  static constexpr int32_t JumpDistance = 48;

  struct TPoint {
    int32_t X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
  };

  // The frame becomes the latest and the latest the previous; the frame is left empty.
  void Commit(TFrame& frame);
  bool HasFrame() const { return fCommitted > 0; }
  const TFrame& Latest() const { return fLatest; }

  // Where draw `index` of the latest frame is drawn at fraction (0: where the previous
  // frame drew it, 1: where the latest did).
  TPoint PositionOf(size_t index, double fraction) const;
  // Draws the latest frame at fraction; a draw that fails is skipped. Answers the first
  // failure's message, if any.
  std::optional<std::string> Draw(double fraction, IDisplay& display, IImageList& images);
  // Draws the same picture as the last Draw (a window that lost its picture while the
  // game stands still), with the hand's point where it was drawn then.
  std::optional<std::string> DrawAgain(IDisplay& display, IImageList& images) const;

 private:
  struct TStart {
    int32_t X = 0, Y = 0;
    bool Slides = false;
  };
  using TKeys = std::vector<std::pair<TItemIdentity, uint32_t>>;

  // Fills keys with the identities of the frame's draws, sorted.
  static void CollectKeys(const TFrame& frame, TKeys& keys);
  void MatchStarts();
  // Where the hand's point stands now, when the input can tell it.
  std::optional<TPoint> LatestPointer() const;
  TPoint Place(size_t index, double fraction, const std::optional<TPoint>& pointer) const;
  void DrawOne(const TFrameDraw& draw, TPoint at, IDisplay& display, IImageList& images) const;
  std::optional<std::string> DrawAll(double fraction, const std::optional<TPoint>& pointer,
                                     IDisplay& display, IImageList& images) const;

  TFrame fLatest, fPrevious;
  std::vector<TStart> fStarts;  // one per draw of the latest frame
  TKeys fLatestKeys, fPreviousKeys;
  double fDrawnFraction = 1;
  std::optional<TPoint> fDrawnPointer;
  uint64_t fCommitted = 0;
};

}  // namespace quellix
