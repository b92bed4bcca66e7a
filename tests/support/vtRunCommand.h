// Running one of the project's programs from a test, as a shell would.
#pragma once

#include <string>

namespace quellix::testing {

struct TCommandRun {
  int ExitCode = -1;   // -1 when the program did not end normally
  std::string Output;  // stdout and stderr together
};

// Runs the command line with /bin/sh and waits for it.
TCommandRun RunCommand(const std::string& commandLine);

}  // namespace quellix::testing
