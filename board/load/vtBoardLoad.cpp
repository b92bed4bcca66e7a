#include "vtBoardLoad.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "boardlink/vtBoardOutbox.h"
#include "vtBoardServer.h"

namespace quellix::board {

namespace {

using TClock = std::chrono::steady_clock;

constexpr size_t MaxNotes = 5;

struct TShared {
  std::mutex Mutex;
  std::vector<double> Latencies;
  TLoadResult Result;

  void Fail(const std::string& note) {
    const std::lock_guard lock(Mutex);
    ++Result.Failures;
    if (Result.FailureNotes.size() < MaxNotes) Result.FailureNotes.push_back(note);
  }
};

std::string What(const httplib::Result& answer) {
  return answer ? "status " + std::to_string(answer->status) : httplib::to_string(answer.error());
}

void Read(const TLoadPlan& plan, TClock::time_point end, int client, TShared& shared) {
  httplib::Client http(plan.Host, plan.Port);
  http.set_keep_alive(true);
  http.set_tcp_nodelay(true);
  std::vector<double> latencies;
  for (int i = client; TClock::now() < end; ++i) {
    const std::string path = std::string("/v1/board?difficulty=") +
                             Difficulties[i % std::size(Difficulties)] + "&limit=10";
    const auto start = TClock::now();
    const httplib::Result answer = http.Get(path);
    const std::chrono::duration<double, std::milli> took = TClock::now() - start;
    if (answer && answer->status == 200)
      latencies.push_back(took.count());
    else
      shared.Fail("GET " + path + ": " + What(answer));
  }
  const std::lock_guard lock(shared.Mutex);
  shared.Latencies.insert(shared.Latencies.end(), latencies.begin(), latencies.end());
}

void Send(const TLoadPlan& plan, TClock::time_point end, int client,
          const std::vector<std::string>& files, TShared& shared) {
  httplib::Client http(plan.Host, plan.Port);
  // A game is checked before it is answered.
  http.set_read_timeout(std::chrono::seconds(120));
  const TBoardOutbox games(plan.GamesDir);
  for (size_t i = client; TClock::now() < end; ++i) {
    const std::string& file = files[i % files.size()];
    const std::optional<TBoardGame> game = games.Read(file);
    if (!game) throw std::runtime_error("cannot read " + plan.GamesDir + file);
    const httplib::Result answer = http.Post(
        "/v1/games?score=" + std::to_string(game->Score) + "&level=" + std::to_string(game->Level),
        game->Replay, "text/plain");
    const int status = answer ? answer->status : 0;
    if (status == 201 || status == 409 || status == 429 || status == 503) {
      const std::lock_guard lock(shared.Mutex);
      ++shared.Result.Sends[status];
      // A busy board asks to wait; the load keeps the pace of a client that does not.
      if (status != 201 && status != 409)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } else {
      shared.Fail("POST " + file + ": " + What(answer) + (answer ? " " + answer->body : ""));
    }
  }
}

double Percentile(const std::vector<double>& sorted, double p) {
  if (sorted.empty()) return 0;
  const size_t index = std::min(sorted.size() - 1, static_cast<size_t>(p * sorted.size()));
  return sorted[index];
}

}  // namespace

std::string TLoadResult::Summary() const {
  char line[256];
  std::snprintf(line, sizeof line,
                "%lld reads in %.1f s: %.0f a second, 50%% within %.1f ms, 99%% within %.1f ms, "
                "slowest %.1f ms;",
                static_cast<long long>(Reads), Seconds, ReadsPerSecond(), ReadP50, ReadP99,
                ReadMax);
  std::string text = line;
  text += " games sent:";
  if (Sends.empty()) text += " none";
  for (const auto& [status, count] : Sends)
    (((text += ' ') += std::to_string(count)) += " answered ") += std::to_string(status);
  (text += "; failures: ") += std::to_string(Failures);
  for (const std::string& note : FailureNotes) text += "\n  " + note;
  return text;
}

TLoadResult RunLoad(const TLoadPlan& plan) {
  std::vector<std::string> files;
  if (plan.Senders > 0 && !plan.GamesDir.empty()) {
    files = TBoardOutbox(plan.GamesDir).Files();
    if (files.empty()) throw std::runtime_error("no games to send in " + plan.GamesDir);
  }
  TShared shared;
  const auto start = TClock::now();
  const auto end = start + plan.Duration;
  std::vector<std::thread> clients;
  for (int i = 0; i < plan.Readers; ++i)
    clients.emplace_back([&, i] { Read(plan, end, i, shared); });
  std::exception_ptr sendError;
  std::mutex errorMutex;
  for (int i = 0; i < plan.Senders && !files.empty(); ++i)
    clients.emplace_back([&, i] {
      try {
        Send(plan, end, i, files, shared);
      } catch (...) {
        const std::lock_guard lock(errorMutex);
        sendError = std::current_exception();
      }
    });
  for (std::thread& client : clients) client.join();
  if (sendError) std::rethrow_exception(sendError);
  TLoadResult result = std::move(shared.Result);
  result.Seconds = std::chrono::duration<double>(TClock::now() - start).count();
  std::sort(shared.Latencies.begin(), shared.Latencies.end());
  result.Reads = static_cast<int64_t>(shared.Latencies.size());
  result.ReadP50 = Percentile(shared.Latencies, 0.50);
  result.ReadP99 = Percentile(shared.Latencies, 0.99);
  result.ReadMax = shared.Latencies.empty() ? 0 : shared.Latencies.back();
  return result;
}

}  // namespace quellix::board
