// What the fuzz targets share: a window system that only counts its message boxes, a
// display that draws nothing, a reader over the fuzzer's bytes, an engine context and
// a file to hand the readers that take a path.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include "base/vtRandom.h"
#include "graphics/vtContext.h"
#include "graphics/vtMedia.h"
#include "graphics/vtPlatform.h"
#include "shell/vtErrorLogger.h"

namespace quellix::fuzz {

class TQuietWindow final : public IWindowSystem {
 public:
  std::string ExeDir() const override { return "./"; }
  void ProcessMessages() override {}
  void HideCursor() override {}
  void ShowProgress(std::string_view, int32_t, int32_t) override {}
  void FreeProgress() override {}
  void ShowMessage(std::string_view) override { ++Messages; }
  void ShowModal(IModalWindow&, std::function<void()>) override {}
  void CloseMainWindow() override {}
  int Messages = 0;
};

class TNullCanvas final : public ITextCanvas {
 public:
  void TextOut(int32_t, int32_t, std::string_view) override { ++Texts; }
  void TextRect(const TRect&, int32_t, int32_t, std::string_view) override { ++Texts; }
  int32_t TextWidth(std::string_view text) override { return static_cast<int32_t>(text.size()); }
  int32_t TextHeight(std::string_view) override { return 20; }
  void Release() override {}
  int Texts = 0;
};

class TNullDisplay final : public IDisplay {
 public:
  void Fill(TColor) override {}
  void FillRect(const TRect&, TColor) override {}
  ITextCanvas& Canvas() override { return CanvasNull; }
  void Flip() override {}
  TNullCanvas CanvasNull;
};

// The log (in memory, with a fixed stamp), the generator and the window of an engine.
struct TFuzzContext {
  TfrmErrorLog Log{[] { return std::string("fuzz"); }};
  TRandom Random{1};
  TQuietWindow Window;
  TVintorContext Context{Log, Random, Window};
};

// Reads the fuzzer's bytes front to back; past the end everything reads as 0.
class TByteReader {
 public:
  explicit TByteReader(std::span<const uint8_t> bytes) : fBytes(bytes) {}
  uint8_t U8() { return fPos < fBytes.size() ? fBytes[fPos++] : 0; }
  int32_t I32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t{U8()} << (8 * i);
    return static_cast<int32_t>(v);
  }
  std::span<const uint8_t> Bytes(size_t n) {
    n = std::min(n, fBytes.size() - fPos);
    const auto taken = fBytes.subspan(fPos, n);
    fPos += n;
    return taken;
  }
  bool AtEnd() const { return fPos >= fBytes.size(); }

 private:
  std::span<const uint8_t> fBytes;
  size_t fPos = 0;
};

// A file of this process for the readers that take a path.
inline std::string ScratchFile(const char* name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/quellix-fuzz-" + std::to_string(::getpid()) +
         "-" + name;
}

inline void WriteFile(const std::string& path, std::span<const uint8_t> bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace quellix::fuzz
