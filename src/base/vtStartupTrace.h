// The start-up trace: with the environment variable QUELLIX_STARTUP_TRACE set (to
// anything but "0"), each step of start-up writes one line to stderr: the milliseconds
// on the monotonic clock since the program began, the processor time of all its threads
// so far (std::clock; Windows' C library counts the time since the start instead), then
// the step. Silent otherwise, at the cost of one test of a flag. Any thread may trace.
#pragma once

#include <string_view>

namespace quellix {

bool StartupTraceOn();
// "startup    123.4 ms  (processor   80.2 ms)  <step>"
void TraceStartup(std::string_view step);

}  // namespace quellix
