#include "support/vtRunCommand.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace quellix::testing {

TCommandRun RunCommand(const std::string& commandLine) {
  TCommandRun run;
  const std::string command = commandLine + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  size_t got = 0;
  while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    run.Output.append(buffer.data(), got);
  const int status = pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace quellix::testing
