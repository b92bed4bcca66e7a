// Writing a file so that it is never left half-written: the text goes to a new file
// beside the target, is flushed to disk, and then replaces the target in one rename.
// If anything fails the target keeps its previous content and the error is raised.
#pragma once

#include <string>
#include <string_view>

namespace quellix {

void WriteFileAtomically(const std::string& path, std::string_view content);

}  // namespace quellix
