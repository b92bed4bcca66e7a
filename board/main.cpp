// quellix-board: the shared high-score board. See --help and docs/board.md.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "media/vtSdlPlatform.h"
#include "services/vtGameFolders.h"
#include "vtBoardOptions.h"
#include "vtBoardServer.h"
#include "vtBoardStore.h"

#ifndef QUELLIX_RUN_DIR
#define QUELLIX_RUN_DIR "."
#endif

namespace {

using namespace quellix::board;

constexpr int UsageStatus = 2;

void LogLine(const std::string& line) {
  std::fprintf(stderr, "%s %s\n", UtcNow().c_str(), line.c_str());
}

// SIGINT and SIGTERM end the board gracefully: no new requests, the games under way
// are finished and answered. Blocked in every thread, they are taken by one.
void StopOnSignals(TBoardServer& server, sigset_t signals) {
  std::thread([&server, signals] {
    int signal = 0;
    sigwait(&signals, &signal);
    LogLine(std::string("stopping on ") + (signal == SIGINT ? "SIGINT" : "SIGTERM"));
    server.Stop();
  }).detach();
}

// The game's data of an installed board (../share/quellix/ beside it), else the run
// folder of the build it belongs to.
std::string DefaultDataDir() {
  const std::string installed = quellix::FindDataDir(quellix::media::ExecutableDir());
  std::error_code error;
  if (std::filesystem::exists(installed + quellix::DataMarkerFile, error)) return installed;
  return std::string(QUELLIX_RUN_DIR) + "/";
}

// Moves a board to another database, e.g. from SQLite to PostgreSQL.
int Copy(const TBoardOptions& options) {
  const std::unique_ptr<IBoardStore> from = OpenBoardStore(options.CopyFrom, 1);
  const std::unique_ptr<IBoardStore> to = OpenBoardStore(options.Db, 1);
  const int64_t total = from->Count();
  const int64_t copied = CopyGames(*from, *to, [total](int64_t done) {
    LogLine("copied " + std::to_string(done) + " of " + std::to_string(total) + " games");
  });
  LogLine("copied " + std::to_string(copied) + " games from " + options.CopyFrom + " to " +
          options.Db);
  return 0;
}

int Serve(const TBoardOptions& options) {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  const std::unique_ptr<IBoardStore> store = OpenBoardStore(options.Db, options.Connections);
  TBoardServer server(*store, options.Server, LogLine);
  const int port = server.Bind();
  StopOnSignals(server, signals);
  LogLine("quellix-board on " + store->Kind() + " " + options.Db + ", " +
          std::to_string(store->Count()) + " games, data " + options.Server.DataDir + ", " +
          std::to_string(options.Server.Workers) + " workers");
  std::printf("quellix-board listening on http://%s:%d\n", options.Server.Host.c_str(), port);
  std::fflush(stdout);
  server.Run();
  LogLine("stopped");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string_view program = argc > 0 ? argv[0] : "quellix-board";
  program.remove_prefix(program.rfind('/') + 1);
  TBoardOptions options;
  options.Server.DataDir = DefaultDataDir();
  options.Server.Workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  options.Server.Queue = 16;
  try {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    options = ParseBoardOptions(args, options);
    std::error_code error;
    if (!std::filesystem::is_directory(options.Server.DataDir, error))
      throw quellix::TUsageError("--data " + options.Server.DataDir + ": no such folder");
  } catch (const quellix::TUsageError& e) {
    std::fprintf(stderr, "%s: %s\n%s", std::string(program).c_str(), e.what(),
                 BoardUsage(program).c_str());
    return UsageStatus;
  }
  if (options.Help) {
    std::fputs(BoardUsage(program).c_str(), stdout);
    return 0;
  }
  try {
    return options.CopyFrom.empty() ? Serve(options) : Copy(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", std::string(program).c_str(), e.what());
    return 1;
  }
}
