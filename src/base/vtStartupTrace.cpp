#include "base/vtStartupTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace quellix {

namespace {

using TClock = std::chrono::steady_clock;

// Taken while the program's statics are made, before main: as near to its start as the
// program itself can see.
const TClock::time_point ProgramStart = TClock::now();

bool ReadSwitch() {
  const char* value = std::getenv("QUELLIX_STARTUP_TRACE");
  return value && *value && std::strcmp(value, "0") != 0;
}

}  // namespace

bool StartupTraceOn() {
  static const bool on = ReadSwitch();
  return on;
}

void TraceStartup(std::string_view step) {
  if (!StartupTraceOn()) return;
  const std::chrono::duration<double, std::milli> since = TClock::now() - ProgramStart;
  // The processor time of every thread so far: on a busy machine the waits stretch, the
  // work does not.
  const double work = 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
  // One call, one line: lines of several threads do not mix.
  std::fprintf(stderr, "startup %8.1f ms  (processor %6.1f ms)  %.*s\n", since.count(), work,
               static_cast<int>(step.size()), step.data());
}

}  // namespace quellix
