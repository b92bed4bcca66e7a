#include "graphics/vtFontHandler.h"

#include <stdexcept>

namespace quellix {

Tvt6FontItem& Tvt6FontEngine::AddFont(std::string name) {
  Tvt6FontItem& item = *fFonts.emplace_back(std::make_unique<Tvt6FontItem>());
  item.Name = std::move(name);
  return item;
}

Tvt6FontItem& Tvt6FontEngine::Font(int32_t index) {
  if (index < 0 || index >= FontCount())
    throw std::out_of_range("Tvt6FontEngine: font index " + std::to_string(index) +
                            " out of range (count " + std::to_string(FontCount()) + ")");
  return *fFonts[static_cast<size_t>(index)];
}

void Tvt6FontEngine::DeleteFont(int32_t index) {
  Font(index);
  fFonts.erase(fFonts.begin() + index);
}

void Tvt6FontEngine::Clear() {
  while (!fFonts.empty()) DeleteFont(0);
}

Tvt6FontItem* Tvt6FontEngine::FindFont(std::string_view name) {
  for (const auto& item : fFonts)
    if (item->Name == name) return item.get();
  return nullptr;
}

void Tvt6FontEngine::DrawText(std::string_view fontName, int32_t x, int32_t y,
                              std::string_view text) {
  const Tvt6FontItem* style = FindFont(fontName);
  if (!style) return;
  if (!fDisplay) throw std::logic_error("Tvt6FontEngine.DrawText: no display set");
  ITextCanvas& canvas = fDisplay->Canvas();
  try {
    canvas.Brush = style->Brush;
    canvas.Pen = style->Pen;
    canvas.Font = style->Font;
    canvas.TextOut(x, y, text);
  } catch (...) {
    canvas.Release();
    throw;
  }
  canvas.Release();
}

}  // namespace quellix
