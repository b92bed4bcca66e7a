#include "media/vtPngWriter.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "graphics/vtArchive.h"

namespace quellix::media {

namespace {

// Writes bits least significant first, as deflate wants.
class TBitWriter {
 public:
  explicit TBitWriter(std::vector<uint8_t>& out) : fOut(out) {}
  void Bits(uint32_t value, int count) {
    fBuffer |= static_cast<uint64_t>(value) << fCount;
    fCount += count;
    while (fCount >= 8) {
      fOut.push_back(static_cast<uint8_t>(fBuffer));
      fBuffer >>= 8u;
      fCount -= 8;
    }
  }
  // A Huffman code goes most significant bit first.
  void Code(uint32_t code, int length) {
    uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    Bits(reversed, length);
  }
  void Flush() {
    if (fCount > 0) fOut.push_back(static_cast<uint8_t>(fBuffer));
    fBuffer = 0, fCount = 0;
  }

 private:
  std::vector<uint8_t>& fOut;
  uint64_t fBuffer = 0;
  int fCount = 0;
};

// The fixed literal/length code of deflate.
void PutSymbol(TBitWriter& w, int symbol) {
  if (symbol < 144)
    w.Code(0x30 + symbol, 8);
  else if (symbol < 256)
    w.Code(0x190 + symbol - 144, 9);
  else if (symbol < 280)
    w.Code(symbol - 256, 7);
  else
    w.Code(0xC0 + symbol - 280, 8);
}

constexpr int LengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int LengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int DistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                              33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                              1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int DistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                               6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(TBitWriter& w, int length, int distance) {
  int l = 28;
  while (LengthBase[l] > length) --l;
  PutSymbol(w, 257 + l);
  w.Bits(static_cast<uint32_t>(length - LengthBase[l]), LengthExtra[l]);
  int d = 29;
  while (DistBase[d] > distance) --d;
  w.Code(static_cast<uint32_t>(d), 5);
  w.Bits(static_cast<uint32_t>(distance - DistBase[d]), DistExtra[d]);
}

uint32_t Adler32(std::span<const uint8_t> bytes) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : bytes) {
    a = (a + byte) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16u) | a;
}

void PutU32BigEndian(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, std::span<const uint8_t> data) {
  PutU32BigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutU32BigEndian(out, Crc32({out.data() + start, out.size() - start}));
}

}  // namespace

std::vector<uint8_t> Deflate(std::span<const uint8_t> bytes) {
  constexpr int MinMatch = 4, MaxMatch = 258, Window = 32768, HashBits = 15;
  std::vector<uint8_t> out = {0x78, 0x01};
  TBitWriter w(out);
  w.Bits(1, 1);  // the last block
  w.Bits(1, 2);  // fixed codes
  std::vector<int> head(size_t{1} << HashBits, -1);
  const int n = static_cast<int>(bytes.size());
  auto hash = [&](int i) {
    uint32_t v =
        bytes[i] | (bytes[i + 1] << 8u) | (bytes[i + 2] << 16u) | (uint32_t{bytes[i + 3]} << 24u);
    return static_cast<size_t>((v * 2654435761u) >> (32 - HashBits));
  };
  for (int i = 0; i < n;) {
    int best = 0, distance = 0;
    if (i + MinMatch <= n) {
      const size_t h = hash(i);
      const int candidate = head[h];
      head[h] = i;
      if (candidate >= 0 && i - candidate <= Window) {
        const int limit = std::min(MaxMatch, n - i);
        int len = 0;
        while (len < limit && bytes[candidate + len] == bytes[i + len]) ++len;
        if (len >= MinMatch) best = len, distance = i - candidate;
      }
    }
    if (best > 0) {
      PutMatch(w, best, distance);
      // Index a few positions inside the match so that later runs find it.
      for (int k = 1; k < best && i + k + MinMatch <= n; k += 3) head[hash(i + k)] = i + k;
      i += best;
    } else {
      PutSymbol(w, bytes[i]);
      ++i;
    }
  }
  PutSymbol(w, 256);
  w.Flush();
  PutU32BigEndian(out, Adler32(bytes));
  return out;
}

std::vector<uint8_t> EncodePngRgba(std::span<const uint8_t> rgba, int32_t width, int32_t height) {
  const size_t stride = static_cast<size_t>(width) * 4;
  if (width <= 0 || height <= 0 || rgba.size() != stride * static_cast<size_t>(height))
    throw std::invalid_argument("PNG pixels do not match the picture size");
  // Each row is filtered with whichever of None, Sub and Up leaves the smallest bytes.
  std::vector<uint8_t> filtered;
  filtered.reserve((stride + 1) * height);
  std::vector<uint8_t> candidate[3];
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rgba.data() + y * stride;
    const uint8_t* above = y > 0 ? row - stride : nullptr;
    int bestFilter = 0;
    uint64_t bestCost = UINT64_MAX;
    for (int f = 0; f < 3; ++f) {
      candidate[f].resize(stride);
      uint64_t cost = 0;
      for (size_t i = 0; i < stride; ++i) {
        const uint8_t left = i >= 4 ? row[i - 4] : 0, up = above ? above[i] : 0;
        const uint8_t v = static_cast<uint8_t>(row[i] - (f == 1 ? left : f == 2 ? up : 0));
        candidate[f][i] = v;
        cost += v < 128 ? v : 256 - v;
      }
      if (cost < bestCost) bestCost = cost, bestFilter = f;
    }
    filtered.push_back(static_cast<uint8_t>(bestFilter));
    filtered.insert(filtered.end(), candidate[bestFilter].begin(), candidate[bestFilter].end());
  }
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutU32BigEndian(header, static_cast<uint32_t>(width));
  PutU32BigEndian(header, static_cast<uint32_t>(height));
  for (uint8_t b : {8, 6, 0, 0, 0}) header.push_back(b);  // 8-bit RGBA, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", Deflate(filtered));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace quellix::media
