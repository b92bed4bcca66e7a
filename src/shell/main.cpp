// Quellix: the program's entry. The main window lives for the whole run; the
// platform's message loop delivers its events and its 40 ms ticks until it closes.
#include <SDL.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/vtGame.h"
#include "media/vtSdlPlatform.h"
#include "services/vtGameFolders.h"
#include "shell/vtCommandLine.h"
#include "shell/vtMainWindow.h"

namespace {

// Exit status of a wrong command line, as usual for command-line programs.
constexpr int UsageStatus = 2;

// What the parser cannot tell: whether a named folder is there.
void CheckFolders(const quellix::TCommandLine& commandLine) {
  std::error_code error;
  if (!commandLine.DataDir.empty() && !std::filesystem::is_directory(commandLine.DataDir, error))
    throw quellix::TUsageError("--data " + commandLine.DataDir + ": no such folder");
}

int Play(const quellix::TCommandLine& commandLine) {
  quellix::media::TSdlPlatformOptions options;
  options.FullScreen = !commandLine.Window;
  options.DataDir = quellix::FindDataDir(quellix::media::ExecutableDir(), commandLine.DataDir);
  // Start-up loads it after the window has opened; its decoding starts now, beside.
  options.ImageArchive = options.DataDir + "sprites.vtg";
  quellix::media::TSdlPlatform platform(options);
  quellix::TfrmMain mainWindow(platform);
  mainWindow.ChooseDataDir(commandLine.DataDir);
  mainWindow.AdoptGame(std::make_unique<quellix::TGame>(mainWindow));
  return platform.Run(mainWindow);
}

}  // namespace

int main(int argc, char** argv) {
  std::string_view program = argc > 0 ? argv[0] : "quellix";
  program.remove_prefix(program.rfind('/') + 1);
  quellix::TCommandLine commandLine;
  try {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    commandLine = quellix::ParseCommandLine(args);
    CheckFolders(commandLine);
  } catch (const quellix::TUsageError& e) {
    std::fprintf(stderr, "%s: %s\n%s", std::string(program).c_str(), e.what(),
                 quellix::Usage(program).c_str());
    return UsageStatus;
  }
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
    std::fprintf(stderr, "%s\n", message.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Quellix", message.c_str(), nullptr);
    return 1;
  }
}
