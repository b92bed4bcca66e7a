// Writing a file so that it is never left half-written: the text goes to a new file
// beside the target, is flushed to disk, and then replaces the target in one rename.
// If anything fails the target keeps its previous content and the error is raised.
#pragma once

#include <string>
#include <string_view>

namespace quellix {

void WriteFileAtomically(const std::string& path, std::string_view content);

// The new file written beside path before it replaces it.
std::string TemporaryPath(const std::string& path);
// Removes what an interrupted write left beside path; true when there was something.
bool RemoveStaleTemporary(const std::string& path);

}  // namespace quellix
