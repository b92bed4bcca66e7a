// What a simulated game runs on: a platform driven by the simulator, which runs the ticks
// itself, injects the mouse and types into the name window between them. Two kinds: a quiet one
// that draws nothing (the fast mode) and one that draws every frame with the headless renderer.
// Window-system requests (progress, pointer, messages) have no window to go to; a message
// box goes to the game's log. What the back end notes about the machine (a typeface it
// lacks) goes to the game's log as well, and is remembered so it is not taken for an
// error of the game's.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "graphics/vtModalStack.h"
#include "graphics/vtPlatform.h"

namespace quellix::sim {

class TSimPlatform : public IPlatform {
 public:
  std::string ExeDir() const override { return fExeDir; }
  void ProcessMessages() override {}
  void HideCursor() override {}
  void ShowProgress(std::string_view, int32_t, int32_t) override {}
  void FreeProgress() override {}
  void ShowMessage(std::string_view text) override;
  // The window stays open, beneath it the ticks go on, until the simulator has typed
  // into Modal() what closes it and called EndClosedModals.
  void ShowModal(IModalWindow& window, std::function<void()> closed) override;
  // The name window open now; none when there is none.
  virtual IModalWindow* Modal() const { return fModals.Top(); }
  // Takes down the modal windows that have closed (every one once the game has asked
  // to quit) and calls back their owners; after every tick and key the simulator
  // delivers.
  virtual void EndClosedModals() { fModals.EndClosed(fCloseRequested); }
  void CloseMainWindow() override { fCloseRequested = true; }
  void AttachLog(std::function<void(const std::string&)> log) override { fLog = std::move(log); }

  // Motion and the left button, delivered by the next poll.
  virtual void SetMouse(int32_t dx, int32_t dy, bool button0) = 0;
  // Whether frames can be drawn; only then are the three below of use.
  virtual bool Draws() const = 0;
  // Frames are drawn while on (from the start), not while off: a run may draw only the
  // frames it looks at.
  virtual void DrawFrames(bool /*on*/) {}
  // The latest frame as a PNG file.
  virtual void SavePng(const std::string& path) = 0;
  // A digest of the latest frame's pixels.
  virtual uint64_t ScreenDigest() = 0;

  bool CloseRequested() const { return fCloseRequested; }
  // The back end's notes written to the log so far.
  const std::set<std::string>& Notes() const { return fNotes; }

 protected:
  explicit TSimPlatform(std::string exeDir) : fExeDir(std::move(exeDir)) {}
  void Log(const std::string& line) const {
    if (fLog) fLog(line);
  }
  // Where the back end writes its notes.
  std::function<void(const std::string&)> NoteSink() {
    return [this](const std::string& line) {
      fNotes.insert(line);
      Log(line);
    };
  }

 private:
  std::string fExeDir;
  std::function<void(const std::string&)> fLog;
  bool fCloseRequested = false;
  std::set<std::string> fNotes;
  TModalStack fModals;
};

// The fast mode's platform, or the drawing one; exeDir with its trailing separator.
std::unique_ptr<TSimPlatform> MakeQuietPlatform(const std::string& exeDir);
std::unique_ptr<TSimPlatform> MakeDrawingPlatform(const std::string& exeDir);

}  // namespace quellix::sim
