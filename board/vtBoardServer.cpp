#include "vtBoardServer.h"

#include <httplib.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <exception>
#include <future>
#include <optional>
#include <stdexcept>
#include <variant>

#include "vtGameCheck.h"

namespace quellix::board {

namespace {

using nlohmann::json;

void Answer(httplib::Response& response, int status, const json& body) {
  response.status = status;
  response.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace),
                       "application/json");
}

void Refuse(httplib::Response& response, int status, const std::string& why) {
  Answer(response, status, json{{"error", why}});
}

// A whole number from min to max, else none.
std::optional<int64_t> Number(const std::string& text, int64_t min, int64_t max) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < min || value > max)
    return std::nullopt;
  return value;
}

json GameJson(const TStoredGame& game) {
  return {{"id", game.Id},
          {"rank", game.Rank},
          {"difficulty", game.Difficulty},
          {"name", game.Name},
          {"score", game.Score},
          {"level", game.Level},
          {"ticks", game.Ticks},
          {"received", game.Received},
          {"replay", "/v1/games/" + std::to_string(game.Id) + "/replay"}};
}

// What a status without a body of ours means, for the answers the HTTP library makes
// itself.
std::string StatusText(int status) {
  switch (status) {
    case 400:
      return "the request is not one this board reads";
    case 404:
      return "no such page; the board's API is under /v1/";
    case 405:
      return "this page does not take that method";
    case 413:
      return "the request is larger than this board takes (a game goes as text/plain)";
    case 414:
      return "the address is too long";
    default:
      return "status " + std::to_string(status);
  }
}

using TCheckResult = std::variant<TCheckedGame, TRefusal, std::string>;

}  // namespace

TBoardServer::TBoardServer(IBoardStore& store, const TServerConfig& config, TLogLine log)
    : fStore(store),
      fConfig(config),
      fLog(std::move(log)),
      fData(DigestGameData(config.DataDir)),
      fRate(config.RatePerMinute),
      fPool(config.Workers, config.Queue),
      fServer(std::make_unique<httplib::Server>()) {
  for (const TDataDigest& file : fData)
    if (file.Digest == 0)
      throw std::runtime_error("the data folder " + config.DataDir + " lacks " + file.Name);
  const int threads = fConfig.Threads > 0 ? fConfig.Threads : fConfig.Workers + fConfig.Queue + 16;
  fServer->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  fServer->set_payload_max_length(fConfig.Limits.MaxBytes);
  fServer->set_read_timeout(std::chrono::seconds(fConfig.TimeoutSeconds));
  fServer->set_write_timeout(std::chrono::seconds(fConfig.TimeoutSeconds));
  fServer->set_keep_alive_timeout(5);
  fServer->set_keep_alive_max_count(1000);
  // Answers go out at once, not held back to be joined with more.
  fServer->set_tcp_nodelay(true);
  Route();
}

TBoardServer::~TBoardServer() = default;

void TBoardServer::Route() {
  httplib::Server& server = *fServer;
  server.Post("/v1/games",
              [this](const httplib::Request& q, httplib::Response& r) { PostGame(q, r); });
  server.Get("/v1/board",
             [this](const httplib::Request& q, httplib::Response& r) { GetBoard(q, r); });
  server.Get(R"(/v1/games/(\d{1,18})/replay)",
             [this](const httplib::Request& q, httplib::Response& r) { GetReplay(q, r); });
  server.Get("/v1/health",
             [this](const httplib::Request& q, httplib::Response& r) { GetHealth(q, r); });
  server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
    if (response.body.empty()) Refuse(response, response.status, StatusText(response.status));
  });
  server.set_exception_handler([this](const httplib::Request& request, httplib::Response& response,
                                      std::exception_ptr error) {
    std::string what = "unknown";
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      what = e.what();
    } catch (...) {
    }
    fLog(request.method + " " + request.path + " failed: " + what);
    Refuse(response, 500, "the board failed to answer; try again later");
  });
}

int TBoardServer::Bind() {
  const int port = fConfig.Port == 0
                       ? fServer->bind_to_any_port(fConfig.Host)
                       : (fServer->bind_to_port(fConfig.Host, fConfig.Port) ? fConfig.Port : -1);
  if (port <= 0)
    throw std::runtime_error("cannot listen on " + fConfig.Host + ":" +
                             std::to_string(fConfig.Port));
  return port;
}

void TBoardServer::Run() {
  fServer->listen_after_bind();
}

void TBoardServer::Stop() {
  fServer->stop();
}

std::string TBoardServer::ClientAddress(const httplib::Request& request) const {
  const bool local = request.remote_addr == "127.0.0.1" || request.remote_addr == "::1";
  if (!fConfig.BehindProxy || !local || !request.has_header("X-Forwarded-For"))
    return request.remote_addr;
  // The proxy appends the address it took the request from.
  const std::string forwarded = request.get_header_value("X-Forwarded-For");
  std::string last = forwarded.substr(forwarded.rfind(',') + 1);
  last.erase(0, last.find_first_not_of(' '));
  last.erase(last.find_last_not_of(' ') + 1);
  return last.empty() ? request.remote_addr : last;
}

void TBoardServer::PostGame(const httplib::Request& request, httplib::Response& response) {
  const auto start = std::chrono::steady_clock::now();
  const std::string address = ClientAddress(request);
  const auto refuse = [&](int status, const std::string& why) {
    Refuse(response, status, why);
    fLog(address + " sent a game: " + std::to_string(status) + ", " + why);
  };
  if (const int wait = fRate.Take(address); wait > 0) {
    response.set_header("Retry-After", std::to_string(wait));
    return refuse(429, "this address has sent " + std::to_string(fConfig.RatePerMinute) +
                           " games in the last minute; try again in " + std::to_string(wait) +
                           " s");
  }
  const std::optional<int64_t> score =
      Number(request.get_param_value("score"), INT32_MIN, INT32_MAX);
  const std::optional<int64_t> level =
      Number(request.get_param_value("level"), INT32_MIN, INT32_MAX);
  if (!score || !level)
    return refuse(400, "say what the game came to: POST /v1/games?score=S&level=L");
  TSubmission submission;
  try {
    submission = ReadSubmission(request.body, fConfig.Limits, fData);
  } catch (const TRefusal& refusal) {
    return refuse(refusal.Status(), refusal.what());
  }
  if (const std::optional<TStoredGame> kept = fStore.FindDigest(submission.Digest)) {
    Answer(response, 409,
           json{{"error", "the board has this game already"}, {"game", GameJson(*kept)}});
    fLog(address + " sent a game: 409, game " + std::to_string(kept->Id) + " again");
    return;
  }

  auto promise = std::make_shared<std::promise<TCheckResult>>();
  std::future<TCheckResult> result = promise->get_future();
  auto replay = std::make_shared<TReplay>(std::move(submission.Replay));
  const std::string dataDir = fConfig.DataDir;
  const bool queued = fPool.TryRun([promise, replay, dataDir] {
    try {
      promise->set_value(CheckGame(std::move(*replay), dataDir));
    } catch (const TRefusal& refusal) {
      promise->set_value(refusal);
    } catch (const std::exception& e) {
      promise->set_value(std::string(e.what()));
    }
  });
  if (!queued) {
    response.set_header("Retry-After", std::to_string(fPool.WaitEstimate()));
    return refuse(503, "the board has too many games to check; try again later");
  }
  const TCheckResult checked = result.get();
  if (const auto* refusal = std::get_if<TRefusal>(&checked))
    return refuse(refusal->Status(), refusal->what());
  if (const auto* failure = std::get_if<std::string>(&checked)) {
    fLog("checking a game from " + address + " failed: " + *failure);
    return refuse(500, "the board failed to check the game; try again later");
  }
  const TCheckedGame& game = std::get<TCheckedGame>(checked);
  if (game.Score != *score || game.Level != *level)
    return refuse(422, "the game plays to score " + std::to_string(game.Score) + " at level " +
                           std::to_string(game.Level) + ", not to the score " +
                           std::to_string(*score) + " at level " + std::to_string(*level) +
                           " it claims");
  const TAddResult added = fStore.Add({submission.Digest, game.Mode, game.Name, game.Score,
                                       game.Level, game.Ticks, address, request.body});
  if (!added.Added) {
    Answer(response, 409,
           json{{"error", "the board has this game already"}, {"game", GameJson(added.Game)}});
    fLog(address + " sent a game: 409, game " + std::to_string(added.Game.Id) + " again");
    return;
  }
  Answer(response, 201, GameJson(added.Game));
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f", took.count());
  fLog(address + " sent a game: 201, game " + std::to_string(added.Game.Id) + ", " + game.Mode +
       ", \"" + game.Name + "\", score " + std::to_string(game.Score) + ", level " +
       std::to_string(game.Level) + ", " + std::to_string(game.Ticks) + " ticks, rank " +
       std::to_string(added.Game.Rank) + " (" + seconds + " s)");
}

void TBoardServer::GetBoard(const httplib::Request& request, httplib::Response& response) {
  const std::string difficulty =
      request.has_param("difficulty") ? request.get_param_value("difficulty") : "normal";
  if (std::none_of(std::begin(Difficulties), std::end(Difficulties),
                   [&](const char* d) { return difficulty == d; }))
    return Refuse(response, 400, "difficulty is child, easy, normal or hard");
  std::optional<int64_t> limit = DefaultLimit;
  if (request.has_param("limit")) limit = Number(request.get_param_value("limit"), 1, MaxLimit);
  if (!limit)
    return Refuse(response, 400, "limit is a whole number from 1 to " + std::to_string(MaxLimit));
  json games = json::array();
  for (const TStoredGame& game : fStore.Top(difficulty, static_cast<int>(*limit)))
    games.push_back(GameJson(game));
  Answer(response, 200, json{{"difficulty", difficulty}, {"games", std::move(games)}});
}

void TBoardServer::GetReplay(const httplib::Request& request, httplib::Response& response) {
  const std::optional<int64_t> id = Number(request.matches[1], 1, INT64_MAX);
  const std::optional<std::string> replay = id ? fStore.Replay(*id) : std::nullopt;
  if (!replay)
    return Refuse(response, 404, "the board has no game " + std::string(request.matches[1]));
  response.set_header("Content-Disposition",
                      "attachment; filename=\"board-" + std::to_string(*id) + ".replay\"");
  response.set_content(*replay, "text/plain; charset=utf-8");
}

void TBoardServer::GetHealth(const httplib::Request&, httplib::Response& response) {
  json data = json::object();
  for (const TDataDigest& file : fData) data[file.Name] = DigestText(file.Digest);
  json health = {
      {"store", fStore.Kind()},
      {"data", data},
      {"checks",
       {{"workers", fPool.Workers()}, {"waiting", fPool.Waiting()}, {"queue", fPool.Capacity()}}},
      {"limits",
       {{"bytes", fConfig.Limits.MaxBytes},
        {"ticks", fConfig.Limits.MaxTicks},
        {"games_a_minute", fConfig.RatePerMinute}}}};
  try {
    health["games"] = fStore.Count();
    health["status"] = "ok";
    Answer(response, 200, health);
  } catch (const std::exception& e) {
    health["status"] = "the database does not answer";
    fLog(std::string("health: the database does not answer: ") + e.what());
    Answer(response, 503, health);
  }
}

}  // namespace quellix::board
