// Decoding every picture of an image archive on several threads at once: the pictures
// do not depend on one another, and decoding them is most of what loading the image
// list costs. The result and the error raised are those of decoding one by one. The
// whole of it (reading, checking, decoding) can also run in the background, begun
// while the window opens, which is mostly waiting.
#pragma once

#include <SDL.h>

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/vtArchive.h"
#include "media/vtSdlHandles.h"

namespace quellix::media {

// Threads worth decoding on here: one per processor, at least 1, at most 8.
unsigned DecodeThreads();

// Each image payload decoded by DecodePicture, in item order, on up to `threads`
// threads (the caller's among them; 0 counts as 1). When items fail, the error of the
// first of them in item order is raised, as decoding one by one would raise it.
std::vector<TSurfacePtr> DecodePictures(const TArchive& archive, std::string_view file,
                                        unsigned threads);

struct TDecodedArchive {
  TArchive Archive;
  std::vector<TSurfacePtr> Pictures;  // one for each entry, in item order
};

// The image archive read, checked and decoded; raises as ReadArchive and DecodePictures.
TDecodedArchive DecodeArchive(const std::string& path, unsigned threads);

// DecodeArchive on a thread of its own from construction on.
class TArchivePrefetch {
 public:
  TArchivePrefetch(std::string path, unsigned threads);
  // Waits for the work when it was not taken.
  ~TArchivePrefetch();
  TArchivePrefetch(const TArchivePrefetch&) = delete;
  TArchivePrefetch& operator=(const TArchivePrefetch&) = delete;

  const std::string& Path() const { return fPath; }
  // Waits for the work, then gives its result or raises what it raised. Once only.
  TDecodedArchive Take();

 private:
  void Wait();

  std::string fPath;
  unsigned fThreads;
  TDecodedArchive fResult;
  std::exception_ptr fError;
  SDL_Thread* fThread = nullptr;
  bool fTaken = false;
};

}  // namespace quellix::media
