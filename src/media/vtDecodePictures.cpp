#include "media/vtDecodePictures.h"

#include <SDL_image.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "base/vtStartupTrace.h"
#include "media/vtPayloads.h"

namespace quellix::media {

namespace {
constexpr unsigned MaxDecodeThreads = 8;
}  // namespace

unsigned DecodeThreads() {
  return std::clamp(static_cast<unsigned>(SDL_GetCPUCount()), 1u, MaxDecodeThreads);
}

std::vector<TSurfacePtr> DecodePictures(const TArchive& archive, std::string_view file,
                                        unsigned threads) {
  const size_t count = archive.Entries.size();
  std::vector<TSurfacePtr> pictures(count);
  std::vector<std::exception_ptr> errors(count);
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  const auto decode = [&](size_t i) {
    try {
      pictures[i] = DecodePicture(archive.Payload(i), archive.Entries[i].Image, file);
    } catch (...) {
      errors[i] = std::current_exception();
      failed.store(true, std::memory_order_relaxed);
    }
  };
  // Items are taken in index order, and a taken item is always finished: when one
  // fails, every item before it has been decoded or has failed too, so the first error
  // in item order is the one a one-by-one decode would have met first.
  auto work = [&] {
    while (!failed.load(std::memory_order_relaxed)) {
      const size_t i = next.fetch_add(1, std::memory_order_relaxed);
      if (i >= count) return;
      decode(i);
    }
  };
  // SDL and SDL_image set up what they keep for later (the processor's features, the
  // blitters chosen by them, the PNG reader) on first use and without locks: the first
  // picture is decoded alone, before any helper starts.
  if (count > 0) {
    next = 1;
    decode(0);
  }
  // The helpers are SDL's own threads: SDL keeps an error text for each thread that
  // meets an error, and frees it when one of its own threads ends, not another kind.
  const auto run = [](void* job) {
    (*static_cast<decltype(work)*>(job))();
    return 0;
  };
  std::vector<SDL_Thread*> helpers;
  const size_t wanted = std::min<size_t>(std::max(threads, 1u), count);
  helpers.reserve(wanted);
  for (size_t t = 1; t < wanted; ++t) {
    SDL_Thread* helper = SDL_CreateThread(run, "decode", &work);
    if (!helper) break;  // no more threads to be had: the ones running finish the work
    helpers.push_back(helper);
  }
  work();
  for (SDL_Thread* helper : helpers) SDL_WaitThread(helper, nullptr);
  for (const std::exception_ptr& error : errors)
    if (error) std::rethrow_exception(error);
  return pictures;
}

TDecodedArchive DecodeArchive(const std::string& path, unsigned threads) {
  TDecodedArchive decoded{ReadArchive(path, TArchiveKind::Images), {}};
  decoded.Pictures = DecodePictures(decoded.Archive, path, threads);
  return decoded;
}

namespace {

// SDL and SDL_image set up what they keep for later (the processor's features, the
// blitters chosen by them, the PNG reader) on first use and without locks: one
// conversion of a single pixel and the PNG reader's start here, on the caller's thread,
// before any other thread decodes beside it.
void SetUpDecoding() {
  IMG_Init(IMG_INIT_PNG);
  const TSurfacePtr pixel(SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_ABGR8888));
  if (pixel) SDL_FreeSurface(SDL_ConvertSurfaceFormat(pixel.get(), SDL_PIXELFORMAT_ARGB8888, 0));
}

}  // namespace

TArchivePrefetch::TArchivePrefetch(std::string path, unsigned threads)
    : fPath(std::move(path)), fThreads(threads) {
  // Opened here, read beside: what is read is the file as it was now.
  try {
    fFile = OpenArchive(fPath);
  } catch (...) {
    fReadError = std::current_exception();
    return;
  }
  SetUpDecoding();
  // Threads of SDL's own, which free SDL's per-thread error text when they end.
  fReader = SDL_CreateThread(
      [](void* self) {
        static_cast<TArchivePrefetch*>(self)->Read();
        return 0;
      },
      "prefetch", this);
  if (!fReader) Read();  // no thread to be had: read now
}

TArchivePrefetch::~TArchivePrefetch() {
  fStop = true;
  WaitForReading();
  for (SDL_Thread* decoder : fDecoders) SDL_WaitThread(decoder, nullptr);
}

void TArchivePrefetch::Read() {
  try {
    fArchive = ReadArchive(fFile, fPath, TArchiveKind::Images);
    fFile.close();
    fSlots = std::make_unique<TSlot[]>(fArchive.Entries.size());
    TraceStartup("image archive read");
  } catch (...) {
    fReadError = std::current_exception();
  }
}

void TArchivePrefetch::WaitForReading() {
  if (fReader) SDL_WaitThread(fReader, nullptr);
  fReader = nullptr;
}

const TArchive& TArchivePrefetch::Archive() {
  WaitForReading();
  if (fReadError) std::rethrow_exception(fReadError);
  return fArchive;
}

void TArchivePrefetch::DecodeBeside() {
  if (fDecoding) return;
  fDecoding = true;
  WaitForReading();
  if (fReadError) return;
  for (unsigned t = 0; t < fThreads; ++t) {
    SDL_Thread* decoder = SDL_CreateThread(
        [](void* self) {
          static_cast<TArchivePrefetch*>(self)->DecodeInTurn();
          return 0;
        },
        "decode", this);
    if (!decoder) break;  // the ones running, and whoever asks, do the rest
    fDecoders.push_back(decoder);
  }
}

bool TArchivePrefetch::DecodeHere(uint64_t until) {
  if (fThreads > 0) return false;  // decoded beside, once asked to
  WaitForReading();
  if (fReadError) return false;
  while (SDL_GetPerformanceCounter() < until)
    if (!DecodeNext()) return false;
  return fNext < fArchive.Entries.size();
}

void TArchivePrefetch::DecodeInTurn() {
  while (!fStop && DecodeNext()) {
  }
}

// One an asker took while it was being decoded here is let go.
bool TArchivePrefetch::DecodeNext() {
  const size_t i = fNext.fetch_add(1);
  if (i >= fArchive.Entries.size()) return false;
  TSlot& slot = fSlots[i];
  uint8_t state = Waiting;
  if (!slot.State.compare_exchange_strong(state, Decoding)) return true;
  try {
    slot.Picture = DecodePicture(fArchive.Payload(i), fArchive.Entries[i].Image, fPath);
  } catch (...) {
    slot.Error = std::current_exception();
  }
  state = Decoding;
  if (!slot.State.compare_exchange_strong(state, Decoded)) {
    slot.Picture.reset();
    slot.Error = nullptr;
  }
  return true;
}

TSurfacePtr TArchivePrefetch::TakePicture(size_t i) {
  const TArchive& archive = Archive();
  if (i >= archive.Entries.size())
    throw std::out_of_range(fPath + ": no item " + std::to_string(i));
  TSlot& slot = fSlots[i];
  uint8_t state = slot.State.load();
  while (true) {
    if (state == Taken) throw std::logic_error(fPath + ": a prefetched picture was taken already");
    if (state == Decoded) {
      slot.State = Taken;
      if (slot.Error) std::rethrow_exception(slot.Error);
      return std::move(slot.Picture);
    }
    // Not there yet: decoded here rather than waited for.
    if (slot.State.compare_exchange_weak(state, Taken))
      return DecodePicture(archive.Payload(i), archive.Entries[i].Image, fPath);
  }
}

}  // namespace quellix::media
