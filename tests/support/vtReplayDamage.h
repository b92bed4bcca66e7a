// Damage done to a good replay file: whatever is done, reading must end in a
// TReplayError that names the file and the line, never in a replay or a bad read.
#pragma once

#include <string>

namespace quellix::testing {

// Reads text as "damaged.replay" and fails the test unless that is reported.
void ExpectReported(const std::string& text, const std::string& what);
// Every cut of good short of its end, and thousands of random changes: bytes changed,
// dropped and added, lines said twice.
void ExpectEveryDamageReported(const std::string& good);

}  // namespace quellix::testing
