#include "services/vtHighScore.h"

#include <filesystem>
#include <stdexcept>

#include "base/vtAtomicFile.h"
#include "base/vtFileSystem.h"
#include "base/vtLog.h"
#include "config/vtCommaList.h"
#include "config/vtSaturate.h"
#include "config/vtStrToInt.h"
#include "config/vtTextFile.h"
#include "graphics/vtFontHandler.h"

namespace quellix {

namespace {

const std::string& ItemAt(const TStringList& items, size_t index, const char* what) {
  if (index >= items.size())
    throw std::out_of_range(std::string("High-score line has no ") + what + " (item " +
                            std::to_string(index + 1) + ")");
  return items[index];
}

}  // namespace

// ---- Tvt6HighScoreRecord ------------------------------------------------------

void Tvt6HighScoreRecord::SetAsString(std::string_view line) {
  const TStringList items = Split(line);
  Name = ItemAt(items, 0, "name");
  Score = StrToInt(ItemAt(items, 1, "score"));
  Level = StrToInt(ItemAt(items, 2, "level"));
  Title = ItemAt(items, 3, "title");
}

std::string Tvt6HighScoreRecord::GetAsString() const {
  return Join({Name, std::to_string(Score), std::to_string(Level), Title});
}

// ---- Tvt6HighScoreEngine ------------------------------------------------------

void Tvt6HighScoreEngine::AddRecord(std::string name, std::string title, int32_t score,
                                    int32_t level) {
  InsertRecord(std::move(name), std::move(title), Count(), score, level);
}

void Tvt6HighScoreEngine::InsertRecord(std::string name, std::string title, int32_t index,
                                       int32_t score, int32_t level) {
  if (index < 0 || index > Count())
    throw std::out_of_range("Tvt6HighScoreEngine: cannot insert at " + std::to_string(index) +
                            " in a table of " + std::to_string(Count()));
  auto record = std::make_unique<Tvt6HighScoreRecord>(
      Tvt6HighScoreRecord{std::move(name), score, level, std::move(title)});
  fRecords.insert(fRecords.begin() + index, std::move(record));
}

Tvt6HighScoreRecord* Tvt6HighScoreEngine::Record(int32_t index) {
  if (index < 0 || index >= Count()) return nullptr;
  return fRecords[static_cast<size_t>(index)].get();
}

const Tvt6HighScoreRecord* Tvt6HighScoreEngine::Record(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fRecords[static_cast<size_t>(index)].get();
}

int32_t Tvt6HighScoreEngine::RowTop(int32_t row) const {
  return row >= 0 && row < static_cast<int32_t>(fRowTops.size())
             ? fRowTops[static_cast<size_t>(row)]
             : -1;
}

int32_t Tvt6HighScoreEngine::TableRight() const {
  return TableLeft + RankWidth + NameWidth + ScoreWidth + LevelWidth + 3 * ColumnGap;
}

void Tvt6HighScoreEngine::Delete(int32_t index) {
  if (index < 0 || index >= Count()) return;
  fRecords.erase(fRecords.begin() + index);
}

int32_t Tvt6HighScoreEngine::FindRank(int32_t score) const {
  for (size_t i = 0; i < fRecords.size(); ++i)
    if (fRecords[i]->Score < score) return static_cast<int32_t>(i);
  return -1;
}

void Tvt6HighScoreEngine::LoadDefaults() {
  Clear();
  for (int32_t i = 0; i < 10; ++i)
    AddRecord("Vez Uzodaz", "Master Devuvov", 100000 - 10000 * i, 20 - i);
}

void Tvt6HighScoreEngine::LoadFromFile(const std::string& path) {
  if (path.empty()) throw std::invalid_argument("Tvt6HighScoreEngine.LoadFromFile: no file name");
  Clear();
  if (RemoveStaleTemporary(path))
    fLog.Log("Tvt6HighScoreEngine.LoadFromFile removed \"" + TemporaryPath(path) +
             "\", left by a save that did not finish");
  std::error_code error;
  if (!std::filesystem::exists(PathOf(path), error) && !error) {
    LoadDefaults();
    SaveToFile(path);
    return;
  }
  std::string content;
  try {
    content = ReadTextFile(path);
  } catch (...) {
    fUnreadPath = path;
    throw;
  }
  fUnreadPath.clear();
  LoadFromText(content, path);
}

void Tvt6HighScoreEngine::LoadFromText(std::string_view content, const std::string& path) {
  Clear();
  const TStringList lines = SplitLines(content);
  fRecords.reserve(lines.size());
  size_t bad = 0;
  for (const std::string& line : lines) {
    Tvt6HighScoreRecord& record = *fRecords.emplace_back(std::make_unique<Tvt6HighScoreRecord>());
    try {
      record.SetAsString(line);
    } catch (const std::exception& e) {
      ++bad;
      fLog.Log(std::string("Tvt6HighScoreRecord.SetAsString  reports the following error:") + "\r" +
               e.what() + "\r" + "Value: " + line);
    }
  }
  const std::string file = "High-score file \"" + path + "\"";
  if (bad > 0)
    fLog.Log(file + ": " + std::to_string(bad) + " of " + std::to_string(lines.size()) +
             " lines could not be read in full");
  if (lines.empty()) fLog.Log(file + " holds no records");
}

std::string Tvt6HighScoreEngine::AsText() const {
  std::string content;
  for (const auto& record : fRecords) content += record->GetAsString() + "\r\n";
  return content;
}

bool Tvt6HighScoreEngine::SaveToFile(const std::string& path) {
  const std::string content = AsText();
  try {
    if (path.empty()) throw std::invalid_argument("no file name");
    // The table in memory does not hold what that file holds: keep the file.
    if (path == fUnreadPath)
      throw std::runtime_error("\"" + path + "\" could not be read when loading; not replaced");
    WriteFileAtomically(path, content);
    return true;
  } catch (const std::exception& e) {
    fLog.Log(std::string("Tvt6HighScoreEngine.SaveToFile reports the following error: ") +
             e.what());
    return false;
  }
}

void Tvt6HighScoreEngine::DrawTable() {
  if (!fDisplay) throw std::logic_error("Tvt6HighScoreEngine.DrawTable: no display set");
  if (!fFont) throw std::logic_error("Tvt6HighScoreEngine.DrawTable: no font set");
  ITextCanvas& canvas = fDisplay->Canvas();
  try {
    DrawRows(canvas);
  } catch (...) {
    canvas.Release();
    throw;
  }
  canvas.Release();
}

void Tvt6HighScoreEngine::DrawRows(ITextCanvas& canvas) {
  canvas.Brush.Color = 0;
  canvas.Brush.Style = TBrushStyle::Clear;
  canvas.Pen.Color = 0;
  canvas.Font = fFont->Font;

  const int32_t captionHeight = canvas.TextHeight(Caption);
  canvas.TextOut(ScreenWidth / 2 - canvas.TextWidth(Caption) / 2, CaptionTop, Caption);

  struct TColumn {
    const char* Label;
    int32_t X, Width;
  };
  const int32_t rankX = TableLeft;
  const int32_t nameX = rankX + RankWidth + ColumnGap;
  const int32_t scoreX = nameX + NameWidth + ColumnGap;
  const int32_t levelX = scoreX + ScoreWidth + ColumnGap;
  const TColumn columns[4] = {{"RANK", rankX, RankWidth},
                              {"NAME", nameX, NameWidth},
                              {"SCORE", scoreX, ScoreWidth},
                              {"LEVEL", levelX, LevelWidth}};

  const int32_t headerY = CaptionTop + captionHeight + RowHeight;
  for (const TColumn& c : columns)
    canvas.TextOut(c.X + c.Width / 2 - canvas.TextWidth(c.Label) / 2, headerY, c.Label);

  int32_t rowY = headerY + captionHeight + RowHeight;
  fRowTops.clear();
  // Handlers may change the table; the count is read anew for every row. Rows below
  // the screen are not drawn, however long the table.
  for (int32_t row = 0; row < Count() && rowY < ScreenHeight; ++row) {
    if (OnBeforeRow) OnBeforeRow(*this, row);
    canvas.Font = fFont->Font;
    const Tvt6HighScoreRecord* record = Record(row);
    if (!record) break;
    fRowTops.push_back(rowY);
    const std::string cells[4] = {std::to_string(row + 1), record->Name,
                                  std::to_string(record->Score), std::to_string(record->Level)};
    for (int i = 0; i < 4; ++i)
      canvas.TextRect(Bounds(columns[i].X, rowY, columns[i].Width, RowHeight), columns[i].X, rowY,
                      cells[i]);
    if (OnAfterRow) OnAfterRow(*this, row);
    rowY = SaturatedAdd(rowY, SaturatedAdd(RowHeight, RowGap));
  }
}

}  // namespace quellix
