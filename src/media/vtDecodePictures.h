// Decoding every picture of an image archive on several threads at once: the pictures
// do not depend on one another, and decoding them is most of what loading the image
// list costs. The result and the error raised are those of decoding one by one. The
// reading can also run in the background while the window opens, which is mostly
// waiting, and the decoding beside the title screen.
#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <exception>
#include <fstream>
#include <memory>
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

// The image archive opened at construction and read on a thread of its own (while the
// window opens), and its pictures decoded beside whatever runs once asked to (when the
// title shows): nothing waits for the pictures, a picture asked for before its turn is
// decoded by whoever asks. Where no thread is to be had, the archive is read at
// construction and each picture is decoded where it is asked for.
class TArchivePrefetch {
 public:
  // `threads`: the most threads DecodeBeside starts.
  TArchivePrefetch(std::string path, unsigned threads);
  // Stops the decoding (a picture begun is finished) and waits for the threads.
  ~TArchivePrefetch();
  TArchivePrefetch(const TArchivePrefetch&) = delete;
  TArchivePrefetch& operator=(const TArchivePrefetch&) = delete;

  const std::string& Path() const { return fPath; }
  // The archive, or what reading it raised; waits for the reading.
  const TArchive& Archive();
  // Starts the threads that decode the pictures in item order (the first call only).
  void DecodeBeside();
  // Where no thread is to be had, the loop's spare time before the list takes the
  // pictures: decodes them here in item order until the performance counter reaches
  // `until`. Whether some are still to decode here.
  bool DecodeHere(uint64_t until);
  // Item i's picture, once: the one decoded beside when it is done, else decoded here
  // and now. Raises as DecodePicture.
  TSurfacePtr TakePicture(size_t i);

 private:
  enum TState : uint8_t { Waiting, Decoding, Decoded, Taken };
  struct TSlot {
    std::atomic<uint8_t> State{Waiting};
    // Written by the thread that moved the state to Decoding, before Decoded.
    TSurfacePtr Picture;
    std::exception_ptr Error;
  };
  void Read();
  void WaitForReading();
  void DecodeInTurn();
  // Decodes the next picture in item order that no asker took first; false when none is
  // left.
  bool DecodeNext();

  std::string fPath;
  unsigned fThreads;
  std::ifstream fFile;
  TArchive fArchive;
  std::exception_ptr fReadError;
  std::unique_ptr<TSlot[]> fSlots;
  std::atomic<size_t> fNext{0};
  std::atomic<bool> fStop{false};
  SDL_Thread* fReader = nullptr;
  std::vector<SDL_Thread*> fDecoders;
  bool fDecoding = false;
};

}  // namespace quellix::media
