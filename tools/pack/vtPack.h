// The archive packer: a manifest (one item per line, as a comma list) names each
// item's file and fields; the packer checks every line, decodes every payload as the
// game will, and writes
// the archive in one atomic step, or reports each bad line and writes nothing.
//
// Image lines: name,file,PatternWidth,PatternHeight,SkipWidth,SkipHeight,SystemMemory,
//              Transparent,TransparentColor
// Sound lines: name,file,Looped,MaxPlayingCount
// Files are relative to the manifest. Blank lines and lines starting with '#' are skipped.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "graphics/vtArchive.h"

namespace quellix::pack {

// The archive kind from the file's extension: ".vtg" images, ".vtw" sounds.
bool KindOfPath(const std::string& path, TArchiveKind& kind);

struct TManifestItem {
  int Line = 0;
  std::string File;  // resolved against the manifest's folder
  TImageItem Image;
  TSoundItem Sound;
};

struct TManifest {
  std::vector<TManifestItem> Items;
  std::vector<std::string> Errors;  // "manifest:line: what"
};

// Reads and checks the manifest lines (not yet the files they name).
TManifest ReadManifest(const std::string& path, TArchiveKind kind);

// Checks every named file and writes the archive. Returns the errors; the archive is
// written only when there are none.
std::vector<std::string> BuildArchive(const std::string& out, const std::string& manifest);

// Prints each item's name, fields and payload size; throws TArchiveError on a bad archive.
void ListArchive(const std::string& path, std::ostream& out);

}  // namespace quellix::pack
