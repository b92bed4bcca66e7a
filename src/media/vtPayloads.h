// Decoding the payloads of archive items: PNG pictures (always decoded as PNG, never by
// sniffing the format) and WAV sounds. A payload that does not decode raises
// TArchiveError naming the file and the item.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "graphics/vtArchive.h"
#include "media/vtSdlHandles.h"

namespace quellix::media {

// Larger pictures are refused before decoding: no sprite comes near, and a forged
// header must not make the decoder allocate gigabytes.
constexpr int32_t MaxPictureSide = 4096;

struct TPictureSize {
  int32_t Width = 0, Height = 0;
};

// The picture's size from its PNG signature and header, checked (within MaxPictureSide)
// without decoding it.
TPictureSize ReadPngSize(std::span<const uint8_t> png, std::string_view file,
                         std::string_view name);

// The picture as 32-bit ARGB; with fields.Transparent, pixels of TransparentColor are
// made fully transparent.
TSurfacePtr DecodePicture(std::span<const uint8_t> png, const TImageItem& fields,
                          std::string_view file);

// The sound as a mixer chunk when the mixer is open. Without one the WAV is still
// checked (so a bad archive fails alike everywhere) and null is returned.
TChunkPtr DecodeWave(std::span<const uint8_t> wav, std::string_view name, std::string_view file,
                     bool mixerOpen);

}  // namespace quellix::media
