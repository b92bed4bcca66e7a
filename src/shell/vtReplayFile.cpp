#include "shell/vtReplayFile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "base/vtAtomicFile.h"
#include "base/vtFileSystem.h"

namespace quellix {

namespace {

constexpr std::string_view Magic = "quellix-replay";

// ---- What both directions check -----------------------------------------------------

// Empty when the option can be written and read back; else what is wrong with it.
std::string OptionProblem(const std::string& key, const std::string& value) {
  if (key.empty() || key.size() > TReplay::MaxOptionKeyBytes)
    return "an option name must have 1 to " + std::to_string(TReplay::MaxOptionKeyBytes) +
           " characters";
  for (const char c : key)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
      return "an option name may hold only a-z, 0-9, '-' and '_'";
  if (value.size() > TReplay::MaxOptionValueBytes)
    return "an option value may have at most " + std::to_string(TReplay::MaxOptionValueBytes) +
           " characters";
  for (const char c : value)
    if (c <= ' ' || c > '~') return "an option value may hold only visible ASCII characters";
  return "";
}

std::string HighScoreProblem(const std::string& line) {
  if (line.find_first_of("\r\n") != std::string::npos) return "a high-score line holds a line end";
  if (line.size() > TReplay::MaxLineBytes) return "a high-score line is too long";
  return "";
}

char ButtonLetter(TMouseButton button) {
  switch (button) {
    case TMouseButton::Left:
      return 'L';
    case TMouseButton::Right:
      return 'R';
    case TMouseButton::Middle:
      return 'M';
  }
  return '?';
}

// ---- Writing -------------------------------------------------------------------

// Typed text: visible ASCII as it is, every other byte (and '%') as %XX.
std::string EncodeText(std::string_view text) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : text) {
    const auto byte = static_cast<uint8_t>(c);
    if (byte > ' ' && byte <= '~' && byte != '%') {
      encoded += c;
    } else {
      encoded += '%';
      encoded += Digits[byte >> 4u];
      encoded += Digits[byte & 15u];
    }
  }
  return encoded;
}

std::string RepeatSuffix(uint32_t repeat) {
  return repeat > 1 ? " *" + std::to_string(repeat) : "";
}

std::string InputLine(const TReplayInput& input) {
  switch (input.Kind) {
    case TReplayInputKind::Activate:
      return "activate";
    case TReplayInputKind::KeyUp:
      return "key " + std::to_string(input.Key);
    case TReplayInputKind::MouseDown:
      return std::string("press ") + ButtonLetter(input.Button);
    case TReplayInputKind::MouseUp:
      return std::string("release ") + ButtonLetter(input.Button);
    case TReplayInputKind::ModalText:
      return input.Text.empty() ? "type" : "type " + EncodeText(input.Text);
    case TReplayInputKind::ModalKeyDown:
      return "modal-down " + std::to_string(input.Key);
    case TReplayInputKind::ModalKeyUp:
      return "modal-up " + std::to_string(input.Key);
    case TReplayInputKind::Tick:
      if (!input.Polled) return "nopoll" + RepeatSuffix(input.Repeat);
      return "poll " + std::to_string(input.DX) + " " + std::to_string(input.DY) + " " +
             (input.Button0 ? "1" : "0") + RepeatSuffix(input.Repeat);
  }
  return "";
}

std::string Flag(bool on) {
  return on ? "1" : "0";
}

// The lines of the game's start, after its "game N" line.
std::vector<std::string> GameLines(const TGameStart& game) {
  const auto number = [](auto value) { return " " + std::to_string(value); };
  std::vector<std::string> lines = {
      std::string("difficulty ") + DifficultyName(game.Difficulty),
      "switches " + Flag(game.SoundOn) + " " + Flag(game.ShrapnelOn) + " " + Flag(game.ChildMode),
      "random" + number(game.Random.State) + number(game.Random.Increment),
      "requests " + Flag(game.EscapeRequest) + " " + Flag(game.BombRequest) + " " +
          Flag(game.FireRequest) + " " + Flag(game.LeftButtonDown) + " " +
          Flag(game.RightButtonDown),
      "bomb-key" + number(game.BombKey),
      "player" + number(game.ControlX) + number(game.ControlY) + number(game.FireCooldown) +
          number(game.ShotPowerTimer) + number(game.ShieldVariant),
      "wavelength" + number(game.StarWavelength),
  };
  for (const TStarPlace& star : game.Stars)
    lines.push_back("star" + number(star.X) + number(star.Y) + number(star.Width) +
                    number(star.Height) + number(star.Color) + number(star.SpeedX) +
                    number(star.SpeedY) + number(star.TargetX) + number(star.TargetY));
  return lines;
}

void Require(bool ok, const std::string& problem) {
  if (!ok) throw TReplayError("not a good replay: " + problem);
}

}  // namespace

void CheckReplay(const TReplay& replay) {
  Require(replay.Data.size() == GameDataFiles.size(), "it needs one digest per data file");
  for (size_t i = 0; i < GameDataFiles.size(); ++i)
    Require(replay.Data[i].Name == GameDataFiles[i], "the data files are not the game's");
  Require(replay.Options.size() <= TReplay::MaxOptions, "too many options");
  for (size_t i = 0; i < replay.Options.size(); ++i) {
    const auto& [key, value] = replay.Options[i];
    const std::string problem = OptionProblem(key, value);
    Require(problem.empty(), problem);
    for (size_t j = 0; j < i; ++j) Require(replay.Options[j].first != key, "an option given twice");
  }
  Require(replay.HighScores.size() <= TReplay::MaxHighScores, "too many high scores");
  Require(replay.Input.size() <= TReplay::MaxInputLines, "too much input");
  int64_t ticks = 0;
  for (const TReplayInput& input : replay.Input) {
    Require(input.Text.size() <= TReplay::MaxTextBytes, "a typed text is too long");
    Require(input.Repeat >= 1 && (input.IsTick() || input.Repeat == 1), "a bad repeat count");
    if (input.IsTick()) ticks += input.Repeat;
    Require(ticks <= TReplay::MaxTicks, "too many ticks");
  }
  for (const Tvt6HighScoreRecord& record : replay.HighScores) {
    const std::string problem = HighScoreProblem(record.GetAsString());
    Require(problem.empty(), problem);
  }
  if (replay.Game) Require(replay.Game->Stars.size() <= TGameStart::MaxStars, "too many stars");
}

namespace {

// ---- Reading -------------------------------------------------------------------

// The text one line at a time; every line, the last one included, ends with '\n'.
class TLineReader {
 public:
  TLineReader(std::string_view text, const std::string& fileName)
      : fText(text), fFileName(fileName) {}

  // The next line without its end; `expected` says what was looked for.
  std::string_view Next(std::string_view expected) {
    fLineStart = fPos;
    ++fLineNumber;
    const size_t end = fText.find('\n', fPos);
    const size_t limit = fPos + TReplay::MaxLineBytes;
    if (end == std::string_view::npos) {
      if (fText.size() > limit) Fail("the line is too long");
      Fail("the file ends before " + std::string(expected) + " (it is cut short)");
    }
    if (end > limit) Fail("the line is too long");
    fPos = end + 1;
    return fText.substr(fLineStart, end - fLineStart);
  }

  // Everything before the line read last.
  std::string_view Before() const { return fText.substr(0, fLineStart); }
  bool AtEnd() const { return fPos == fText.size(); }

  [[noreturn]] void Fail(const std::string& message) const {
    throw TReplayError(fFileName + ": line " + std::to_string(fLineNumber) + ": " + message);
  }

  const std::string& FileName() const { return fFileName; }

 private:
  std::string_view fText;
  const std::string& fFileName;
  size_t fPos = 0;
  size_t fLineStart = 0;
  size_t fLineNumber = 0;
};

// The line's words, separated by single blanks.
std::vector<std::string_view> Words(const TLineReader& reader, std::string_view line) {
  std::vector<std::string_view> words;
  size_t start = 0;
  while (true) {
    const size_t blank = line.find(' ', start);
    const std::string_view word = line.substr(start, blank - start);
    if (word.empty()) reader.Fail("a stray blank or an empty line");
    words.push_back(word);
    if (blank == std::string_view::npos) return words;
    start = blank + 1;
  }
}

template <class T>
T Number(const TLineReader& reader, std::string_view text, T min, T max, std::string_view what) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < min || value > max)
    reader.Fail("bad " + std::string(what) + " \"" + std::string(text) + "\"");
  return value;
}

uint64_t HexDigest(const TLineReader& reader, std::string_view text) {
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  const bool lowerCase = text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
  if (text.size() != 16 || !lowerCase || error != std::errc() || end != text.data() + text.size())
    reader.Fail("bad digest \"" + std::string(text) + "\" (16 hexadecimal digits expected)");
  return value;
}

// The words of the next line, which must begin with keyword and have `count` words.
std::vector<std::string_view> Keyed(TLineReader& reader, std::string_view keyword, size_t count) {
  const std::vector<std::string_view> words = Words(reader, reader.Next(keyword));
  if (words[0] != keyword || words.size() != count)
    reader.Fail("\"" + std::string(keyword) + "\" line expected");
  return words;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string DecodeText(const TLineReader& reader, std::string_view encoded) {
  std::string text;
  for (size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] != '%') {
      text += encoded[i];
    } else {
      const int high = i + 2 < encoded.size() ? HexValue(encoded[i + 1]) : -1;
      const int low = high >= 0 ? HexValue(encoded[i + 2]) : -1;
      if (low < 0) reader.Fail("bad %-escape in typed text");
      text += static_cast<char>(high * 16 + low);
      i += 2;
    }
    if (text.size() > TReplay::MaxTextBytes) reader.Fail("the typed text is too long");
  }
  return text;
}

TMouseButton ButtonOf(const TLineReader& reader, std::string_view word) {
  for (const TMouseButton button : {TMouseButton::Left, TMouseButton::Right, TMouseButton::Middle})
    if (word.size() == 1 && word[0] == ButtonLetter(button)) return button;
  reader.Fail("bad mouse button \"" + std::string(word) + "\" (L, R or M expected)");
}

int32_t KeyOf(const TLineReader& reader, std::string_view word) {
  return Number<int32_t>(reader, word, INT32_MIN, INT32_MAX, "key");
}

// A tick line's words after the keyword: its values, then an optional "*N".
void ReadTick(const TLineReader& reader, const std::vector<std::string_view>& words,
              TReplayInput& tick) {
  const size_t values = tick.Polled ? 3 : 0;
  if (words.size() != 1 + values && words.size() != 2 + values) reader.Fail("bad tick line");
  if (tick.Polled) {
    tick.DX = Number<int32_t>(reader, words[1], INT32_MIN, INT32_MAX, "motion");
    tick.DY = Number<int32_t>(reader, words[2], INT32_MIN, INT32_MAX, "motion");
    tick.Button0 = Number<int>(reader, words[3], 0, 1, "button state") == 1;
  }
  if (words.size() == 2 + values) {
    const std::string_view repeat = words.back();
    if (repeat[0] != '*') reader.Fail("bad repeat \"" + std::string(repeat) + "\"");
    tick.Repeat = Number<uint32_t>(reader, repeat.substr(1), 2, TReplay::MaxTicks, "repeat");
  }
}

TReplayInput ReadInput(TLineReader& reader) {
  const std::vector<std::string_view> words = Words(reader, reader.Next("the rest of the input"));
  const std::string_view keyword = words[0];
  TReplayInput input;
  const auto expectWords = [&](size_t count) {
    if (words.size() != count) reader.Fail("bad \"" + std::string(keyword) + "\" line");
  };
  if (keyword == "poll" || keyword == "nopoll") {
    input.Kind = TReplayInputKind::Tick;
    input.Polled = keyword == "poll";
    ReadTick(reader, words, input);
  } else if (keyword == "activate") {
    expectWords(1);
    input.Kind = TReplayInputKind::Activate;
  } else if (keyword == "key" || keyword == "modal-down" || keyword == "modal-up") {
    expectWords(2);
    input.Kind = keyword == "key"          ? TReplayInputKind::KeyUp
                 : keyword == "modal-down" ? TReplayInputKind::ModalKeyDown
                                           : TReplayInputKind::ModalKeyUp;
    input.Key = KeyOf(reader, words[1]);
  } else if (keyword == "press" || keyword == "release") {
    expectWords(2);
    input.Kind = keyword == "press" ? TReplayInputKind::MouseDown : TReplayInputKind::MouseUp;
    input.Button = ButtonOf(reader, words[1]);
  } else if (keyword == "type") {
    if (words.size() > 2) reader.Fail("bad \"type\" line");
    input.Kind = TReplayInputKind::ModalText;
    if (words.size() == 2) input.Text = DecodeText(reader, words[1]);
  } else {
    reader.Fail("unknown input \"" + std::string(keyword) + "\"");
  }
  return input;
}

int32_t ReadVersion(TLineReader& reader) {
  const std::vector<std::string_view> words = Words(reader, reader.Next("the format line"));
  if (words.size() != 2 || words[0] != Magic)
    reader.Fail("not a replay (it does not begin with \"" + std::string(Magic) + "\")");
  const auto version = Number<int32_t>(reader, words[1], 1, INT32_MAX, "format version");
  if (version < TReplay::FirstVersion || version > TReplay::LatestVersion)
    throw TReplayVersionError(reader.FileName() + " is a replay of format version " +
                              std::to_string(version) + "; this game plays versions " +
                              std::to_string(TReplay::FirstVersion) + " to " +
                              std::to_string(TReplay::LatestVersion));
  return version;
}

void ReadOptions(TLineReader& reader, TReplay& replay) {
  const size_t count = Number<size_t>(reader, Keyed(reader, "options", 2)[1], 0,
                                      TReplay::MaxOptions, "option count");
  for (size_t i = 0; i < count; ++i) {
    const std::string_view line = reader.Next("an option");
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) reader.Fail("key=value expected");
    std::string key(line.substr(0, equals));
    std::string value(line.substr(equals + 1));
    const std::string problem = OptionProblem(key, value);
    if (!problem.empty()) reader.Fail(problem);
    for (const auto& option : replay.Options)
      if (option.first == key) reader.Fail("option \"" + key + "\" given twice");
    replay.Options.emplace_back(std::move(key), std::move(value));
  }
}

void ReadHighScores(TLineReader& reader, TReplay& replay) {
  const size_t count = Number<size_t>(reader, Keyed(reader, "highscores", 2)[1], 0,
                                      TReplay::MaxHighScores, "high-score count");
  for (size_t i = 0; i < count; ++i) {
    const std::string_view line = reader.Next("a high-score line");
    const std::string problem = HighScoreProblem(std::string(line));
    if (!problem.empty()) reader.Fail(problem);
    Tvt6HighScoreRecord& record = replay.HighScores.emplace_back();
    try {
      record.SetAsString(line);
    } catch (const std::exception& e) {
      reader.Fail(std::string("bad high-score line: ") + e.what());
    }
    // A line reads back only as the line written for its record.
    if (record.GetAsString() != line) reader.Fail("bad high-score line");
  }
}

bool ReadFlag(const TLineReader& reader, std::string_view word) {
  return Number<int>(reader, word, 0, 1, "switch") == 1;
}

int32_t ReadInt(const TLineReader& reader, std::string_view word, std::string_view what) {
  return Number<int32_t>(reader, word, INT32_MIN, INT32_MAX, what);
}

TGameStart ReadGame(TLineReader& reader) {
  constexpr size_t FixedLines = 7;
  const size_t lines = Number<size_t>(reader, Keyed(reader, "game", 2)[1], FixedLines,
                                      FixedLines + TGameStart::MaxStars, "game line count");
  TGameStart game;
  const std::optional<TDifficulty> difficulty = ParseDifficulty(Keyed(reader, "difficulty", 2)[1]);
  if (!difficulty) reader.Fail("bad difficulty (easy, normal or hard expected)");
  game.Difficulty = *difficulty;
  const std::vector<std::string_view> switches = Keyed(reader, "switches", 4);
  game.SoundOn = ReadFlag(reader, switches[1]);
  game.ShrapnelOn = ReadFlag(reader, switches[2]);
  game.ChildMode = ReadFlag(reader, switches[3]);
  const std::vector<std::string_view> random = Keyed(reader, "random", 3);
  constexpr uint64_t Max64 = std::numeric_limits<uint64_t>::max();
  game.Random.State = Number<uint64_t>(reader, random[1], 0, Max64, "generator state");
  game.Random.Increment = Number<uint64_t>(reader, random[2], 0, Max64, "generator increment");
  if (game.Random.Increment % 2 == 0) reader.Fail("the generator's increment must be odd");
  const std::vector<std::string_view> requests = Keyed(reader, "requests", 6);
  game.EscapeRequest = ReadFlag(reader, requests[1]);
  game.BombRequest = ReadFlag(reader, requests[2]);
  game.FireRequest = ReadFlag(reader, requests[3]);
  game.LeftButtonDown = ReadFlag(reader, requests[4]);
  game.RightButtonDown = ReadFlag(reader, requests[5]);
  game.BombKey = KeyOf(reader, Keyed(reader, "bomb-key", 2)[1]);
  const std::vector<std::string_view> player = Keyed(reader, "player", 6);
  game.ControlX = ReadInt(reader, player[1], "control point");
  game.ControlY = ReadInt(reader, player[2], "control point");
  game.FireCooldown = ReadInt(reader, player[3], "fire cooldown");
  game.ShotPowerTimer = ReadInt(reader, player[4], "shot power timer");
  game.ShieldVariant = ReadInt(reader, player[5], "shield variant");
  game.StarWavelength = ReadInt(reader, Keyed(reader, "wavelength", 2)[1], "wavelength");
  for (size_t i = FixedLines; i < lines; ++i) {
    const std::vector<std::string_view> w = Keyed(reader, "star", 10);
    TStarPlace& star = game.Stars.emplace_back();
    star.X = ReadInt(reader, w[1], "star place");
    star.Y = ReadInt(reader, w[2], "star place");
    star.Width = ReadInt(reader, w[3], "star size");
    star.Height = ReadInt(reader, w[4], "star size");
    star.Color = Number<uint32_t>(reader, w[5], 0, UINT32_MAX, "star colour");
    star.SpeedX = ReadInt(reader, w[6], "star speed");
    star.SpeedY = ReadInt(reader, w[7], "star speed");
    star.TargetX = ReadInt(reader, w[8], "star target");
    star.TargetY = ReadInt(reader, w[9], "star target");
  }
  return game;
}

// The version, the data digests, the seed and the options.
TReplay ReadHead(TLineReader& reader, int32_t& version) {
  version = ReadVersion(reader);
  TReplay replay;
  for (const std::string_view name : GameDataFiles) {
    const std::vector<std::string_view> words = Keyed(reader, "data", 3);
    if (words[1] != name) reader.Fail("the digest of " + std::string(name) + " expected");
    replay.Data.push_back({std::string(name), HexDigest(reader, words[2])});
  }
  replay.Seed = Number<uint64_t>(reader, Keyed(reader, "seed", 2)[1], 0,
                                 std::numeric_limits<uint64_t>::max(), "seed");
  ReadOptions(reader, replay);
  return replay;
}

}  // namespace

// ---- TReplay ---------------------------------------------------------------------

std::string TReplay::Option(std::string_view key) const {
  for (const auto& [k, value] : Options)
    if (k == key) return value;
  return "";
}

int64_t TReplay::TickCount() const {
  int64_t ticks = 0;
  for (const TReplayInput& input : Input)
    if (input.IsTick()) ticks += input.Repeat;
  return ticks;
}

std::string WriteReplay(const TReplay& replay) {
  CheckReplay(replay);
  std::string text = std::string(Magic) + " " + std::to_string(replay.Version()) + "\n";
  for (const TDataDigest& data : replay.Data)
    text += "data " + data.Name + " " + DigestText(data.Digest) + "\n";
  text += "seed " + std::to_string(replay.Seed) + "\n";
  text += "options " + std::to_string(replay.Options.size()) + "\n";
  for (const auto& [key, value] : replay.Options) text += key + "=" + value + "\n";
  text += "highscores " + std::to_string(replay.HighScores.size()) + "\n";
  for (const Tvt6HighScoreRecord& record : replay.HighScores) text += record.GetAsString() + "\n";
  if (replay.Game) {
    const std::vector<std::string> lines = GameLines(*replay.Game);
    text += "game " + std::to_string(lines.size()) + "\n";
    for (const std::string& line : lines) text += line + "\n";
  }
  text += "input " + std::to_string(replay.Input.size()) + " " +
          std::to_string(replay.TickCount()) + "\n";
  for (const TReplayInput& input : replay.Input) text += InputLine(input) + "\n";
  text += "end " + DigestText(Fnv1a(text)) + "\n";
  return text;
}

TReplay ReadReplay(std::string_view text, const std::string& fileName) {
  TLineReader reader(text, fileName);
  int32_t version = 0;
  TReplay replay = ReadHead(reader, version);
  ReadHighScores(reader, replay);
  if (version >= 2) replay.Game = ReadGame(reader);

  const std::vector<std::string_view> counts = Keyed(reader, "input", 3);
  const size_t lines = Number<size_t>(reader, counts[1], 0, TReplay::MaxInputLines, "line count");
  const int64_t ticks = Number<int64_t>(reader, counts[2], 0, TReplay::MaxTicks, "tick count");
  replay.Input.reserve(std::min(lines, text.size() / 4));
  int64_t ticksRead = 0;
  for (size_t i = 0; i < lines; ++i) {
    const TReplayInput& input = replay.Input.emplace_back(ReadInput(reader));
    if (input.IsTick()) ticksRead += input.Repeat;
    if (ticksRead > ticks) reader.Fail("more ticks than the input line announced");
  }
  if (ticksRead != ticks) reader.Fail("fewer ticks than the input line announced");

  const std::vector<std::string_view> end = Keyed(reader, "end", 2);
  if (HexDigest(reader, end[1]) != Fnv1a(reader.Before()))
    reader.Fail("the check value does not match: the file was changed or damaged");
  if (!reader.AtEnd()) reader.Fail("the file goes on after its end line");
  return replay;
}

TReplay ReadReplayHead(std::string_view text, const std::string& fileName) {
  TLineReader reader(text, fileName);
  int32_t version = 0;
  return ReadHead(reader, version);
}

void SaveReplayFile(const std::string& path, const TReplay& replay) {
  WriteFileAtomically(path, WriteReplay(replay));
}

namespace {

// The file's first `limit` bytes (all of it when it is no longer).
std::string ReadStart(const std::string& path, uintmax_t limit) {
  std::error_code error;
  const auto size = std::filesystem::file_size(PathOf(path), error);
  if (error) throw TReplayError(path + ": cannot be read: " + error.message());
  if (size > TReplay::MaxFileBytes) throw TReplayError(path + ": too large for a replay");
  const auto length = static_cast<size_t>(std::min(size, limit));
  std::ifstream file(PathOf(path), std::ios::binary);
  std::string text(length, '\0');
  if (!file.read(text.data(), static_cast<std::streamsize>(length)) ||
      (length == size && file.peek() != EOF))
    throw TReplayError(path + ": cannot be read");
  return text;
}

// Enough for the longest head the limits allow.
constexpr uintmax_t HeadBytes = 64 * 1024;

}  // namespace

TReplay LoadReplayFile(const std::string& path) {
  return ReadReplay(ReadStart(path, TReplay::MaxFileBytes), path);
}

TReplay LoadReplayHead(const std::string& path) {
  return ReadReplayHead(ReadStart(path, HeadBytes), path);
}

}  // namespace quellix
