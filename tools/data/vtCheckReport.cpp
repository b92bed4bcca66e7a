#include "vtCheckReport.h"

namespace quellix::datacheck {

void TFindings::Add(const TDataFile& file, std::string_view what) {
  std::string line = std::string(file.Name) + ": ";
  // Loader messages may span lines (the message box text has a carriage return).
  for (char c : what) line += (c == '\r' || c == '\n') ? ' ' : c;
  fLines.push_back(std::move(line));
}

void TFindings::AddError(const TDataFile& file, std::string_view message) {
  const std::string prefix = file.Path + ": ";
  if (message.starts_with(prefix)) message.remove_prefix(prefix.size());
  Add(file, message);
}

}  // namespace quellix::datacheck
