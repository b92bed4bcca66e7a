#include "shell/vtReplaysScreen.h"

#include <algorithm>
#include <cctype>

#include "engine/vtEngine.h"
#include "game/vtAssetNames.h"
#include "services/vtHighScore.h"
#include "shell/vtGameKeeper.h"
#include "shell/vtMainWindow.h"
#include "shell/vtMenuLook.h"
#include "shell/vtReplayWatch.h"
#include "shell/vtTitleScreen.h"

namespace quellix {

namespace {

constexpr int32_t ListTop = 128;
constexpr int32_t RowHeight = 27;
constexpr int32_t ShownRows = 14;
constexpr int32_t FontSize = 12;
constexpr int32_t MarkGap = 12;

using TAlign = TMenuColumn::TAlign;
// When, difficulty, score, level, length, and a word on the game.
const std::vector<TMenuColumn> Columns = {{60, 160, TAlign::Left},   {235, 100, TAlign::Left},
                                          {340, 100, TAlign::Right}, {455, 70, TAlign::Centre},
                                          {530, 80, TAlign::Centre}, {625, 120, TAlign::Left}};
const TMenuRow Headings = {"PLAYED", "DIFFICULTY", "SCORE", "LEVEL", "LENGTH", ""};

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// Minutes and seconds of play at 25 ticks a second.
std::string Length(int64_t ticks) {
  const int64_t seconds = ticks / 25;
  const int64_t s = seconds % 60;
  return std::to_string(seconds / 60) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
}

}  // namespace

TReplaysScreen::TReplaysScreen(TfrmMain& main, TfrmTitleScreen& title, TReplayWatch& watch)
    : TMenuScreen(main, title, "REPLAYS",
                  TMenuList(ListTop, RowHeight, ShownRows, Columns, FontSize)),
      fWatch(watch) {}

void TReplaysScreen::LoadGames() {
  fGames.clear();
  fTableGames.clear();
  if (fMain.ShowsKeptGames()) {
    fGames = fMain.Keeper()->Games().List();
    fTableGames = TKeptGames::GamesOfRows(fGames, *fMain.MainEngine()->HighScoreEngine());
  }
  Sort();
}

void TReplaysScreen::Sort() {
  std::stable_sort(fGames.begin(), fGames.end(), [this](const TKeptGame& a, const TKeptGame& b) {
    if (fBestFirst && a.Score != b.Score) return a.Score > b.Score;
    if (fBestFirst && a.Level != b.Level) return a.Level > b.Level;
    return a.Recorded > b.Recorded;
  });
}

void TReplaysScreen::Enter() {
  LoadGames();
  Open();
  fList.Choose(fGames.empty() ? 0 : FirstGameRow);
}

void TReplaysScreen::Resume() {
  const int32_t chosen = fList.Chosen();
  fMain.Globals.GameState = gsReplays;
  Enter();
  fList.Choose(chosen);
}

std::vector<TMenuRow> TReplaysScreen::MakeRows() {
  std::vector<TMenuRow> rows = {{fBestFirst ? "ORDER: BEST FIRST (take to show the newest first)"
                                            : "ORDER: NEWEST FIRST (take to show the best first)"}};
  for (const TKeptGame& game : fGames) {
    std::string note;
    if (!game.Problem.empty())
      note = game.Problem.find("other game data") != std::string::npos ? "OTHER DATA" : "DAMAGED";
    else if (std::find(fTableGames.begin(), fTableGames.end(), game.Path) != fTableGames.end())
      note = "HIGH SCORE";
    rows.push_back({game.Recorded > 0 ? RecordedText(game.Recorded) : "?", Upper(game.Difficulty),
                    std::to_string(game.Score), std::to_string(game.Level), Length(game.Ticks),
                    note});
  }
  return rows;
}

bool TReplaysScreen::Watch(const std::string& path) {
  const std::string problem = fWatch.Start(path, [this] { Resume(); });
  if (problem.empty()) return true;
  Say("Replay refused: " + problem, true);
  return false;
}

void TReplaysScreen::Take(int32_t row, int32_t /*column*/) {
  if (row < FirstGameRow) {
    fBestFirst = !fBestFirst;
    Sort();
    return;
  }
  const TKeptGame& game = fGames.at(static_cast<size_t>(row - FirstGameRow));
  if (!game.Problem.empty()) {
    fMain.ErrorLog().Log("Replay refused: " + game.Problem);
    Say("Replay refused: " + game.Problem, true);
    return;
  }
  Watch(game.Path);
}

std::string TReplaysScreen::Hint() const {
  return "Up, Down: choose   Enter, click: watch (Space pauses, Up, Down: speed, N: next "
         "level)   Esc: back";
}

void TReplaysScreen::DrawMore(IDisplay& display) {
  fList.DrawHeadings(display, Headings, MenuLook::Heading);
  if (fGames.empty()) {
    ITextCanvas& canvas = display.Canvas();
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font = MenuLook::Font(12, MenuLook::Text);
    const std::string word = fMain.ShowsKeptGames()
                                 ? "No game is kept yet: every game played is kept here."
                                 : "The kept games are not shown while a session is recorded or "
                                   "replayed.";
    canvas.TextOut(ScreenWidth / 2 - canvas.TextWidth(word) / 2, ListTop + 3 * RowHeight, word);
    canvas.Release();
  }
}

// ---- The high-score table ------------------------------------------------------

void TReplaysScreen::TableShown() {
  fTableGames.clear();
  fTableCursorShown = false;
  fTableX = ScreenWidth / 2;
  fTableY = ScreenHeight / 2;
  if (!fMain.ShowsKeptGames()) return;
  fTableGames = TKeptGames::GamesOfRows(fMain.Keeper()->Games().List(),
                                        *fMain.MainEngine()->HighScoreEngine());
  fMarkImage = ImageOf(scenes::GameMark);
  fCursorImage = ImageOf(scenes::Mouse);
}

int32_t TReplaysScreen::TableRowAt(int32_t x, int32_t y) const {
  const Tvt6HighScoreEngine& table = *fMain.MainEngine()->HighScoreEngine();
  if (x < table.TableLeft || x > table.TableRight() + 40) return -1;
  for (int32_t row = 0; row < static_cast<int32_t>(fTableGames.size()); ++row) {
    const int32_t top = table.RowTop(row);
    if (top >= 0 && y >= top && y < top + table.RowHeight + table.RowGap) return row;
  }
  return -1;
}

void TReplaysScreen::TableTick() {
  // Without a kept game on the table the screen is as it always was.
  if (std::all_of(fTableGames.begin(), fTableGames.end(),
                  [](const std::string& path) { return path.empty(); }))
    return;
  const Tvt6HighScoreEngine& table = *fMain.MainEngine()->HighScoreEngine();
  IImageList& images = fMain.Platform().ImageList();
  for (int32_t row = 0; row < static_cast<int32_t>(fTableGames.size()); ++row)
    if (!fTableGames[static_cast<size_t>(row)].empty() && table.RowTop(row) >= 0 && fMarkImage >= 0)
      images.Draw(fMarkImage, table.TableRight() + MarkGap, table.RowTop(row));

  const IInput& input = fMain.Platform().Input();
  if (input.MouseX() != 0 || input.MouseY() != 0) fTableCursorShown = true;
  fTableX = std::clamp(fTableX + input.MouseX(), 0, ScreenWidth - 1);
  fTableY = std::clamp(fTableY + input.MouseY(), 0, ScreenHeight - 1);
  if (!fTableCursorShown) return;
  if (fCursorImage >= 0) images.Draw(fCursorImage, fTableX, fTableY);
  TGameGlobals& globals = fMain.Globals;
  if (!globals.LeftButtonReleased) return;
  globals.LeftButtonReleased = false;
  const int32_t row = TableRowAt(fTableX, fTableY);
  if (row < 0 || fTableGames[static_cast<size_t>(row)].empty()) return;
  const std::string problem =
      fWatch.Start(fTableGames[static_cast<size_t>(row)], [this] { fMain.ShowHighScores(); });
  if (!problem.empty()) fTableGames[static_cast<size_t>(row)].clear();
}

}  // namespace quellix
