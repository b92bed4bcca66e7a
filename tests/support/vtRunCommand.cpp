#include "support/vtRunCommand.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <array>
#include <cstdio>
#include <filesystem>

#include "base/vtFileSystem.h"

namespace quellix::testing {

#ifdef _WIN32
// Where output goes to be dropped.
const char* const Nowhere = "NUL";

std::string ShellProgram(const std::string& path) {
  return "\"" + TextOf(std::filesystem::absolute(PathOf(path)).make_preferred()) + ".exe\"";
}

namespace {

FILE* Start(const std::string& command) {
  // cmd.exe /c drops the first and the last quote of a line that starts with one; the
  // path's wide text is the command's UTF-16.
  return _wpopen(PathOf("\"" + command + "\"").c_str(), L"r");
}

int Finish(FILE* pipe) {
  return _pclose(pipe);
}

}  // namespace
#else
const char* const Nowhere = "/dev/null";

std::string ShellProgram(const std::string& path) {
  return "'" + TextOf(std::filesystem::absolute(PathOf(path))) + "'";
}

namespace {

FILE* Start(const std::string& command) {
  return popen(command.c_str(), "r");
}

int Finish(FILE* pipe) {
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace
#endif

TCommandRun RunCommand(const std::string& commandLine, bool withErrors) {
  TCommandRun run;
  FILE* pipe =
      Start(commandLine + (withErrors ? std::string(" 2>&1") : std::string(" 2>") + Nowhere));
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  size_t got = 0;
  while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    run.Output.append(buffer.data(), got);
  run.ExitCode = Finish(pipe);
  return run;
}

}  // namespace quellix::testing
