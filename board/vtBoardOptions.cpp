#include "vtBoardOptions.h"

#include <array>

namespace quellix::board {

namespace {

using TOption = TOptionRow<TBoardOptions>;

int Count(std::string_view option, std::string_view text, int low, int high) {
  return static_cast<int>(OptionNumber(option, text, low, high));
}

// "HOST:PORT"; the host may be a name or an address, [v6] in brackets.
void Listen(TServerConfig& server, std::string_view text) {
  const size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0)
    throw TUsageError("--listen takes HOST:PORT, not \"" + std::string(text) + "\"");
  std::string_view host = text.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  server.Host = host;
  server.Port = Count("--listen's port", text.substr(colon + 1), 0, 65535);
}

std::span<const TOption> Options() {
  static const auto options = std::to_array<TOption>({
      {"--help", "", "show this help and exit",
       [](TBoardOptions& o, std::string_view) { o.Help = true; }},
      {"--db", "DB", "an SQLite file (default board.sqlite) or postgresql://USER@HOST:PORT/NAME",
       [](TBoardOptions& o, std::string_view v) { o.Db = v; }},
      {"--listen", "HOST:PORT", "where to answer (default 127.0.0.1:8080; port 0: any free one)",
       [](TBoardOptions& o, std::string_view v) { Listen(o.Server, v); }},
      {"--data", "DIR",
       "the game data it takes games of (default: ../share/quellix by it, else the build's)",
       [](TBoardOptions& o, std::string_view v) {
         o.Server.DataDir = v;
         if (!o.Server.DataDir.ends_with('/')) o.Server.DataDir += '/';
       }},
      {"--workers", "N", "games checked at once (default: one per processor)",
       [](TBoardOptions& o, std::string_view v) {
         o.Server.Workers = Count("--workers", v, 1, 256);
       }},
      {"--queue", "N", "games waiting to be checked at most; more get 503 (default 16)",
       [](TBoardOptions& o, std::string_view v) {
         o.Server.Queue = Count("--queue", v, 0, 10000);
       }},
      {"--max-bytes", "N", "the largest replay taken, in bytes (default 4194304)",
       [](TBoardOptions& o, std::string_view v) {
         o.Server.Limits.MaxBytes = OptionNumber("--max-bytes", v, 1024, size_t{256} << 20u);
       }},
      {"--max-ticks", "N", "the longest game taken, in ticks (default 200000)",
       [](TBoardOptions& o, std::string_view v) {
         o.Server.Limits.MaxTicks =
             static_cast<int64_t>(OptionNumber("--max-ticks", v, 1, INT32_MAX));
       }},
      {"--rate", "N", "games one address may send a minute (default 6)",
       [](TBoardOptions& o, std::string_view v) {
         o.Server.RatePerMinute = Count("--rate", v, 1, 1'000'000);
       }},
      {"--timeout", "SECONDS", "drop a client silent this long (default 10)",
       [](TBoardOptions& o, std::string_view v) {
         o.Server.TimeoutSeconds = Count("--timeout", v, 1, 3600);
       }},
      {"--threads", "N", "threads answering requests (default: workers + queue + 16)",
       [](TBoardOptions& o, std::string_view v) {
         o.Server.Threads = Count("--threads", v, 1, 4096);
       }},
      {"--connections", "N", "database connections kept open at most (default 8)",
       [](TBoardOptions& o, std::string_view v) {
         o.Connections = Count("--connections", v, 1, 1000);
       }},
      {"--copy-from", "DB", "copy every game of DB into the empty --db, then end",
       [](TBoardOptions& o, std::string_view v) { o.CopyFrom = v; }},
      {"--behind-proxy", "", "take the client's address from X-Forwarded-For of local requests",
       [](TBoardOptions& o, std::string_view) { o.Server.BehindProxy = true; }},
  });
  return options;
}

}  // namespace

TBoardOptions ParseBoardOptions(std::span<const std::string_view> args, TBoardOptions defaults) {
  ParseOptions<TBoardOptions>(Options(), args, defaults);
  return defaults;
}

std::string BoardUsage(std::string_view program) {
  std::string text = "Usage: " + std::string(program) + " [OPTION]...\n";
  text +=
      "A shared high-score board for Quellix: proves every score by playing its game again.\n"
      "API and operation: docs/board.md.\n\nOptions:\n";
  text += OptionHelp<TBoardOptions>(Options());
  return text;
}

}  // namespace quellix::board
