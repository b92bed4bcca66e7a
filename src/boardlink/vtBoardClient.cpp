#include "boardlink/vtBoardClient.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <exception>
#include <filesystem>

#include "base/vtAtomicFile.h"
#include "base/vtLog.h"
#include "shell/vtReplayFile.h"

namespace quellix {

namespace {

using nlohmann::json;

const std::string Prefix = "Board: ";

std::string Claim(const TBoardGame& game) {
  return "score " + std::to_string(game.Score) + ", level " + std::to_string(game.Level);
}

// The board's reason for an answer that is not a success, else the status.
std::string Reason(const TBoardResponse& response) {
  if (response.Status == 0) return response.Error;
  try {
    const json body = json::parse(response.Body);
    if (body.contains("error")) return body.at("error").get<std::string>();
  } catch (const std::exception&) {
  }
  return "status " + std::to_string(response.Status);
}

// Answers that may go otherwise when tried again: none came, the board is busy, too
// many from this address, or the board failed.
bool WorthRetrying(const TBoardResponse& response) {
  return response.Status == 0 || response.Status == 408 || response.Status == 429 ||
         response.Status >= 500;
}

}  // namespace

TBoardClient::TBoardClient(std::unique_ptr<IBoardTransport> transport, std::string address,
                           std::string outboxDir, std::string downloadDir, ILog& log,
                           TBoardTiming timing)
    : fTransport(std::move(transport)),
      fAddress(std::move(address)),
      fOutbox(std::move(outboxDir)),
      fDownloadDir(std::move(downloadDir)),
      fLog(log),
      fTiming(timing),
      fWaiting(fOutbox.Count()),
      fNextTry(TClock::now()) {
  fThread = std::thread([this] { Run(); });
}

TBoardClient::~TBoardClient() {
  {
    const std::lock_guard lock(fMutex);
    fStop = true;
  }
  fTransport->Cancel();
  fWake.notify_all();
  fThread.join();
}

void TBoardClient::Send(TBoardGame game) {
  {
    const std::lock_guard lock(fMutex);
    fNewGames.push_back(std::move(game));
    ++fWaiting;
  }
  fWake.notify_all();
}

void TBoardClient::RequestTable(const std::string& mode, int limit) {
  {
    const std::lock_guard lock(fMutex);
    fTables[mode].State = TFetchState::Waiting;
    fJobs.push_back({TJob::TKind::Table, mode, limit, 0});
  }
  fWake.notify_all();
}

TBoardTable TBoardClient::Table(const std::string& mode) const {
  const std::lock_guard lock(fMutex);
  const auto found = fTables.find(mode);
  return found == fTables.end() ? TBoardTable{} : found->second;
}

void TBoardClient::RequestReplay(int64_t id) {
  {
    const std::lock_guard lock(fMutex);
    fDownloads[id].State = TFetchState::Waiting;
    fJobs.push_back({TJob::TKind::Replay, "", 0, id});
  }
  fWake.notify_all();
}

TBoardDownload TBoardClient::Replay(int64_t id) const {
  const std::lock_guard lock(fMutex);
  const auto found = fDownloads.find(id);
  return found == fDownloads.end() ? TBoardDownload{} : found->second;
}

size_t TBoardClient::Waiting() const {
  const std::lock_guard lock(fMutex);
  return fWaiting;
}

void TBoardClient::Run() {
  if (const size_t waiting = Waiting(); waiting > 0)
    fLog.Log(Prefix + std::to_string(waiting) + " game(s) from earlier wait in " + fOutbox.Dir());
  std::unique_lock lock(fMutex);
  while (true) {
    std::deque<TBoardGame> games;
    std::deque<TJob> jobs;
    games.swap(fNewGames);
    jobs.swap(fJobs);
    const bool stop = fStop;
    lock.unlock();
    const bool newGames = !games.empty();
    KeepGames(std::move(games));
    if (stop) return;
    for (const TJob& job : jobs) Fetch(job);
    // A new game is tried at once, and what waits goes with it.
    if (newGames || TClock::now() >= fNextTry) SendOutbox();
    lock.lock();
    if (fStop || !fNewGames.empty() || !fJobs.empty()) continue;
    if (fWaiting > 0)
      fWake.wait_until(lock, fNextTry);
    else
      fWake.wait(lock);
  }
}

void TBoardClient::KeepGames(std::deque<TBoardGame> games) {
  for (const TBoardGame& game : games) {
    try {
      fOutbox.Put(game);
      fLog.Log(Prefix + "a game (" + Claim(game) + ") waits in " + fOutbox.Dir() +
               TBoardOutbox::FileName(game) + " to go to " + fAddress);
    } catch (const std::exception& e) {
      fLog.Log(Prefix + "a game (" + Claim(game) + ") cannot be kept for the board: " + e.what());
    }
  }
  if (!games.empty()) CountWaiting();
}

size_t TBoardClient::CountWaiting() {
  const size_t inOutbox = fOutbox.Count();
  const std::lock_guard lock(fMutex);
  fWaiting = inOutbox + fNewGames.size();
  return fWaiting;
}

void TBoardClient::SendOutbox() {
  bool allSent = true;
  for (const std::string& file : fOutbox.Files()) {
    {
      const std::lock_guard lock(fMutex);
      if (fStop) return;
    }
    const std::optional<TBoardGame> game = fOutbox.Read(file);
    if (!game) {
      fLog.Log(Prefix + "cannot read " + fOutbox.Dir() + file + "; it is tried again later");
      allSent = false;
      continue;
    }
    const TBoardResponse response = SendGame(*game);
    if (WorthRetrying(response)) {
      // A request cut short by the end of the run is tried in the next.
      if (const std::lock_guard lock(fMutex); fStop) return;
      NoteUnreachable(response);
      return;
    }
    fOutbox.Remove(file);
    CountWaiting();
  }
  if (allSent) {
    fRetry = std::chrono::milliseconds(0);
  } else {
    fRetry = std::clamp(fRetry * 2, fTiming.FirstRetry, fTiming.LongestRetry);
    fNextTry = TClock::now() + fRetry;
  }
}

TBoardResponse TBoardClient::SendGame(const TBoardGame& game) {
  const std::string path =
      "/v1/games?score=" + std::to_string(game.Score) + "&level=" + std::to_string(game.Level);
  const TBoardResponse response = fTransport->Post(path, game.Replay, "text/plain");
  if (WorthRetrying(response)) return response;
  if (fUnreachable) fLog.Log(Prefix + fAddress + " answers again");
  fUnreachable = false;
  if (response.Status == 201) {
    try {
      const json body = json::parse(response.Body);
      fLog.Log(Prefix + "game " + std::to_string(body.at("id").get<int64_t>()) + " taken by " +
               fAddress + ": " + body.at("name").get<std::string>() + ", " +
               body.at("difficulty").get<std::string>() + ", " + Claim(game) + ", rank " +
               std::to_string(body.at("rank").get<int64_t>()));
    } catch (const std::exception&) {
      fLog.Log(Prefix + "a game (" + Claim(game) + ") was taken by " + fAddress);
    }
  } else if (response.Status == 409) {
    fLog.Log(Prefix + fAddress + " has the game (" + Claim(game) + ") already");
  } else {
    fLog.Log(Prefix + fAddress + " refused a game (" + Claim(game) + "): " + Reason(response));
  }
  return response;
}

void TBoardClient::NoteUnreachable(const TBoardResponse& response) {
  fRetry = std::clamp(fRetry * 2, fTiming.FirstRetry, fTiming.LongestRetry);
  fRetry = std::max(fRetry, std::chrono::milliseconds(std::chrono::seconds(response.RetryAfter)));
  fNextTry = TClock::now() + fRetry;
  if (fUnreachable) return;
  fUnreachable = true;
  const size_t waiting = CountWaiting();
  fLog.Log(Prefix + "cannot send to " + fAddress + " (" + Reason(response) + "); " +
           std::to_string(waiting) + " game(s) wait in " + fOutbox.Dir() + " and go later");
}

void TBoardClient::Fetch(const TJob& job) {
  if (job.Kind == TJob::TKind::Table)
    FetchTable(job);
  else
    FetchReplay(job);
}

void TBoardClient::FetchTable(const TJob& job) {
  const TBoardResponse response =
      fTransport->Get("/v1/board?difficulty=" + job.Mode + "&limit=" + std::to_string(job.Limit));
  TBoardTable table;
  table.State = TFetchState::Failed;
  if (response.Status != 200) {
    table.Error = Reason(response);
  } else {
    try {
      const json body = json::parse(response.Body);
      for (const json& game : body.at("games")) {
        table.Rows.push_back({game.at("rank").get<int64_t>(), game.at("id").get<int64_t>(),
                              game.at("name").get<std::string>(), game.at("score").get<int32_t>(),
                              game.at("level").get<int32_t>(), game.at("ticks").get<int64_t>()});
      }
      table.State = TFetchState::Done;
    } catch (const std::exception& e) {
      table.Rows.clear();
      table.Error = std::string("the board's answer is not a table: ") + e.what();
    }
  }
  if (table.State == TFetchState::Failed)
    fLog.Log(Prefix + "the " + job.Mode + " table did not come from " + fAddress + ": " +
             table.Error);
  const std::lock_guard lock(fMutex);
  fTables[job.Mode] = std::move(table);
}

void TBoardClient::FetchReplay(const TJob& job) {
  const std::string name = "board-" + std::to_string(job.Id) + ".replay";
  const TBoardResponse response =
      fTransport->Get("/v1/games/" + std::to_string(job.Id) + "/replay");
  TBoardDownload download;
  download.State = TFetchState::Failed;
  if (response.Status != 200) {
    download.Error = Reason(response);
  } else {
    try {
      // Only a replay this game can read is kept.
      ReadReplay(response.Body, name);
      std::error_code ignored;
      std::filesystem::create_directories(fDownloadDir, ignored);
      WriteFileAtomically(fDownloadDir + name, response.Body);
      download.State = TFetchState::Done;
      download.Path = fDownloadDir + name;
      fLog.Log(Prefix + "game " + std::to_string(job.Id) + " downloaded into " + download.Path);
    } catch (const std::exception& e) {
      download.Error = e.what();
    }
  }
  if (download.State == TFetchState::Failed)
    fLog.Log(Prefix + "game " + std::to_string(job.Id) + " did not come from " + fAddress + ": " +
             download.Error);
  const std::lock_guard lock(fMutex);
  fDownloads[job.Id] = std::move(download);
}

}  // namespace quellix
