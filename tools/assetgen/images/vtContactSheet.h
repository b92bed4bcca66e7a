// A contact sheet for reviewing the art: the first frame of every scene of the
// animation file, shrunk to fit a cell where it is large, labelled with its reel and
// scene, on a checked ground that shows what is transparent.
#pragma once

#include <string>

namespace quellix::assetgen {

// Reads dataDir + "sprites.vtg" and dataDir + "data/quellix.txt" and writes the sheet
// as a PNG to outPng. Scenes whose image is missing get a red cell. Throws
// std::runtime_error when the files cannot be read or the sheet cannot be written.
void WriteContactSheet(const std::string& dataDir, const std::string& outPng);

}  // namespace quellix::assetgen
