#include "config/vtCommaList.h"

namespace quellix {

namespace {

// Codes 1..32 separate items. A NUL byte would end an unquoted item without being
// consumed by anything, so it is skipped like a blank rather than looping forever.
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

bool NeedsQuotes(std::string_view item) {
  if (item.starts_with(ByteOrderMark)) return true;
  for (char c : item) {
    const auto code = static_cast<unsigned char>(c);
    if (code <= 32 || c == '"' || c == ',') return true;
  }
  return false;
}

}  // namespace

TStringList Split(std::string_view text) {
  TStringList items;
  size_t p = 0;
  const size_t n = text.size();
  auto skipBlanks = [&] {
    while (p < n && IsBlank(text[p])) ++p;
  };
  skipBlanks();
  while (p < n) {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;  // closing quote
          break;
        }
        item += text[p++];
      }
    } else {
      const size_t start = p;
      while (p<n&& static_cast<unsigned char>(text[p])> 32 && text[p] != ',') ++p;
      item.assign(text.substr(start, p - start));
    }
    items.push_back(std::move(item));
    skipBlanks();
    if (p < n && text[p] == ',') {
      if (p == n - 1) items.emplace_back();
      ++p;
      skipBlanks();
    }
  }
  return items;
}

std::string Join(const TStringList& items) {
  if (items.size() == 1 && items[0].empty()) return "\"\"";
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string& item = items[i];
    if (NeedsQuotes(item)) {
      out += '"';
      for (char c : item) {
        if (c == '"') out += '"';
        out += c;
      }
      out += '"';
    } else {
      out += item;
    }
    if (i + 1 < items.size()) out += ',';
  }
  return out;
}

}  // namespace quellix
