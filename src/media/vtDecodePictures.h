// Decoding every picture of an image archive on several threads at once: the pictures
// do not depend on one another, and decoding them is most of what loading the image
// list costs. The result and the error raised are those of decoding one by one.
#pragma once

#include <string_view>
#include <vector>

#include "graphics/vtArchive.h"
#include "media/vtSdlHandles.h"

namespace quellix::media {

// Threads worth decoding on here: one per processor, at least 1, at most 8.
unsigned DecodeThreads();

// Each image payload decoded by DecodePicture, in item order, on up to `threads`
// threads (the caller's among them; 0 counts as 1). When items fail, the error of the
// first of them in item order is raised, as decoding one by one would raise it.
std::vector<TSurfacePtr> DecodePictures(const TArchive& archive, std::string_view file,
                                        unsigned threads);

}  // namespace quellix::media
