// Running one of the project's programs from a test, as a shell would: /bin/sh, or
// cmd.exe on Windows.
#pragma once

#include <string>

namespace quellix::testing {

struct TCommandRun {
  int ExitCode = -1;   // -1 when the program did not end normally
  std::string Output;  // stdout and stderr together
};

// Runs the command line with the system's shell and waits for it; the output holds
// stderr too unless told otherwise.
TCommandRun RunCommand(const std::string& commandLine, bool withErrors = true);

// A program of the build (a path without the system's ending, such as .exe), absolute and
// quoted for that shell.
std::string ShellProgram(const std::string& path);

}  // namespace quellix::testing
