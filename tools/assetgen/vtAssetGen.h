// The asset generator turns the readable sources in data/ into the files the game
// reads: "sprites.vtg", "sounds.vtw", "data/quellix.txt", "data/patterns.txt" and
// "data/config.txt", the desktop's icons of the game in the layout of an icon theme
// (IconDir + "48x48/apps/" + IconFile) and, beside them, the same pictures in one icon
// file for the Windows executable (IconDir + "/" + WindowsIconFile). Every image is
// drawn and every sound synthesised here; the same sources always give byte-identical
// files.
#pragma once

#include <string>

namespace quellix::assetgen {

inline constexpr const char* IconDir = "icons";
inline constexpr const char* IconFile = "quellix.png";
inline constexpr const char* WindowsIconFile = "quellix.ico";

struct TGenPaths {
  std::string SourceDir;  // the repository's data/ folder
  std::string OutDir;     // the run folder; data files go to OutDir + "data/"
};

// Draws every image into "sprites.vtg", writes the animation file "data/quellix.txt" and
// the icons.
void GenerateImages(const TGenPaths& paths);
// Synthesises every sound effect into "sounds.vtw".
void GenerateSounds(const TGenPaths& paths);
// Writes "data/patterns.txt" and "data/config.txt" from their sources.
void GenerateTables(const TGenPaths& paths);

}  // namespace quellix::assetgen
