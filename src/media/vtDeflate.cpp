#include "media/vtDeflate.h"

#include <algorithm>
#include <array>

#include "media/vtHuffman.h"
#include "media/vtLz77.h"

namespace quellix::media {

namespace {

constexpr int LitLenSymbols = 286, DistSymbols = 30, CodeLengthSymbols = 19;
constexpr int EndOfBlock = 256, FirstLengthSymbol = 257;
constexpr int MaxCodeLength = 15, MaxCodeLengthCodeLength = 7;
constexpr size_t StoredMax = 65535;
// Tokens per block: each block has codes fitted to its own part of the input.
constexpr size_t BlockTokens = 16384;

constexpr int LengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int LengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int DistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                              33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                              1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int DistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                               6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block sends the lengths of its code-length code.
constexpr int CodeLengthOrder[CodeLengthSymbols] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                    11, 4,  12, 3, 13, 2, 14, 1, 15};
// The code-length symbols 16 (repeat the last length), 17 and 18 (runs of zeros).
constexpr int RepeatLast = 16, ShortZeros = 17, LongZeros = 18;

// For each value below Values, the code whose base is the last at or below it.
template <size_t Values, size_t Codes>
std::array<uint8_t, Values> CodeTable(const int (&bases)[Codes]) {
  std::array<uint8_t, Values> table{};
  size_t code = 0;
  for (size_t v = bases[0]; v < Values; ++v) {
    while (code + 1 < Codes && static_cast<size_t>(bases[code + 1]) <= v) ++code;
    table[v] = static_cast<uint8_t>(code);
  }
  return table;
}
// The code of each length (3 to 258) and of each distance (1 to 32768).
int LengthCode(int length) {
  static const std::array<uint8_t, 259> codes = CodeTable<259>(LengthBase);
  return codes[length];
}
int DistCode(int distance) {
  static const std::array<uint8_t, 32769> codes = CodeTable<32769>(DistBase);
  return codes[distance];
}
int RunExtraBits(int symbol) {
  return symbol == RepeatLast ? 2 : symbol == ShortZeros ? 3 : symbol == LongZeros ? 7 : 0;
}

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
  // Pads with zero bits to the next byte.
  void Align() { Bits(0, (8 - fCount) % 8); }

 private:
  std::vector<uint8_t>& fOut;
  uint64_t fBuffer = 0;
  int fCount = 0;
};

struct TCode {
  std::vector<uint8_t> Lengths;
  std::vector<uint16_t> Codes;

  void Put(TBitWriter& w, int symbol) const { w.Bits(Codes[symbol], Lengths[symbol]); }
};
TCode CodeOf(std::vector<uint8_t> lengths) {
  std::vector<uint16_t> codes = CanonicalCodes(lengths);
  return {std::move(lengths), std::move(codes)};
}

const TCode& FixedLitLenCode() {
  static const TCode code = [] {
    std::vector<uint8_t> lengths(288, 8);
    std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
    std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
    return CodeOf(lengths);
  }();
  return code;
}
const TCode& FixedDistCode() {
  static const TCode code = CodeOf(std::vector<uint8_t>(DistSymbols, 5));
  return code;
}

// How often a block uses each symbol, and its extra bits.
struct TBlockCounts {
  std::array<uint32_t, LitLenSymbols> LitLen{};
  std::array<uint32_t, DistSymbols> Dist{};
  uint64_t ExtraBits = 0;

  explicit TBlockCounts(std::span<const TLz77Token> tokens) {
    LitLen[EndOfBlock] = 1;
    for (const TLz77Token& t : tokens) {
      if (t.Distance == 0) {
        ++LitLen[t.Length];
        continue;
      }
      const int l = LengthCode(t.Length), d = DistCode(t.Distance);
      ++LitLen[FirstLengthSymbol + l];
      ++Dist[d];
      ExtraBits += LengthExtra[l] + DistExtra[d];
    }
  }
  uint64_t Bits(const TCode& litLen, const TCode& dist) const {
    uint64_t bits = ExtraBits;
    for (int s = 0; s < LitLenSymbols; ++s) bits += uint64_t{LitLen[s]} * litLen.Lengths[s];
    for (int s = 0; s < DistSymbols; ++s) bits += uint64_t{Dist[s]} * dist.Lengths[s];
    return bits;
  }
};

// What a dynamic block sends before its data: the lengths of its two codes, run-length
// coded, under a code of their own.
class TDynamicHeader {
 public:
  TDynamicHeader(const TCode& litLen, const TCode& dist) {
    fLitLenCount = LitLenSymbols;
    while (fLitLenCount > FirstLengthSymbol && litLen.Lengths[fLitLenCount - 1] == 0)
      --fLitLenCount;
    fDistCount = DistSymbols;
    while (fDistCount > 1 && dist.Lengths[fDistCount - 1] == 0) --fDistCount;
    std::vector<uint8_t> lengths(litLen.Lengths.begin(), litLen.Lengths.begin() + fLitLenCount);
    lengths.insert(lengths.end(), dist.Lengths.begin(), dist.Lengths.begin() + fDistCount);
    RunLengths(lengths);
    std::array<uint32_t, CodeLengthSymbols> counts{};
    for (const TRun& r : fRuns) ++counts[r.Symbol];
    fCode = CodeOf(CodeLengths(counts, MaxCodeLengthCodeLength));
    fCodeCount = CodeLengthSymbols;
    while (fCodeCount > 4 && fCode.Lengths[CodeLengthOrder[fCodeCount - 1]] == 0) --fCodeCount;
  }

  uint64_t Bits() const {
    uint64_t bits = 5 + 5 + 4 + 3 * fCodeCount;
    for (const TRun& r : fRuns) bits += fCode.Lengths[r.Symbol] + RunExtraBits(r.Symbol);
    return bits;
  }

  void Put(TBitWriter& w) const {
    w.Bits(fLitLenCount - FirstLengthSymbol, 5);
    w.Bits(fDistCount - 1, 5);
    w.Bits(fCodeCount - 4, 4);
    for (int i = 0; i < fCodeCount; ++i) w.Bits(fCode.Lengths[CodeLengthOrder[i]], 3);
    for (const TRun& r : fRuns) {
      fCode.Put(w, r.Symbol);
      w.Bits(r.Extra, RunExtraBits(r.Symbol));
    }
  }

 private:
  struct TRun {
    uint8_t Symbol, Extra;
  };

  // Runs of one length: zeros as 17 (3 to 10) or 18 (11 to 138), others sent once
  // and repeated by 16 (3 to 6 times). Runs may cross from one code into the next.
  void RunLengths(std::span<const uint8_t> lengths) {
    for (size_t i = 0; i < lengths.size();) {
      const uint8_t v = lengths[i];
      int run = 1;
      while (i + run < lengths.size() && lengths[i + run] == v) ++run;
      i += run;
      if (v == 0) {
        for (; run >= 11; run -= std::min(run, 138))
          fRuns.push_back({LongZeros, static_cast<uint8_t>(std::min(run, 138) - 11)});
        if (run >= 3) fRuns.push_back({ShortZeros, static_cast<uint8_t>(run - 3)}), run = 0;
      } else {
        fRuns.push_back({v, 0});
        --run;
        for (; run >= 3; run -= std::min(run, 6))
          fRuns.push_back({RepeatLast, static_cast<uint8_t>(std::min(run, 6) - 3)});
      }
      for (; run > 0; --run) fRuns.push_back({v, 0});
    }
  }

  int fLitLenCount, fDistCount, fCodeCount;
  std::vector<TRun> fRuns;
  TCode fCode;
};

void PutTokens(TBitWriter& w, std::span<const TLz77Token> tokens, const TCode& litLen,
               const TCode& dist) {
  for (const TLz77Token& t : tokens) {
    if (t.Distance == 0) {
      litLen.Put(w, t.Length);
      continue;
    }
    const int l = LengthCode(t.Length), d = DistCode(t.Distance);
    litLen.Put(w, FirstLengthSymbol + l);
    w.Bits(t.Length - LengthBase[l], LengthExtra[l]);
    dist.Put(w, d);
    w.Bits(t.Distance - DistBase[d], DistExtra[d]);
  }
  litLen.Put(w, EndOfBlock);
}

// The bytes as they are, in blocks of at most 65535.
void PutStored(TBitWriter& w, std::span<const uint8_t> bytes, bool last) {
  size_t at = 0;
  do {
    const size_t size = std::min(bytes.size() - at, StoredMax);
    w.Bits(last && at + size == bytes.size(), 1);
    w.Bits(0, 2);
    w.Align();
    w.Bits(static_cast<uint32_t>(size), 16);
    w.Bits(static_cast<uint32_t>(~size & 0xFFFFu), 16);
    for (size_t i = 0; i < size; ++i) w.Bits(bytes[at + i], 8);
    at += size;
  } while (at < bytes.size());
}

// One block of tokens, which stand for the bytes given, in its shortest form.
void PutBlock(TBitWriter& w, std::span<const TLz77Token> tokens, std::span<const uint8_t> bytes,
              bool last) {
  const TBlockCounts counts(tokens);
  const TCode litLen = CodeOf(CodeLengths(counts.LitLen, MaxCodeLength));
  const TCode dist = CodeOf(CodeLengths(counts.Dist, MaxCodeLength));
  const TDynamicHeader header(litLen, dist);
  constexpr uint64_t BlockHeader = 3;
  const uint64_t dynamicBits = BlockHeader + header.Bits() + counts.Bits(litLen, dist);
  const uint64_t fixedBits = BlockHeader + counts.Bits(FixedLitLenCode(), FixedDistCode());
  // At most seven bits of padding, and the two lengths, for each stored block.
  const uint64_t storedBits =
      (bytes.size() / StoredMax + 1) * (BlockHeader + 7 + 32) + 8 * uint64_t{bytes.size()};
  if (storedBits < std::min(dynamicBits, fixedBits)) {
    PutStored(w, bytes, last);
    return;
  }
  w.Bits(last, 1);
  if (dynamicBits < fixedBits) {
    w.Bits(2, 2);
    header.Put(w);
    PutTokens(w, tokens, litLen, dist);
  } else {
    w.Bits(1, 2);
    PutTokens(w, tokens, FixedLitLenCode(), FixedDistCode());
  }
}

uint32_t Adler32(std::span<const uint8_t> bytes) {
  // 5552 bytes are the most whose sums cannot overflow before the modulo.
  constexpr size_t Run = 5552;
  uint32_t a = 1, b = 0;
  for (size_t start = 0; start < bytes.size(); start += Run) {
    for (size_t i = start; i < std::min(bytes.size(), start + Run); ++i) {
      a += bytes[i];
      b += a;
    }
    a %= 65521u;
    b %= 65521u;
  }
  return (b << 16u) | a;
}

}  // namespace

std::vector<uint8_t> Deflate(std::span<const uint8_t> bytes) {
  std::vector<uint8_t> out = {0x78, 0xDA};  // deflate with a 32 KiB window, best compression
  const std::vector<TLz77Token> tokens = Lz77Tokens(bytes);
  TBitWriter w(out);
  size_t at = 0;  // the first byte of the block
  for (size_t first = 0;; first += BlockTokens) {
    const auto block =
        std::span(tokens).subspan(first, std::min(BlockTokens, tokens.size() - first));
    size_t size = 0;
    for (const TLz77Token& t : block) size += t.Distance == 0 ? 1 : t.Length;
    const bool last = first + block.size() == tokens.size();
    PutBlock(w, block, bytes.subspan(at, size), last);
    at += size;
    if (last) break;
  }
  w.Align();
  const uint32_t check = Adler32(bytes);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(check >> shift));
  return out;
}

}  // namespace quellix::media
