#include "graphics/vtProjector.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "base/vtLog.h"
#include "config/vtCommaList.h"
#include "config/vtSaturate.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtMedia.h"

namespace quellix {

namespace {

std::string DecimalText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

// The size of a side at a scale in per cent, truncated toward zero. A side beyond what
// any screen could show is refused: a scaled or turned draw makes a picture that big.
int32_t ScaledSide(int32_t side, int32_t scale) {
  const double value = std::trunc(side * (scale / 100.0));
  if (std::abs(value) > Tvt6Projector::MaxDrawnSide)
    throw std::overflow_error("the drawn size " + std::to_string(static_cast<int64_t>(value)) +
                              " is beyond " + std::to_string(Tvt6Projector::MaxDrawnSide) +
                              " pixels");
  return static_cast<int32_t>(value);
}

int32_t Resolve(int32_t argument, int32_t frameValue) {
  return argument >= Tvt6Projector::NotSet ? frameValue : argument;
}

double Resolve(double argument, double frameValue) {
  return argument >= Tvt6Projector::NotSetFraction ? frameValue : argument;
}

}  // namespace

std::string Tvt6ProjectorRecFrame::AsString() const {
  return Join({ImageName, std::to_string(Mode), std::to_string(X), std::to_string(Y),
               std::to_string(Alpha), std::to_string(Angle), std::to_string(Width),
               std::to_string(Height), DecimalText(CenterX), DecimalText(CenterY)});
}

void Tvt6Projector::Init(std::string_view reelName, std::string_view sceneName,
                         int32_t startPosition, int32_t lifeSpan, uint8_t playMethod,
                         uint8_t direction, uint8_t endOfReelMethod, uint8_t reserved,
                         IDisplay* display, IImageList* imageList,
                         Tvt6AnimationEngine* animationEngine) {
  Display = display;
  ImageList = imageList;
  AnimationEngine = animationEngine;
  SetReel(reelName);
  SetScene(sceneName);
  Position = startPosition;
  LifeSpan = lifeSpan;
  PlayMethod = playMethod;
  Direction = direction;
  EndOfReelMethod = endOfReelMethod;
  Reserved = reserved;
}

void Tvt6Projector::QuickInit(std::string_view reelName, std::string_view sceneName,
                              int32_t lifeSpan) {
  SetReel(reelName);
  SetScene(sceneName);
  Position = 0;
  LifeSpan = lifeSpan;
  PlayMethod = pmLoop;
  Direction = dirForward;
  EndOfReelMethod = eorNothing;
  Reserved = 0;
}

void Tvt6Projector::SetReel(std::string_view name) {
  ReelName = name;
  Scene = nullptr;
  if (AnimationEngine && !ReelName.empty() && !SceneName.empty())
    Scene = AnimationEngine->GetScene(ReelName, SceneName);
}

void Tvt6Projector::SetScene(std::string_view name) {
  SceneName = name;
  Scene = AnimationEngine ? AnimationEngine->GetScene(ReelName, SceneName) : nullptr;
}

const TImageItem& Tvt6Projector::ImageItem(int32_t index) const {
  if (!ImageList) throw std::logic_error("the projector has no image list");
  if (index < 0 || index >= ImageList->Count())
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return ImageList->Item(index);
}

bool Tvt6Projector::PositionInScene() const {
  return Scene && Position >= 0 && Position < Scene->FrameCount();
}

void Tvt6Projector::Draw_Image(int32_t x, int32_t y, int32_t alpha, int32_t angle, int32_t scaleX,
                               int32_t scaleY, double centerX, double centerY) {
  if (Finished || !Scene) return;
  try {
    const int count = Scene->FrameCount();
    if (Position >= count) Position = count - 1;
    if (Position < 0) Position = 0;
    const Tvt6Frame* frame = Scene->Frame(Position);
    if (!frame) throw std::out_of_range("the scene \"" + Scene->Name + "\" has no frames");
    if (frame->ImageIndex < 0) {
      fLog.Log("Warning!\rProjector.Draw_Image could not locate image named \"" + frame->ImageName +
               "\" in the current list of BMPs!");
      return;
    }
    const TImageItem& item = ImageItem(frame->ImageIndex);
    alpha = Resolve(alpha, frame->Alpha);
    angle = Resolve(angle, frame->Angle);
    scaleX = Resolve(scaleX, frame->ScaleX);
    scaleY = Resolve(scaleY, frame->ScaleY);
    centerX = Resolve(centerX, frame->CenterX);
    centerY = Resolve(centerY, frame->CenterY);

    int32_t width = 0, height = 0;
    try {
      width = ScaledSide(item.Width(), scaleX);
      height = ScaledSide(item.Height(), scaleY);
    } catch (const std::exception& e) {
      fLog.Log(std::string("Projector Error!\rDraw_Image:CalcActual reports the following error:") +
               e.what());
    }

    // The cheapest operation the values allow, first match wins.
    const bool scaled = scaleX != 100 || scaleY != 100;
    const char* label;
    uint8_t mode;
    if (angle != 0) {
      label = "DrawSlowest";
      mode = Tvt6ProjectorRecFrame::RotatedBlend;
    } else if (scaled && alpha < 255) {
      label = "DrawScaledSlowest";
      mode = Tvt6ProjectorRecFrame::RotatedBlend;
    } else if (scaled && alpha == 255) {
      label = "DrawAlphaBlend";
      mode = Tvt6ProjectorRecFrame::Stretched;
    } else if (alpha < 255) {
      label = "DrawFastTransparency";
      mode = Tvt6ProjectorRecFrame::AlphaBlend;
    } else {
      label = "DrawFastest";
      mode = Tvt6ProjectorRecFrame::Plain;
    }

    try {
      Fire(OnBeforeDraw);
      DrawInMode(mode, frame->ImageIndex, x, y, width, height, centerX, centerY, angle, alpha);
      WriteFrameRec(frame->ImageName, x, y, alpha, angle, width, height, centerX, centerY, mode);
      Fire(OnAfterDraw);
    } catch (const std::exception& e) {
      fLog.Log(std::string("Projector Error!\rDraw_Image:") + label +
               " reports the following error: " + e.what());
    }
  } catch (const std::exception& e) {
    fLog.Log(std::string("Projector Object Error!\rImageObject.Draw_Image reports the following "
                         "error:\r") +
             e.what());
  }
}

void Tvt6Projector::Draw_Centered(int32_t x, int32_t y, int32_t alpha, int32_t angle,
                                  int32_t scaleX, int32_t scaleY, double centerX, double centerY) {
  if (!PositionInScene() || !ImageList) return;
  const int32_t index = Scene->Frame(Position)->ImageIndex;
  if (index < 0 || index >= ImageList->Count()) return;
  const TImageItem& item = ImageList->Item(index);
  Draw_Image(SaturatedSub(x, item.Width() / 2), SaturatedSub(y, item.Height() / 2), alpha, angle,
             scaleX, scaleY, centerX, centerY);
}

void Tvt6Projector::Draw_Plain_Image(int32_t imageIndex, int32_t x, int32_t y) {
  try {
    ImageItem(imageIndex);
    ImageList->Draw(imageIndex, x, y);
  } catch (const std::exception& e) {
    fLog.Log(std::string("Projector Error!\rDraw_Plain_Image reports the following error:") +
             e.what());
  }
}

void Tvt6Projector::Draw_FromFrameRec(const Tvt6ProjectorRecFrame& record) {
  if (!ImageList) return;
  const int32_t index = ImageList->IndexOf(record.ImageName);
  if (index < 0) return;
  DrawInMode(record.Mode, index, record.X, record.Y, record.Width, record.Height, record.CenterX,
             record.CenterY, record.Angle, record.Alpha);
}

void Tvt6Projector::DrawInMode(uint8_t mode, int32_t index, int32_t x, int32_t y, int32_t width,
                               int32_t height, double centerX, double centerY, int32_t angle,
                               int32_t alpha) {
  switch (mode) {
    case Tvt6ProjectorRecFrame::RotatedBlend:
      ImageList->DrawRotateAlpha(index, x, y, width, height, centerX, centerY, angle, alpha);
      break;
    case Tvt6ProjectorRecFrame::Stretched:
      ImageList->StretchDraw(index, Bounds(x, y, width, height));
      break;
    case Tvt6ProjectorRecFrame::AlphaBlend:
      ImageList->DrawAlpha(index, Bounds(x, y, width, height), alpha);
      break;
    case Tvt6ProjectorRecFrame::Plain:
      ImageList->Draw(index, x, y);
      break;
    default:
      break;
  }
}

void Tvt6Projector::WriteFrameRec(const std::string& imageName, int32_t x, int32_t y, int32_t alpha,
                                  int32_t angle, int32_t width, int32_t height, double centerX,
                                  double centerY, uint8_t mode) {
  FrameRec.ImageName = imageName;
  FrameRec.Mode = mode;
  FrameRec.X = x;
  FrameRec.Y = y;
  FrameRec.Alpha = alpha;
  FrameRec.Angle = angle;
  FrameRec.Width = width;
  FrameRec.Height = height;
  FrameRec.CenterX = centerX;
  FrameRec.CenterY = centerY;
}

void Tvt6Projector::Advance_Film() {
  if (Direction == dirForward)
    ++Position;
  else if (Direction == dirBackward)
    --Position;
  CheckPosition();
  if (Finished || LifeSpan >= NotSet) return;
  --LifeSpan;
  if (LifeSpan >= 1) return;
  Finished = true;
  try {
    Fire(OnFinished);
    Fire(OnLifeSpanEnd);
  } catch (const std::exception& e) {
    fLog.Log(std::string("Projector Error!\rAdvance_Film: LifeSpanCheck reports the following "
                         "error:") +
             e.what());
  }
}

void Tvt6Projector::CheckPosition() {
  if (!Scene) {
    Position = 0;
    return;
  }
  auto outside = [this] { return !PositionInScene(); };
  const int32_t last = Scene->FrameCount() - 1;

  if (!Finished && outside()) {
    try {
      switch (EndOfReelMethod) {
        case eorFinish:
          Finished = true;
          Fire(OnFinished);
          break;
        case eorNotify:
          Fire(OnEndOfReel);
          break;
        case eorHold:
          PlayMethod = pmHold;
          Position = Position < 0 ? 0 : last;
          Fire(OnSceneEnd);
          break;
        default:
          break;
      }
    } catch (const std::exception& e) {
      fLog.Log(std::string("CheckPositon Error\rAn Exception occurred while processing end of "
                           "Reel Method\r") +
               e.what());
    }
  }

  if (!Finished && outside()) {
    try {
      switch (PlayMethod) {
        case pmLoop:
          Position = Position < 0 ? last : 0;
          Fire(OnLoop);
          break;
        case pmPingPong:
          if (Position < 0) {
            Position = 0;
            Direction = dirForward;
          } else {
            Position = last;
            Direction = dirBackward;
          }
          Fire(OnLoop);
          Fire(OnReverse);
          break;
        case pmPlayOnce:
          Finished = true;
          Position = 0;
          Fire(OnFinished);
          break;
        case pmPingPongOnce:
          if (Bounced) {
            Finished = true;
            Fire(OnFinished);
            Fire(OnSceneEnd);
            break;
          }
          Bounced = true;
          Fire(OnSceneEnd);
          Fire(OnReverse);
          if (Position < 0) {
            Position = 0;
            Direction = dirForward;
          } else {
            Position = last < 0 ? 0 : last;
            Direction = dirBackward;
          }
          break;
        default:
          break;
      }
    } catch (const std::exception& e) {
      fLog.Log(std::string("CheckPositon Error\rAn Exception occurred while processing Play "
                           "Method\r") +
               e.what());
    }
  }
}

void Tvt6Projector::GetDims(int32_t& width, int32_t& height) {
  width = 0;
  height = 0;
  if (!PositionInScene()) return;
  try {
    const TImageItem& item = ImageItem(Scene->Frame(Position)->ImageIndex);
    width = item.Width();
    height = item.Height();
  } catch (const std::exception& e) {
    fLog.Log(std::string("Tvt6Projector:GetDims reports the following error:\r") + e.what());
  }
}

}  // namespace quellix
