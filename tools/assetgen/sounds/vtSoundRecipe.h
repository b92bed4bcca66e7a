// A sound recipe: the readable description of one sound effect (data/sounds/*.txt) that the
// synthesiser renders. A sound is a few voices (an oscillator or noise through an envelope
// and a filter) mixed, then shaped by drive, echo and reverb, faded and normalised.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quellix::assetgen {

// A value that travels through breakpoints: Values[0] at time 0, then each Values[i] is
// reached Durations[i - 1] seconds after Values[i - 1]; the last value holds.
struct TBreakpoints {
  std::vector<double> Values;
  std::vector<double> Durations;

  bool Empty() const { return Values.empty(); }
  bool Constant() const { return Values.size() <= 1; }
  // Exponential interpolation suits frequencies (equal ratios per second), linear the rest.
  double At(double seconds, bool exponential) const;
};

enum class TWaveform { Sine, Square, Saw, Triangle, Noise };
enum class TFilterKind { None, LowPass, HighPass, BandPass };

struct TEnvelope {
  double Attack = 0.002;  // seconds up to full level
  double Decay = 0;       // seconds down to Sustain
  double Sustain = 1;     // level held, 0..1
  double Hold = 0.1;      // seconds at Sustain
  double Release = 0.02;  // seconds down to silence

  double Length() const { return Attack + Decay + Hold + Release; }
};

struct TVoiceRecipe {
  TWaveform Wave = TWaveform::Sine;
  double Start = 0;         // seconds after the sound starts
  double GainDb = 0;        // level in the mix
  TBreakpoints Pitch;       // Hz; for noise the rate of new random values (none: every sample)
  double Duty = 0.5;        // square: the part of the cycle that is high
  double VibratoRate = 0;   // Hz
  double VibratoDepth = 0;  // semitones
  double TremoloRate = 0;   // Hz
  double TremoloDepth = 0;  // 0..1
  double FmRatio = 0;       // modulator frequency over carrier frequency; 0: no FM
  TBreakpoints FmIndex;     // modulation depth in radians
  double ArpStep = 0;       // seconds per arpeggio note
  std::vector<double> Arp;  // semitone offsets, played once in order; the last holds
  TEnvelope Envelope;
  TFilterKind Filter = TFilterKind::None;
  TBreakpoints Cutoff;         // Hz
  double Resonance = 0.707;    // the filter's Q
  int32_t RepeatCount = 1;     // the voice is struck this many times ...
  double RepeatEvery = 0;      // ... this many seconds apart,
  double RepeatSemitones = 0;  // each strike shifted in pitch
  double RepeatGainDb = 0;     // and in level from the one before
  int32_t ScatterCount = 0;    // extra strikes at random times within ScatterWindow
  double ScatterWindow = 0;
  double ScatterSemitones = 0;  // random pitch spread of those strikes, +/-
  uint64_t Seed = 0;            // noise and scatter draws
};

struct TSoundRecipe {
  std::string Name;  // the archive item name
  std::string Origin;
  bool Looped = false;
  int32_t MaxPlayingCount = 0;
  double PeakDb = -1;  // the loudest sample, in dB below full scale
  double Length = 0;   // seconds; for a looped sound the loop's length
  double Drive = 0;    // soft saturation, 0: none
  double EchoDelay = 0, EchoFeedback = 0, EchoMix = 0;
  double ReverbSize = 0, ReverbMix = 0;
  std::vector<TVoiceRecipe> Voices;
};

// Reads every sound of a recipe text; raises TSourceError naming the file and line of the
// first fault.
std::vector<TSoundRecipe> ParseSoundRecipes(std::string_view text, const std::string& fileName);

}  // namespace quellix::assetgen
