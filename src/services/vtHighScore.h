// The high-score table: best first, kept in "highscores.txt" one record a line as a
// comma list (name, score, level, title). Loaded at start-up (a missing file is
// written at once with the default table), saved at close without ever leaving a
// half-written file, and drawn as a table of rank, name, score and level.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/vtMedia.h"

namespace quellix {

class ILog;
class Tvt6FontItem;

struct Tvt6HighScoreRecord {
  std::string Name;
  int32_t Score = 0;
  int32_t Level = 0;
  std::string Title;

  // Reads a line item by item, storing each as it goes; throws at the first missing
  // item or bad number, leaving the items before it set.
  void SetAsString(std::string_view line);
  std::string GetAsString() const;
  bool operator==(const Tvt6HighScoreRecord&) const = default;
};

class Tvt6HighScoreEngine {
 public:
  using TRowEvent = std::function<void(Tvt6HighScoreEngine& sender, int32_t row)>;

  // Load and save errors go to log.
  explicit Tvt6HighScoreEngine(ILog& log) : fLog(log) {}

  void AddRecord(std::string name, std::string title, int32_t score, int32_t level);
  // Throws std::out_of_range unless 0 <= index <= Count().
  void InsertRecord(std::string name, std::string title, int32_t index, int32_t score,
                    int32_t level);
  int32_t Count() const { return static_cast<int32_t>(fRecords.size()); }
  // None when the index is outside the table.
  Tvt6HighScoreRecord* Record(int32_t index);
  const Tvt6HighScoreRecord* Record(int32_t index) const;
  // An index outside the table is ignored.
  void Delete(int32_t index);
  void Clear() { fRecords.clear(); }

  // Where a final score enters: the first record, from the top, with a lower score;
  // -1 when none has.
  int32_t FindRank(int32_t score) const;

  // Ten records "Vez Uzodaz" / "Master Devuvov" from 100000 at level 20 down to 10000
  // at level 11.
  void LoadDefaults();
  // Every line of the file becomes a record, blank lines too; a bad line is logged and
  // loading goes on. A missing file gives the default table, saved to path at once.
  // An existing file that cannot be read raises std::runtime_error, and the table
  // will not be saved over it.
  // What an interrupted save left beside the file is removed first.
  void LoadFromFile(const std::string& path);
  // The table from the file's text (path names it in the log).
  void LoadFromText(std::string_view content, const std::string& path);
  // Replaces the file in one step; a failure is logged and the old file stays.
  // Returns whether the table was saved.
  bool SaveToFile(const std::string& path);
  // The file's text as SaveToFile writes it: a line per record, each ended by CR LF.
  std::string AsText() const;

  // Draws the caption, the column headers and one row per record, as many as fit on
  // the screen, on the display's text canvas in the engine's font; the canvas is
  // released also when drawing fails.
  void DrawTable();

  // Where the last DrawTable put a row: its top, -1 for a row not drawn; and the right
  // edge of the table's last column.
  int32_t RowTop(int32_t row) const;
  int32_t TableRight() const;

  void SetDisplay(IDisplay* display) { fDisplay = display; }
  void SetFont(Tvt6FontItem* font) { fFont = font; }
  Tvt6FontItem* Font() const { return fFont; }

  std::string Caption = "High Scores";
  int32_t TableLeft = 150;
  int32_t CaptionTop = 50;
  int32_t RankWidth = 40;
  int32_t NameWidth = 200;
  int32_t ScoreWidth = 130;
  int32_t LevelWidth = 60;
  int32_t ColumnGap = 10;
  int32_t RowHeight = 24;
  int32_t RowGap = 5;
  // Called around each drawn row with the row index.
  TRowEvent OnBeforeRow;
  TRowEvent OnAfterRow;

 private:
  void DrawRows(ITextCanvas& canvas);

  ILog& fLog;
  std::vector<std::unique_ptr<Tvt6HighScoreRecord>> fRecords;
  IDisplay* fDisplay = nullptr;
  Tvt6FontItem* fFont = nullptr;
  std::string fUnreadPath;  // the file of the last load, when it could not be read
  std::vector<int32_t> fRowTops;
};

}  // namespace quellix
