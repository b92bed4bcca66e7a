#include "media/vtDecodePictures.h"

#include <algorithm>
#include <atomic>
#include <exception>
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

TArchivePrefetch::TArchivePrefetch(std::string path, unsigned threads)
    : fPath(std::move(path)), fThreads(threads) {
  // The file is read and its first picture decoded here, on the caller's thread, before
  // the caller goes on to start more of SDL beside the work: SDL sets up what it keeps
  // for later on first use and without locks (see DecodePictures).
  try {
    fResult.Archive = ReadArchive(fPath, TArchiveKind::Images);
    if (!fResult.Archive.Entries.empty())
      DecodePicture(fResult.Archive.Payload(0), fResult.Archive.Entries[0].Image, fPath);
  } catch (...) {
    fError = std::current_exception();
    return;
  }
  TraceStartup("image archive read, first picture decoded");
  const auto run = [](void* self) {
    auto& prefetch = *static_cast<TArchivePrefetch*>(self);
    try {
      prefetch.fResult.Pictures =
          DecodePictures(prefetch.fResult.Archive, prefetch.fPath, prefetch.fThreads);
    } catch (...) {
      prefetch.fError = std::current_exception();
    }
    TraceStartup("pictures decoded in the background");
    return 0;
  };
  fThread = SDL_CreateThread(run, "prefetch", this);
  if (!fThread) run(this);  // no thread to be had: the work is done now instead
}

TArchivePrefetch::~TArchivePrefetch() {
  Wait();
}

void TArchivePrefetch::Wait() {
  if (fThread) SDL_WaitThread(fThread, nullptr);
  fThread = nullptr;
}

TDecodedArchive TArchivePrefetch::Take() {
  Wait();
  if (fTaken) throw std::logic_error(fPath + ": the prefetched pictures were taken already");
  fTaken = true;
  if (fError) std::rethrow_exception(fError);
  return std::move(fResult);
}

}  // namespace quellix::media
