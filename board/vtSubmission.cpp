#include "vtSubmission.h"

#include "shell/vtReplayPlayer.h"

namespace quellix::board {

namespace {

constexpr const char* SubmissionName = "the game sent";

std::string Mebibytes(size_t bytes) {
  return std::to_string(bytes / (size_t{1} << 20u)) + "." +
         std::to_string((bytes % (size_t{1} << 20u)) * 10 / (size_t{1} << 20u)) + " MiB";
}

}  // namespace

uint64_t GameDigest(const TReplay& replay) {
  TReplay played = replay;
  played.Options.clear();
  return Fnv1a(WriteReplay(played));
}

TSubmission ReadSubmission(std::string_view body, const TBoardLimits& limits,
                           const std::vector<TDataDigest>& boardData) {
  if (body.size() > limits.MaxBytes)
    throw TRefusal(413, "the game is " + Mebibytes(body.size()) + "; this board takes at most " +
                            Mebibytes(limits.MaxBytes));
  TSubmission submission;
  try {
    submission.Replay = ReadReplay(body, SubmissionName);
  } catch (const TReplayError& e) {
    throw TRefusal(400, std::string("not a replay this board can read: ") + e.what());
  }
  const TReplay& replay = submission.Replay;
  if (!replay.Game)
    throw TRefusal(422,
                   "the board takes the replay of one game as the game keeps it (format "
                   "version 2, through its name entry), not a whole session");
  for (size_t i = 0; i < boardData.size() && i < replay.Data.size(); ++i)
    if (replay.Data[i] != boardData[i])
      throw TRefusal(422, "the game was recorded with other game data: " + boardData[i].Name +
                              " is " + DigestText(replay.Data[i].Digest) + " in the game and " +
                              DigestText(boardData[i].Digest) +
                              " on this board, which takes games of its own data only");
  const std::string optionProblem = UnknownReplayOption(replay);
  if (!optionProblem.empty())
    throw TRefusal(422, "the game cannot be played here: " + optionProblem);
  if (replay.TickCount() > limits.MaxTicks)
    throw TRefusal(422, "the game lasts " + std::to_string(replay.TickCount()) +
                            " ticks; this board checks games of at most " +
                            std::to_string(limits.MaxTicks) + " ticks");
  submission.Digest = GameDigest(replay);
  return submission;
}

}  // namespace quellix::board
