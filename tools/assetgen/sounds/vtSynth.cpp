#include "sounds/vtSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/vtRandom.h"
#include "sounds/vtSynthParts.h"

namespace quellix::assetgen {

namespace {

constexpr double Pi = std::numbers::pi;

double DbToGain(double db) {
  return std::pow(10.0, db / 20);
}

double Semitones(double semitones) {
  return std::pow(2.0, semitones / 12);
}

// One strike of a voice: when it starts and how it is shifted.
struct TStrike {
  double Start = 0;  // seconds
  double PitchFactor = 1;
  double Gain = 1;
  uint64_t Seed = 0;
};

std::vector<TStrike> StrikesOf(const TVoiceRecipe& v) {
  std::vector<TStrike> strikes;
  for (int32_t k = 0; k < v.RepeatCount; ++k)
    strikes.push_back({v.Start + k * v.RepeatEvery, Semitones(k * v.RepeatSemitones),
                       DbToGain(k * v.RepeatGainDb), v.Seed + static_cast<uint64_t>(k)});
  TRandom random(v.Seed ^ 0x5CA77E4ULL);
  for (int32_t k = 0; k < v.ScatterCount; ++k) {
    const double when = v.ScatterWindow * random.Random(1000001) / 1e6;
    const double spread = v.ScatterSemitones * (random.Random(2001) / 1000.0 - 1);
    const double level = -6.0 * random.Random(1001) / 1000.0;
    strikes.push_back({v.Start + when, Semitones(spread), DbToGain(level),
                       v.Seed + 1000 + static_cast<uint64_t>(k)});
  }
  return strikes;
}

// In a loop every periodic rate is rounded to whole cycles per loop, so that the loop's
// end runs into its start without a seam.
double Snap(double rate, double loopSeconds, bool looped) {
  if (!looped || rate <= 0) return rate;
  return std::max(1.0, std::round(rate * loopSeconds)) / loopSeconds;
}

// Noise as a stream of random values, a new one every sample or at the voice's rate. In
// a loop the stream repeats with the loop's period.
class TNoise {
 public:
  TNoise(uint64_t seed, size_t period) : fRandom(seed) {
    if (period > 0) {
      fTable.resize(period);
      for (double& v : fTable) v = Draw();
    }
  }
  double Value(size_t step) { return fTable.empty() ? Draw() : fTable[step % fTable.size()]; }

 private:
  double Draw() { return fRandom.Random(65536) / 32768.0 - 1; }
  TRandom fRandom;
  std::vector<double> fTable;
};

// Adds one strike of a voice into mix (a looped sound's voices sound for the whole mix).
void RenderStrike(const TVoiceRecipe& v, const TStrike& s, const TSoundRecipe& sound,
                  std::vector<double>& mix) {
  const bool looped = sound.Looped;
  const size_t from = looped ? 0 : static_cast<size_t>(std::lround(s.Start * SampleRate));
  const size_t length =
      looped ? mix.size() : static_cast<size_t>(std::ceil(v.Envelope.Length() * SampleRate));
  const size_t to = std::min(mix.size(), from + length);
  const double loop = sound.Length;

  const double vibratoRate = Snap(v.VibratoRate, loop, looped);
  const double vibratoSwing = Semitones(v.VibratoDepth) - 1;
  const double tremoloRate = Snap(v.TremoloRate, loop, looped);
  const bool noise = v.Wave == TWaveform::Noise;
  const bool heldNoise = noise && !v.Pitch.Empty();
  const size_t noisePeriod =
      !looped || !noise ? 0
      : heldNoise ? static_cast<size_t>(std::lround(Snap(v.Pitch.Values[0], loop, true) * loop))
                  : mix.size() / 3;
  TNoise source(s.Seed, noisePeriod);
  TOscillator carrier, modulator;
  TFilter filter;
  const double gain = DbToGain(v.GainDb) * s.Gain;
  double heldPhase = 0;
  size_t heldStep = 0;
  double heldValue = source.Value(0);

  for (size_t i = from; i < to; ++i) {
    const double t = static_cast<double>(i - from) / SampleRate;
    double level = looped ? 1.0 : EnvelopeLevel(v.Envelope, t);
    if (v.TremoloDepth > 0)
      level *= 1 - v.TremoloDepth * (0.5 - 0.5 * std::cos(2 * Pi * tremoloRate * t));

    double frequency = v.Pitch.Empty() ? 0 : Snap(v.Pitch.At(t, true), loop, looped);
    if (!v.Arp.empty()) {
      const auto note = std::min(v.Arp.size() - 1, static_cast<size_t>(t / v.ArpStep));
      frequency *= Semitones(v.Arp[note]);
    }
    frequency *= s.PitchFactor;
    if (vibratoSwing > 0) frequency *= 1 + vibratoSwing * std::sin(2 * Pi * vibratoRate * t);

    double sample = 0;
    if (noise) {
      if (heldNoise) {
        heldPhase += frequency / SampleRate;
        while (heldPhase >= 1) {
          heldPhase -= 1;
          heldValue = source.Value(++heldStep);
        }
        sample = heldValue;
      } else {
        sample = source.Value(i);
      }
    } else {
      double shift = 0;
      if (v.FmRatio > 0) {
        const double modFrequency = Snap(frequency * v.FmRatio, loop, looped);
        shift = v.FmIndex.At(t, false) / (2 * Pi) *
                modulator.Next(TWaveform::Sine, modFrequency, 0.5, 0);
      }
      sample = carrier.Next(v.Wave, frequency, v.Duty, shift);
    }
    const double cutoff = v.Cutoff.Empty() ? 0 : v.Cutoff.At(t, true);
    mix[i] += gain * level * filter.Process(v.Filter, sample, cutoff, v.Resonance);
  }
}

double PeakOf(const std::vector<double>& samples) {
  double peak = 0;
  for (double x : samples) peak = std::max(peak, std::abs(x));
  return peak;
}

void ApplyEffects(const TSoundRecipe& r, std::vector<double>& mix) {
  if (r.Drive > 0) {
    const double peak = PeakOf(mix);
    const double norm = peak > 0 ? 1 / peak : 0;
    const double k = r.Drive;
    for (double& x : mix) x = std::tanh(k * x * norm) / std::tanh(k);
  }
  if (r.EchoMix > 0) {
    TEcho echo(r.EchoDelay, r.EchoFeedback, r.EchoMix);
    for (double& x : mix) x = echo.Process(x);
  }
  if (r.ReverbMix > 0) {
    TReverb reverb(r.ReverbSize, r.ReverbMix);
    for (double& x : mix) x = reverb.Process(x);
  }
}

// One-shot: block DC, then fade the very ends so the first and last samples are silent.
void FinishOneShot(std::vector<double>& mix) {
  double lastIn = 0, lastOut = 0;
  for (double& x : mix) {
    const double out = x - lastIn + 0.9995 * lastOut;
    lastIn = x;
    lastOut = out;
    x = out;
  }
  const size_t n = mix.size();
  const size_t fadeIn = std::min(n / 4, static_cast<size_t>(SampleRate / 1000));
  const size_t fadeOut = std::min(n / 4, static_cast<size_t>(SampleRate / 200));
  for (size_t i = 0; i < fadeIn; ++i)
    mix[i] *= 0.5 - 0.5 * std::cos(Pi * static_cast<double>(i) / static_cast<double>(fadeIn));
  for (size_t i = 0; i < fadeOut; ++i)
    mix[n - 1 - i] *=
        0.5 - 0.5 * std::cos(Pi * static_cast<double>(i) / static_cast<double>(fadeOut));
}

// Loop: keep the last of three rendered periods (filters and effects have settled into
// the periodic state), remove its mean, and rotate it to start where it is quietest.
std::vector<double> FinishLoop(const std::vector<double>& rendered, size_t period) {
  std::vector<double> loop(rendered.end() - static_cast<std::ptrdiff_t>(period), rendered.end());
  double mean = 0;
  for (double x : loop) mean += x;
  mean /= static_cast<double>(period);
  for (double& x : loop) x -= mean;
  size_t best = 0;
  double bestScore = 1e300;
  for (size_t i = 0; i < period; ++i) {
    const double score = std::abs(loop[i]) + std::abs(loop[(i + period - 1) % period]);
    if (score < bestScore) {
      bestScore = score;
      best = i;
    }
  }
  std::rotate(loop.begin(), loop.begin() + static_cast<std::ptrdiff_t>(best), loop.end());
  return loop;
}

}  // namespace

std::vector<int16_t> RenderSound(const TSoundRecipe& recipe) {
  const auto period = static_cast<size_t>(std::lround(recipe.Length * SampleRate));
  std::vector<double> mix(recipe.Looped ? 3 * period : period, 0.0);
  for (const TVoiceRecipe& voice : recipe.Voices)
    for (const TStrike& strike : StrikesOf(voice)) RenderStrike(voice, strike, recipe, mix);
  ApplyEffects(recipe, mix);
  if (recipe.Looped)
    mix = FinishLoop(mix, period);
  else
    FinishOneShot(mix);

  const double peak = PeakOf(mix);
  const double scale = peak > 0 ? DbToGain(recipe.PeakDb) * 32767 / peak : 0;
  std::vector<int16_t> samples(mix.size());
  for (size_t i = 0; i < mix.size(); ++i)
    samples[i] = static_cast<int16_t>(std::clamp(std::lround(mix[i] * scale), -32767L, 32767L));
  return samples;
}

}  // namespace quellix::assetgen
