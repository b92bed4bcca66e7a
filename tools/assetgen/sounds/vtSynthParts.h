// The synthesiser's building blocks: a band-limited oscillator, a state-variable filter,
// the envelope, echo and reverb. Each works one sample at a time in double precision.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sounds/vtSoundRecipe.h"

namespace quellix::assetgen {

constexpr int32_t SampleRate = 44100;

// Phase-accumulating oscillator; every wave starts at 0 and has no DC offset. Saw and
// square are band-limited with polynomial steps (PolyBLEP), so high pitches do not alias
// into harsh tones.
class TOscillator {
 public:
  // frequency in Hz; phaseShift in cycles (phase modulation).
  double Next(TWaveform wave, double frequency, double duty, double phaseShift);

 private:
  double fPhase = 0;
  double fLastShifted = 0;
};

// Zero-delay-feedback state-variable filter: stays stable while its cutoff sweeps.
class TFilter {
 public:
  double Process(TFilterKind kind, double input, double cutoff, double q);

 private:
  double fLow = 0, fBand = 0;
};

// The envelope's level at seconds after the strike, 0..1.
double EnvelopeLevel(const TEnvelope& envelope, double seconds);

// Feedback delay with a darkening feedback path.
class TEcho {
 public:
  TEcho(double delaySeconds, double feedback, double mix);
  double Process(double input);

 private:
  std::vector<double> fLine;
  size_t fPos = 0;
  double fFeedback, fMix, fDamped = 0;
};

// A small Schroeder reverb: four damped combs in parallel, then two all-pass stages.
class TReverb {
 public:
  TReverb(double size, double mix);
  double Process(double input);

 private:
  struct TDelay {
    std::vector<double> Line;
    size_t Pos = 0;
    double Damped = 0;
  };
  TDelay fCombs[4];
  TDelay fAllPasses[2];
  double fFeedback, fMix;
};

}  // namespace quellix::assetgen
