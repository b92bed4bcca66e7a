// Loading the game's own image archive (the run folder's "sprites.vtg") on the headless
// back end: reading and checking the file, decoding its pictures on one thread (as
// start-up used to) and on every processor, and the whole image list load, decoded
// both ways, textures included.
#include <benchmark/benchmark.h>

#include <string>

#include "graphics/vtArchive.h"
#include "media/vtDecodePictures.h"
#include "media/vtHeadlessPlatform.h"

namespace quellix::media {
namespace {

const std::string ArchivePath = std::string(QUELLIX_RUN_DIR) + "/sprites.vtg";

void ReadAndCheck(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadArchive(ArchivePath, TArchiveKind::Images));
}

void Decode(benchmark::State& state) {
  const TArchive archive = ReadArchive(ArchivePath, TArchiveKind::Images);
  const auto threads = static_cast<unsigned>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(DecodePictures(archive, ArchivePath, threads));
  state.counters["pictures"] = static_cast<double>(archive.Entries.size());
}

void LoadImageList(benchmark::State& state) {
  THeadlessPlatform platform({.ExeDir = "./", .AudioDriver = "none"});
  platform.SdlImages().SetDecodeThreads(static_cast<unsigned>(state.range(0)));
  for (auto _ : state) platform.ImageList().LoadFromFile(ArchivePath);
}

BENCHMARK(ReadAndCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(Decode)->Arg(1)->Arg(DecodeThreads())->ArgName("threads")->Unit(benchmark::kMillisecond);
BENCHMARK(LoadImageList)
    ->Arg(1)
    ->Arg(DecodeThreads())
    ->ArgName("threads")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quellix::media

BENCHMARK_MAIN();
