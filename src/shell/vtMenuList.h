// The list of a menu screen: rows of text cells in columns (a row of one cell spans them
// all), one row chosen (lit), as many rows shown as fit and the rest scrolled to. The keys and the
// controller's pad move the choice; the pointer chooses the row it moves onto.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/vtMedia.h"

namespace quellix {

struct TMenuColumn {
  int32_t Left = 0;
  int32_t Width = 0;
  enum class TAlign : uint8_t { Left, Centre, Right } Align = TAlign::Left;
};

using TMenuRow = std::vector<std::string>;

class TMenuList {
 public:
  TMenuList(int32_t top, int32_t rowHeight, int32_t shownRows, std::vector<TMenuColumn> columns,
            int32_t fontSize = 14);

  // Keeps the chosen row where it can.
  void SetRows(std::vector<TMenuRow> rows);
  const std::vector<TMenuRow>& Rows() const { return fRows; }
  int32_t RowCount() const { return static_cast<int32_t>(fRows.size()); }
  // -1 when there are no rows.
  int32_t Chosen() const { return fChosen; }
  void Choose(int32_t row);

  // Up, Down, Page Up, Page Down, Home, End and the pad's up and down move the choice;
  // false for any other key.
  bool Navigate(int32_t key);
  // The row shown at the point, -1 for none; the column, -1 for none.
  int32_t RowAt(int32_t x, int32_t y) const;
  int32_t ColumnAt(int32_t x) const;

  // Draws the rows shown, the chosen one lit; the canvas is released.
  void Draw(IDisplay& display) const;
  // Draws a heading above each column, placed as its cells are.
  void DrawHeadings(IDisplay& display, const TMenuRow& headings, TColor color) const;
  // The first row shown.
  int32_t First() const { return fFirst; }

 private:
  void Scroll();
  // The cells of a row whose top is at y.
  void DrawCells(ITextCanvas& canvas, const TMenuRow& cells, int32_t y) const;

  int32_t fTop, fRowHeight, fShownRows, fFontSize;
  std::vector<TMenuColumn> fColumns;
  std::vector<TMenuRow> fRows;
  int32_t fChosen = -1;
  int32_t fFirst = 0;
};

}  // namespace quellix
