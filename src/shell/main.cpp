// Quellix: the program's entry. The main window lives for the whole run; the
// platform's message loop delivers its events and its 40 ms ticks until it closes.
// With --record or --replay a recorder or a player of replays stands between the two;
// with a board in settings.txt the board sharing stands below them.
#include <SDL.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/vtFileSystem.h"
#include "base/vtStartupTrace.h"
#if QUELLIX_BOARD_CLIENT
#include "boardlink/vtBoardSharing.h"
#endif
#include "media/vtConsole.h"
#include "media/vtSdlPlatform.h"
#include "services/vtGameFolders.h"
#include "services/vtGameSettings.h"
#include "shell/vtCommandLine.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "shell/vtReplayPlayer.h"
#include "shell/vtReplayRecorder.h"

namespace {

// Exit status of a wrong command line, as usual for command-line programs.
constexpr int UsageStatus = 2;

using quellix::media::TSdlPlatform;

// What the parser cannot tell: whether a named folder is there.
void CheckFolders(const quellix::TCommandLine& commandLine) {
  std::error_code error;
  if (!commandLine.DataDir.empty() &&
      !std::filesystem::is_directory(quellix::PathOf(commandLine.DataDir), error))
    throw quellix::TUsageError("--data " + commandLine.DataDir + ": no such folder");
}

std::unique_ptr<quellix::TfrmMain> MakeMainWindow(quellix::IPlatform& platform,
                                                  const quellix::TCommandLine& commandLine) {
  auto mainWindow = std::make_unique<quellix::TfrmMain>(platform);
  mainWindow->ChooseDataDir(commandLine.DataDir);
  mainWindow->ChooseMotion(commandLine.Motion);
  mainWindow->ChooseWindow(commandLine.Window);
  mainWindow->AdoptGame(std::make_unique<quellix::TGame>(*mainWindow));
  return mainWindow;
}

// Writes the session --record recorded; the exit status.
int SaveRecording(const quellix::TReplayRecorder& recorder, quellix::TfrmMain& mainWindow,
                  const std::string& file, int status) {
  quellix::TReplay replay = recorder.Replay();
  // How it was drawn, which play does not depend on.
  replay.Options.emplace_back("motion", quellix::MotionStyleName(mainWindow.Motion()));
  try {
    quellix::SaveReplayFile(file, replay);
  } catch (const std::exception& e) {
    const std::string message = "Recording not saved: " + std::string(e.what());
    mainWindow.ErrorLog().Log(message);
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
  }
  mainWindow.ErrorLog().Log("Recorded " + std::to_string(recorder.Ticks()) + " ticks in " + file);
  return status;
}

// The game in its window: the session recorded for --record, the scores shared with the
// board when one is set.
int Run(TSdlPlatform& platform, const quellix::TCommandLine& commandLine,
        [[maybe_unused]] const std::string& board) {
  quellix::IPlatform* below = &platform;
#if QUELLIX_BOARD_CLIENT
  std::optional<quellix::TBoardSharing> sharing;
  if (!board.empty()) below = &sharing.emplace(platform, board);
#endif
  std::optional<quellix::TReplayRecorder> recorder;
  if (!commandLine.RecordFile.empty())
    below = &recorder.emplace(*below,
                              quellix::TStartOptions{{"window", commandLine.Window ? "1" : "0"}});
  const auto mainWindow = MakeMainWindow(*below, commandLine);
  quellix::IMainWindowEvents* events = mainWindow.get();
  if (recorder) {
    recorder->Attach(*mainWindow);
    events = &*recorder;
  }
#if QUELLIX_BOARD_CLIENT
  if (sharing) {
    sharing->Attach(*mainWindow, *events);
    events = &*sharing;
  }
#endif
  const int status = platform.Run(*events);
  if (!recorder) return status;
  return SaveRecording(*recorder, *mainWindow, commandLine.RecordFile, status);
}

int Replay(TSdlPlatform& platform, const quellix::TCommandLine& commandLine) {
  quellix::TReplayPlayer player(platform, commandLine.ReplayFile);
  const auto mainWindow = MakeMainWindow(player, commandLine);
  player.Attach(*mainWindow);
  if (!player.Problem().empty()) {
    std::fprintf(stderr, "Replay refused: %s\n", player.Problem().c_str());
    player.Refuse();
    return 1;
  }
  platform.Run(player);
  return player.ExitStatus();
}

int Play(const quellix::TCommandLine& commandLine) {
  quellix::media::TSdlPlatformOptions options;
  options.DataDir = quellix::FindDataDir(quellix::media::ExecutableDir(), commandLine.DataDir);
  // The window opens as the settings say; start-up reads them again and logs what is
  // wrong in them.
  const quellix::TGameFolders folders =
      quellix::ChooseGameFolders(quellix::media::ExecutableDir(), commandLine.DataDir,
                                 quellix::TUserEnvironment::FromProcess());
  const quellix::TGameSettings settings = quellix::LoadGameSettings(
      folders.UserDir + quellix::SettingsFileName, [](const std::string&) {}, false);
  options.Display = settings.Display;
  if (commandLine.Window) options.Display.FullScreen = false;
  // Read from now on, beside the window's opening, and decoded beside the title: start-up
  // waits for the reading only.
  options.ImageArchive = options.DataDir + "sprites.vtg";
  TSdlPlatform platform(options);
  if (!commandLine.ReplayFile.empty()) return Replay(platform, commandLine);
#if QUELLIX_BOARD_CLIENT
  const std::string board = settings.Board;
#else
  // A build without the board client ignores the setting.
  const std::string board;
#endif
  return Run(platform, commandLine, board);
}

}  // namespace

int main(int argc, char** argv) {
  quellix::TraceStartup("main");
  const std::string program =
      argc > 0 ? quellix::TextOf(quellix::PathOf(argv[0]).filename()) : "quellix";
  quellix::TCommandLine commandLine;
  try {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    commandLine = quellix::ParseCommandLine(args);
    CheckFolders(commandLine);
  } catch (const quellix::TUsageError& e) {
    quellix::media::UseCallersConsole();
    std::fprintf(stderr, "%s: %s\n%s", program.c_str(), e.what(), quellix::Usage(program).c_str());
    return UsageStatus;
  }
  if (commandLine.Help || commandLine.Version) quellix::media::UseCallersConsole();
  if (commandLine.Help) {
    std::fputs(quellix::Usage(program).c_str(), stdout);
    return 0;
  }
  if (commandLine.Version) {
    std::puts(quellix::VersionText().c_str());
    return 0;
  }
  try {
    return Play(commandLine);
  } catch (const std::exception& e) {
    // Without a window there is no log file to tell the player why.
    const std::string message = std::string("Quellix cannot start: ") + e.what();
    quellix::media::UseCallersConsole();
    std::fprintf(stderr, "%s\n", message.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Quellix", message.c_str(), nullptr);
    return 1;
  }
}
