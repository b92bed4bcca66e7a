// The platform a watched replay plays on: the running game's display, image list and
// sound list, with nothing of its own to load and nothing of the window system to show.
// Drawing can be switched off for the ticks that are run but not shown: their draws and
// sounds are dropped while every measure (an image's size, a text's width) still
// answers, so the game cannot tell. Just before a shown tick's flip the watcher draws its
// line over the picture. The window system's requests end in the watcher's log: the
// progress window, the pointer and messages have no place there, and a modal window (a
// session's name entry) cannot be shown without stopping the game that runs it, so the
// watching ends there.
#pragma once

#include <functional>
#include <string>

#include "graphics/vtCanvasRelay.h"
#include "graphics/vtPlatform.h"

namespace quellix {

class TWatchPlatform : public IPlatform {
 public:
  // live: the running game's platform; soundOn says whether the game plays sounds now;
  // beforeFlip draws over a shown tick.
  TWatchPlatform(IPlatform& live, std::function<bool()> soundOn,
                 std::function<void(IDisplay&)> beforeFlip,
                 std::function<void(const std::string&)> note);

  void SetDrawing(bool on) { fDrawing = on; }
  bool Drawing() const { return fDrawing; }
  // The replay wanted to close its window, or to show a modal window.
  bool CloseAsked() const { return fCloseAsked; }
  bool ModalAsked() const { return fModalAsked; }

  std::string ExeDir() const override { return fLive.ExeDir(); }
  void ProcessMessages() override {}
  void HideCursor() override {}
  void ShowProgress(std::string_view, int32_t, int32_t) override {}
  void FreeProgress() override {}
  void ShowMessage(std::string_view text) override { fNote(std::string(text)); }
  void ShowModal(IModalWindow& window) override;
  void CloseMainWindow() override { fCloseAsked = true; }
  void AttachLog(std::function<void(const std::string&)>) override {}
  TDisplayMode DisplayMode() const override { return fLive.DisplayMode(); }
  IDisplay& Display() override { return fDisplay; }
  IImageList& ImageList() override { return fImages; }
  ISoundList& SoundList() override { return fSounds; }
  IInput& Input() override { return fInput; }

 private:
  class TDisplay : public IDisplay {
   public:
    explicit TDisplay(TWatchPlatform& owner);
    void Fill(TColor color) override;
    void FillRect(const TRect& rect, TColor color) override;
    ITextCanvas& Canvas() override { return fCanvas; }
    void Flip() override;
    IFrameNotes* FrameNotes() override;

   private:
    class TCanvas : public TCanvasRelay {
     public:
      TCanvas(TWatchPlatform& owner, ITextCanvas& live) : TCanvasRelay(live), fOwner(owner) {}
      void TextOut(int32_t x, int32_t y, std::string_view text) override;
      void TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) override;

     private:
      TWatchPlatform& fOwner;
    };
    TWatchPlatform& fOwner;
    TCanvas fCanvas;
  };

  class TImages : public IImageList {
   public:
    explicit TImages(TWatchPlatform& owner) : fOwner(owner) {}
    void LoadFromFile(const std::string&) override {}
    int32_t Count() const override { return Live().Count(); }
    const TImageItem& Item(int32_t index) const override { return Live().Item(index); }
    int32_t IndexOf(std::string_view name) const override { return Live().IndexOf(name); }
    void Draw(int32_t index, int32_t x, int32_t y) override;
    void StretchDraw(int32_t index, const TRect& rect) override;
    void DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) override;
    void DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width, int32_t height,
                         double centreX, double centreY, int32_t angle, int32_t alpha) override;
    TColorTable MakeColorTable() const override { return Live().MakeColorTable(); }

   private:
    IImageList& Live() const { return fOwner.fLive.ImageList(); }
    TWatchPlatform& fOwner;
  };

  class TSounds : public ISoundList {
   public:
    explicit TSounds(TWatchPlatform& owner) : fOwner(owner) {}
    void LoadFromFile(const std::string&) override {}
    int32_t Count() const override { return Live().Count(); }
    const TSoundItem& Item(int32_t index) const override { return Live().Item(index); }
    int32_t IndexOf(std::string_view name) const override { return Live().IndexOf(name); }
    TSoundInstance Play(int32_t index) override;
    void Stop(TSoundInstance instance) override { Live().Stop(instance); }
    void StopAll() override { Live().StopAll(); }

   private:
    ISoundList& Live() const { return fOwner.fLive.SoundList(); }
    TWatchPlatform& fOwner;
  };

  // The player of replays gives the game the recorded polls; nothing live is read.
  class TNoInput : public IInput {
   public:
    void Update() override {}
    bool MouseButton0() const override { return false; }
    int32_t MouseX() const override { return 0; }
    int32_t MouseY() const override { return 0; }
  };

  IPlatform& fLive;
  std::function<bool()> fSoundOn;
  std::function<void(IDisplay&)> fBeforeFlip;
  std::function<void(const std::string&)> fNote;
  TDisplay fDisplay{*this};
  TImages fImages{*this};
  TSounds fSounds{*this};
  TNoInput fInput;
  bool fDrawing = true;
  bool fCloseAsked = false;
  bool fModalAsked = false;
};

}  // namespace quellix
