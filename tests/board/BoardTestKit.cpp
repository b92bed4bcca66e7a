#include "BoardTestKit.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <pqxx/pqxx>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "vtBoardGames.h"

namespace quellix::testing {

std::string BoardDataDir() {
  return QUELLIX_RUN_DIR "/";
}

const TBoardGame& BoardGame() {
  static const TBoardGame game = board::RecordBoardGame(BoardDataDir(), sim::TPlayMode::Hard, 1);
  return game;
}

TBoardGame NamedGame(int i) {
  return board::WithTypedName(BoardGame(), "Skilled " + std::to_string(i));
}

std::string BackEndName(TBackEnd backEnd) {
  return backEnd == TBackEnd::Sqlite ? "sqlite" : "postgresql";
}

TTestDatabase::TTestDatabase(TBackEnd backEnd) {
  if (backEnd == TBackEnd::Sqlite) {
    fDb = fFolder.File("board.sqlite");
    return;
  }
  const char* server = std::getenv("QUELLIX_TEST_POSTGRES");
  if (!server || !*server)
    throw std::runtime_error(
        "QUELLIX_TEST_POSTGRES is not set: run this under tests/board/postgres.sh");
  fServer = server;
  static std::atomic<int> counter = 0;
  fName = "board_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
  pqxx::connection connection(fServer);
  pqxx::nontransaction(connection).exec("CREATE DATABASE " + fName);
  // The server's address ends in its database's name.
  fDb = fServer.substr(0, fServer.rfind('/') + 1) + fName;
}

TTestDatabase::~TTestDatabase() {
  if (fServer.empty()) return;
  try {
    pqxx::connection connection(fServer);
    pqxx::nontransaction(connection).exec("DROP DATABASE IF EXISTS " + fName + " WITH (FORCE)");
  } catch (const std::exception& e) {
    ADD_FAILURE() << "dropping " << fName << ": " << e.what();
  }
}

board::TServerConfig TTestBoard::Config() {
  board::TServerConfig config;
  config.Port = 0;
  config.DataDir = BoardDataDir();
  config.Workers = 2;
  config.Queue = 4;
  config.RatePerMinute = 100'000;
  return config;
}

TTestBoard::TTestBoard(const std::string& db, const board::TServerConfig& config)
    : fStore(board::OpenBoardStore(db, 4)),
      fServer(std::make_unique<board::TBoardServer>(*fStore, config, [](const std::string&) {})) {
  fPort = fServer->Bind();
  fThread = std::thread([this] { fServer->Run(); });
}

TTestBoard::~TTestBoard() {
  fServer->Stop();
  fThread.join();
}

httplib::Result TTestBoard::Send(const TBoardGame& game) {
  return Send(game.Replay,
              "score=" + std::to_string(game.Score) + "&level=" + std::to_string(game.Level));
}

httplib::Result TTestBoard::Send(const std::string& replay, const std::string& claim) {
  httplib::Client client("127.0.0.1", fPort);
  client.set_read_timeout(std::chrono::seconds(120));
  return client.Post("/v1/games?" + claim, replay, "text/plain");
}

httplib::Result TTestBoard::Get(const std::string& path) {
  httplib::Client client("127.0.0.1", fPort);
  return client.Get(path);
}

TBoardProcess::TBoardProcess(const std::string& db) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("no pipe");
  fPid = fork();
  if (fPid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    const std::string data = BoardDataDir();
    execl(QUELLIX_BOARD_PROGRAM, "quellix-board", "--db", db.c_str(), "--listen", "127.0.0.1:0",
          "--data", data.c_str(), "--workers", "2", "--rate", "100000", nullptr);
    _exit(127);
  }
  close(out[1]);
  // Its first line says where it listens.
  std::FILE* lines = fdopen(out[0], "r");
  char line[256] = {};
  const bool read = std::fgets(line, sizeof line, lines) != nullptr;
  std::fclose(lines);
  if (!read || std::sscanf(line, "quellix-board listening on http://127.0.0.1:%d", &fPort) != 1)
    throw std::runtime_error(std::string("quellix-board did not start: ") + line);
}

TBoardProcess::~TBoardProcess() {
  if (fPid > 0) Kill(SIGTERM);
}

void TBoardProcess::Kill(int signal) {
  kill(fPid, signal);
  int status = 0;
  waitpid(fPid, &status, 0);
  fPid = -1;
}

std::string Field(const httplib::Result& reply, const std::string& key) {
  if (!reply) return "(no answer: " + httplib::to_string(reply.error()) + ")";
  try {
    const nlohmann::json body = nlohmann::json::parse(reply->body);
    if (!body.contains(key)) return "(no " + key + " in " + reply->body + ")";
    const nlohmann::json& value = body.at(key);
    return value.is_string() ? value.get<std::string>() : value.dump();
  } catch (const std::exception&) {
    return "(not JSON: " + reply->body + ")";
  }
}

}  // namespace quellix::testing
