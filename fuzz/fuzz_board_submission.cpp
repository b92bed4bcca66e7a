// The board's reader of games sent: whatever the bytes, a submission or a refusal with
// an HTTP status of the 4xx kind, never a bad read. A submission is within the limits,
// and its digest is that of the game as written again. The bytes are tried as they are
// and again with a matching check line after them, each against data digests of no game
// and against the digests the bytes name themselves, so the fuzzer gets past both
// checks into every later one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "shell/vtReplayFile.h"
#include "vtSubmission.h"

namespace {

using namespace quellix;

constexpr board::TBoardLimits Limits{size_t{1} << 20u, 100'000};

void Read(std::string_view body, const std::vector<TDataDigest>& data) {
  board::TSubmission submission;
  try {
    submission = board::ReadSubmission(body, Limits, data);
  } catch (const board::TRefusal& refusal) {
    if (refusal.Status() < 400 || refusal.Status() > 499 || std::string(refusal.what()).empty())
      std::abort();
    return;
  }
  if (body.size() > Limits.MaxBytes || submission.Replay.TickCount() > Limits.MaxTicks ||
      submission.Replay.Data != data)
    std::abort();
  const TReplay again = ReadReplay(WriteReplay(submission.Replay), "again.replay");
  if (board::GameDigest(again) != submission.Digest) std::abort();
}

void ReadBoth(std::string_view body) {
  Read(body, std::vector<TDataDigest>(GameDataFiles.size()));
  try {
    Read(body, ReadReplay(body, "own.replay").Data);
  } catch (const TReplayError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  ReadBoth(body);
  const std::string text(body);
  ReadBoth(text + "end " + DigestText(Fnv1a(text)) + "\n");
  return 0;
}
