#include "shell/vtMenuList.h"

#include <algorithm>

#include "graphics/vtPlatform.h"
#include "shell/vtMenuLook.h"

namespace quellix {

TMenuList::TMenuList(int32_t top, int32_t rowHeight, int32_t shownRows,
                     std::vector<TMenuColumn> columns, int32_t fontSize)
    : fTop(top),
      fRowHeight(rowHeight),
      fShownRows(shownRows),
      fFontSize(fontSize),
      fColumns(std::move(columns)) {}

void TMenuList::SetRows(std::vector<TMenuRow> rows) {
  fRows = std::move(rows);
  Choose(fChosen < 0 ? 0 : fChosen);
}

void TMenuList::Choose(int32_t row) {
  fChosen = fRows.empty() ? -1 : std::clamp(row, 0, RowCount() - 1);
  Scroll();
}

void TMenuList::Scroll() {
  if (fChosen < fFirst) fFirst = std::max(fChosen, 0);
  if (fChosen >= fFirst + fShownRows) fFirst = fChosen - fShownRows + 1;
  fFirst = std::clamp(fFirst, 0, std::max(0, RowCount() - fShownRows));
}

bool TMenuList::Navigate(int32_t key) {
  if (fRows.empty()) return false;
  switch (key) {
    case VK_UP:
    case PadKey(TPadButton::DpadUp):
      Choose(fChosen - 1);
      return true;
    case VK_DOWN:
    case PadKey(TPadButton::DpadDown):
      Choose(fChosen + 1);
      return true;
    case VK_PRIOR:
      Choose(fChosen - fShownRows);
      return true;
    case VK_NEXT:
      Choose(fChosen + fShownRows);
      return true;
    case VK_HOME:
      Choose(0);
      return true;
    case VK_END:
      Choose(RowCount() - 1);
      return true;
    default:
      return false;
  }
}

int32_t TMenuList::RowAt(int32_t x, int32_t y) const {
  if (y < fTop || ColumnAt(x) < 0) return -1;
  const int32_t row = fFirst + (y - fTop) / fRowHeight;
  return row < fFirst + fShownRows && row < RowCount() ? row : -1;
}

int32_t TMenuList::ColumnAt(int32_t x) const {
  for (size_t c = 0; c < fColumns.size(); ++c)
    if (x >= fColumns[c].Left && x < fColumns[c].Left + fColumns[c].Width)
      return static_cast<int32_t>(c);
  return -1;
}

void TMenuList::DrawCells(ITextCanvas& canvas, const TMenuRow& cells, int32_t y) const {
  // A row of one cell spans every column.
  const int32_t left = fColumns.front().Left;
  const TMenuColumn span{left, fColumns.back().Left + fColumns.back().Width - left,
                         TMenuColumn::TAlign::Left};
  for (size_t c = 0; c < cells.size() && c < fColumns.size(); ++c) {
    const TMenuColumn& column = cells.size() == 1 ? span : fColumns[c];
    const int32_t width = canvas.TextWidth(cells[c]);
    int32_t x = column.Left;
    if (column.Align == TMenuColumn::TAlign::Centre) x += (column.Width - width) / 2;
    if (column.Align == TMenuColumn::TAlign::Right) x += column.Width - width;
    const int32_t textTop = y + (fRowHeight - 2 - canvas.TextHeight(cells[c])) / 2;
    canvas.TextRect(Bounds(column.Left, y, column.Width, fRowHeight), x, textTop, cells[c]);
  }
}

void TMenuList::Draw(IDisplay& display) const {
  if (fColumns.empty()) return;
  const int32_t left = fColumns.front().Left;
  const int32_t right = fColumns.back().Left + fColumns.back().Width;
  ITextCanvas& canvas = display.Canvas();
  const int32_t last = std::min(RowCount(), fFirst + fShownRows);
  for (int32_t row = fFirst; row < last; ++row) {
    const int32_t y = fTop + (row - fFirst) * fRowHeight;
    const bool chosen = row == fChosen;
    if (chosen) display.FillRect({left - 8, y, right + 8, y + fRowHeight - 2}, MenuLook::Lit);
    canvas.Font = MenuLook::Font(fFontSize, chosen ? MenuLook::LitText : MenuLook::Text);
    canvas.Brush.Style = TBrushStyle::Clear;
    DrawCells(canvas, fRows[static_cast<size_t>(row)], y);
  }
  canvas.Release();
}

void TMenuList::DrawHeadings(IDisplay& display, const TMenuRow& headings, TColor color) const {
  if (fColumns.empty()) return;
  ITextCanvas& canvas = display.Canvas();
  canvas.Font = MenuLook::Font(fFontSize - 3, color);
  canvas.Brush.Style = TBrushStyle::Clear;
  DrawCells(canvas, headings, fTop - fRowHeight);
  canvas.Release();
}

}  // namespace quellix
