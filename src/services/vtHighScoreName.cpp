#include "services/vtHighScoreName.h"

namespace quellix {

namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0u) == 0x80u;
}

// Length of the well-formed UTF-8 sequence at text[p] and its code point, or 0 when
// the bytes there are not one (stray continuation, overlong form, surrogate, too big).
size_t DecodeUtf8(std::string_view text, size_t p, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[p]);
  size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80u) {
    code = lead;
    return 1;
  } else if ((lead & 0xE0u) == 0xC0u) {
    length = 2, code = lead & 0x1Fu, min = 0x80;
  } else if ((lead & 0xF0u) == 0xE0u) {
    length = 3, code = lead & 0x0Fu, min = 0x800;
  } else if ((lead & 0xF8u) == 0xF0u) {
    length = 4, code = lead & 0x07u, min = 0x10000;
  } else {
    return 0;
  }
  if (p + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto c = static_cast<unsigned char>(text[p + i]);
    if (!IsContinuation(c)) return 0;
    code = (code << 6u) | (c & 0x3Fu);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

bool IsPrintable(char32_t code) {
  return code >= 0x20 && !(code >= 0x7F && code <= 0x9F);
}

}  // namespace

size_t NameCharacters(std::string_view name) {
  size_t count = 0;
  for (const char c : name) count += IsContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
  return count;
}

void AppendToHighScoreName(std::string& name, std::string_view text) {
  size_t p = 0;
  while (p < text.size()) {
    char32_t code = 0;
    const size_t length = DecodeUtf8(text, p, code);
    if (length == 0) {
      ++p;
      continue;
    }
    if (IsPrintable(code)) name.append(text.substr(p, length));
    p += length;
  }
}

std::string CleanHighScoreName(std::string_view text) {
  std::string name;
  AppendToHighScoreName(name, text);
  return name;
}

void EraseLastCharacter(std::string& name) {
  if (name.empty()) return;
  // The name holds well-formed UTF-8 only, so the last character starts at the last
  // byte that is not a continuation byte.
  size_t start = name.size() - 1;
  while (start > 0 && IsContinuation(static_cast<unsigned char>(name[start]))) --start;
  name.erase(start);
}

}  // namespace quellix
