#include "sounds/vtSoundRecipe.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "tables/vtSourceLines.h"

namespace quellix::assetgen {

double TBreakpoints::At(double seconds, bool exponential) const {
  if (Values.empty()) return 0;
  double t = seconds;
  for (size_t i = 0; i + 1 < Values.size(); ++i) {
    const double span = Durations[i];
    if (t < span) {
      const double f = t / span;
      const double a = Values[i], b = Values[i + 1];
      if (exponential && a > 0 && b > 0) return a * std::pow(b / a, f);
      return a + (b - a) * f;
    }
    t -= span;
  }
  return Values.back();
}

namespace {

double InRange(const TSourceLine& line, size_t index, double low, double high) {
  const double v = NumberAt(line, index);
  if (v < low || v > high)
    FailAt(line, "\"" + line.Tokens[0] + "\" value " + line.Tokens[index] + " is outside " +
                     std::to_string(low) + " .. " + std::to_string(high));
  return v;
}

int32_t WholeInRange(const TSourceLine& line, size_t index, int32_t low, int32_t high) {
  const int32_t v = IntegerAt(line, index);
  if (v < low || v > high)
    FailAt(line, "\"" + line.Tokens[0] + "\" value " + line.Tokens[index] + " is outside " +
                     std::to_string(low) + " .. " + std::to_string(high));
  return v;
}

// "value [seconds value] ...": an odd number of items from index 1 on.
TBreakpoints ReadBreakpoints(const TSourceLine& line, size_t first, double low, double high) {
  const size_t count = line.Tokens.size() - first;
  if (count == 0 || count % 2 == 0)
    FailAt(line, "\"" + line.Tokens[0] + "\" takes a value, then pairs of seconds and value");
  TBreakpoints b;
  for (size_t i = first; i < line.Tokens.size(); i += 2) {
    if (i > first) b.Durations.push_back(InRange(line, i - 1, 1e-4, 60));
    b.Values.push_back(InRange(line, i, low, high));
  }
  return b;
}

void ExpectBetween(const TSourceLine& line, size_t low, size_t high) {
  const size_t n = line.Tokens.size() - 1;
  if (n < low || n > high)
    FailAt(line, "\"" + line.Tokens[0] + "\" takes " + std::to_string(low) + " to " +
                     std::to_string(high) + " values, not " + std::to_string(n));
}

TWaveform ReadWave(const TSourceLine& line) {
  ExpectArguments(line, 1);
  static const std::map<std::string, TWaveform, std::less<>> waves = {
      {"sine", TWaveform::Sine},
      {"square", TWaveform::Square},
      {"saw", TWaveform::Saw},
      {"triangle", TWaveform::Triangle},
      {"noise", TWaveform::Noise}};
  const auto it = waves.find(line.Tokens[1]);
  if (it == waves.end())
    FailAt(line, "unknown wave \"" + line.Tokens[1] + "\" (sine, square, saw, triangle or noise)");
  return it->second;
}

bool ReadYesNo(const TSourceLine& line) {
  ExpectArguments(line, 1);
  if (line.Tokens[1] == "yes") return true;
  if (line.Tokens[1] == "no") return false;
  FailAt(line, "\"" + line.Tokens[0] + "\" takes yes or no");
}

// Returns false when the key is no sound key.
bool ApplySoundKey(TSoundRecipe& s, const TSourceLine& line) {
  const std::string& key = line.Tokens[0];
  if (key == "looped") {
    s.Looped = ReadYesNo(line);
  } else if (key == "max") {
    ExpectArguments(line, 1);
    s.MaxPlayingCount = WholeInRange(line, 1, 0, 64);
  } else if (key == "peak") {
    ExpectArguments(line, 1);
    s.PeakDb = InRange(line, 1, -40, 0);
  } else if (key == "length") {
    ExpectArguments(line, 1);
    s.Length = InRange(line, 1, 0.01, 30);
  } else if (key == "drive") {
    ExpectArguments(line, 1);
    s.Drive = InRange(line, 1, 0, 20);
  } else if (key == "echo") {
    ExpectArguments(line, 3);
    s.EchoDelay = InRange(line, 1, 0.01, 2);
    s.EchoFeedback = InRange(line, 2, 0, 0.95);
    s.EchoMix = InRange(line, 3, 0, 1);
  } else if (key == "reverb") {
    ExpectArguments(line, 2);
    s.ReverbSize = InRange(line, 1, 0, 1);
    s.ReverbMix = InRange(line, 2, 0, 1);
  } else {
    return false;
  }
  return true;
}

// Keys that shape a voice in time, which a looped sound cannot have: its loop must repeat
// seamlessly, so its voices sound steadily.
bool IsTimeShapingKey(const TSourceLine& line) {
  const std::string& key = line.Tokens[0];
  if (key == "env" || key == "start" || key == "arp" || key == "repeat" || key == "scatter")
    return true;
  if (key == "pitch" || key == "lowpass" || key == "highpass" || key == "bandpass")
    return line.Tokens.size() > 2;
  return key == "fm" && line.Tokens.size() > 3;
}

void ApplyFilter(TVoiceRecipe& v, const TSourceLine& line, TFilterKind kind) {
  if (v.Filter != TFilterKind::None) FailAt(line, "a voice has one filter only");
  v.Filter = kind;
  v.Cutoff = ReadBreakpoints(line, 1, 10, 20000);
}

void ApplyVoiceKey(TVoiceRecipe& v, const TSourceLine& line) {
  const std::string& key = line.Tokens[0];
  if (key == "start") {
    ExpectArguments(line, 1);
    v.Start = InRange(line, 1, 0, 30);
  } else if (key == "gain") {
    ExpectArguments(line, 1);
    v.GainDb = InRange(line, 1, -60, 12);
  } else if (key == "pitch") {
    v.Pitch = ReadBreakpoints(line, 1, 1, 20000);
  } else if (key == "duty") {
    ExpectArguments(line, 1);
    v.Duty = InRange(line, 1, 0.01, 0.99);
  } else if (key == "vibrato") {
    ExpectArguments(line, 2);
    v.VibratoRate = InRange(line, 1, 0, 50);
    v.VibratoDepth = InRange(line, 2, 0, 24);
  } else if (key == "tremolo") {
    ExpectArguments(line, 2);
    v.TremoloRate = InRange(line, 1, 0, 100);
    v.TremoloDepth = InRange(line, 2, 0, 1);
  } else if (key == "fm") {
    if (line.Tokens.size() < 3) FailAt(line, "\"fm\" takes a ratio and an index");
    v.FmRatio = InRange(line, 1, 0.01, 16);
    v.FmIndex = ReadBreakpoints(line, 2, 0, 50);
  } else if (key == "arp") {
    if (line.Tokens.size() < 3) FailAt(line, "\"arp\" takes seconds per note and semitones");
    v.ArpStep = InRange(line, 1, 0.005, 5);
    v.Arp.clear();
    for (size_t i = 2; i < line.Tokens.size(); ++i) v.Arp.push_back(InRange(line, i, -48, 48));
  } else if (key == "env") {
    ExpectArguments(line, 5);
    v.Envelope = {InRange(line, 1, 0, 30), InRange(line, 2, 0, 30), InRange(line, 3, 0, 1),
                  InRange(line, 4, 0, 30), InRange(line, 5, 0, 30)};
    if (v.Envelope.Length() <= 0) FailAt(line, "an envelope needs some length");
  } else if (key == "lowpass") {
    ApplyFilter(v, line, TFilterKind::LowPass);
  } else if (key == "highpass") {
    ApplyFilter(v, line, TFilterKind::HighPass);
  } else if (key == "bandpass") {
    ApplyFilter(v, line, TFilterKind::BandPass);
  } else if (key == "q") {
    ExpectArguments(line, 1);
    if (v.Filter == TFilterKind::None) FailAt(line, "\"q\" belongs after the voice's filter");
    v.Resonance = InRange(line, 1, 0.3, 20);
  } else if (key == "repeat") {
    ExpectBetween(line, 2, 4);
    v.RepeatCount = WholeInRange(line, 1, 1, 64);
    v.RepeatEvery = InRange(line, 2, 0.001, 10);
    if (line.Tokens.size() > 3) v.RepeatSemitones = InRange(line, 3, -24, 24);
    if (line.Tokens.size() > 4) v.RepeatGainDb = InRange(line, 4, -30, 6);
  } else if (key == "scatter") {
    ExpectBetween(line, 2, 3);
    v.ScatterCount = WholeInRange(line, 1, 0, 256);
    v.ScatterWindow = InRange(line, 2, 0, 30);
    if (line.Tokens.size() > 3) v.ScatterSemitones = InRange(line, 3, 0, 24);
  } else if (key == "seed") {
    ExpectArguments(line, 1);
    v.Seed = static_cast<uint64_t>(WholeInRange(line, 1, 0, INT32_MAX));
  } else {
    FailAt(line, "unknown key \"" + key + "\"");
  }
}

// FNV-1a: a fixed default seed per sound and voice, so that reordering sounds keeps each
// one's noise the same.
uint64_t DefaultSeed(const std::string& name, size_t voice) {
  uint64_t h = 14695981039346656037ULL;
  for (char c : name + "#" + std::to_string(voice)) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  return h;
}

struct TSoundBuilder {
  TSoundRecipe Sound;
  const TSourceLine* FirstLine = nullptr;
  const TSourceLine* LengthLine = nullptr;
  std::vector<const TSourceLine*> TimeShaping;  // per voice, the first such key or none
  std::vector<const TSourceLine*> VoiceLines;
};

void FinishSound(TSoundBuilder& b) {
  TSoundRecipe& s = b.Sound;
  if (b.LengthLine == nullptr) FailAt(*b.FirstLine, "sound \"" + s.Name + "\" has no length");
  if (s.Voices.empty()) FailAt(*b.FirstLine, "sound \"" + s.Name + "\" has no voice");
  for (size_t i = 0; i < s.Voices.size(); ++i) {
    const TVoiceRecipe& v = s.Voices[i];
    if (v.Start >= s.Length) FailAt(*b.VoiceLines[i], "the voice starts after the sound's length");
    if (v.Wave != TWaveform::Noise && v.Pitch.Empty())
      FailAt(*b.VoiceLines[i], "the voice has no pitch");
    if (s.Looped && b.TimeShaping[i] != nullptr)
      FailAt(*b.TimeShaping[i], "a looped sound plays its voices steadily: \"" +
                                    b.TimeShaping[i]->Tokens[0] + "\" cannot shape them in time");
  }
}

}  // namespace

std::vector<TSoundRecipe> ParseSoundRecipes(std::string_view text, const std::string& fileName) {
  const std::vector<TSourceLine> lines = ParseSourceLines(text, fileName);
  std::vector<TSoundRecipe> sounds;
  std::vector<TSoundBuilder> builders;
  for (const TSourceLine& line : lines) {
    const std::string& key = line.Tokens[0];
    if (key == "sound") {
      ExpectArguments(line, 1);
      if (!builders.empty()) FinishSound(builders.back());
      TSoundBuilder& b = builders.emplace_back();
      b.Sound.Name = line.Tokens[1];
      b.Sound.Origin = line.Origin;
      b.FirstLine = &line;
      continue;
    }
    if (builders.empty()) FailAt(line, "\"" + key + "\" before the first \"sound\"");
    TSoundBuilder& b = builders.back();
    if (key == "voice") {
      TVoiceRecipe& v = b.Sound.Voices.emplace_back();
      v.Wave = ReadWave(line);
      v.Seed = DefaultSeed(b.Sound.Name, b.Sound.Voices.size() - 1);
      b.TimeShaping.push_back(nullptr);
      b.VoiceLines.push_back(&line);
      continue;
    }
    if (ApplySoundKey(b.Sound, line)) {
      if (key == "length") b.LengthLine = &line;
      continue;
    }
    if (b.Sound.Voices.empty()) FailAt(line, "\"" + key + "\" before the first \"voice\"");
    ApplyVoiceKey(b.Sound.Voices.back(), line);
    if (IsTimeShapingKey(line) && b.TimeShaping.back() == nullptr) b.TimeShaping.back() = &line;
  }
  if (!builders.empty()) FinishSound(builders.back());
  for (TSoundBuilder& b : builders) sounds.push_back(std::move(b.Sound));
  return sounds;
}

}  // namespace quellix::assetgen
