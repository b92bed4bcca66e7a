#include "media/vtDecodePictures.h"

#include <SDL_image.h>

#include <algorithm>
#include <atomic>
#include <exception>

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
  // Items are taken in index order, and a taken item is always finished: when one
  // fails, every item before it has been decoded or has failed too, so the first error
  // in item order is the one a one-by-one decode would have met first.
  auto work = [&] {
    while (!failed.load(std::memory_order_relaxed)) {
      const size_t i = next.fetch_add(1, std::memory_order_relaxed);
      if (i >= count) return;
      try {
        pictures[i] = DecodePicture(archive.Payload(i), archive.Entries[i].Image, file);
      } catch (...) {
        errors[i] = std::current_exception();
        failed.store(true, std::memory_order_relaxed);
      }
    }
  };
  // SDL_image loads its PNG reader on first use; that happens here, on one thread, so
  // the helpers find it ready.
  IMG_Init(IMG_INIT_PNG);
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

}  // namespace quellix::media
