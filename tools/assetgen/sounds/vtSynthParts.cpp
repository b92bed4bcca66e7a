#include "sounds/vtSynthParts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quellix::assetgen {

namespace {

constexpr double Pi = std::numbers::pi;

// Smooths a unit step that happened t cycles ago (or will in 1 - t); dt is the phase
// advance per sample.
double PolyBlep(double t, double dt) {
  if (dt <= 0) return 0;
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1;
  }
  if (t > 1 - dt) {
    t = (t - 1) / dt;
    return t * t + t + t + 1;
  }
  return 0;
}

double Wrap(double cycles) {
  return cycles - std::floor(cycles);
}

}  // namespace

double TOscillator::Next(TWaveform wave, double frequency, double duty, double phaseShift) {
  const double shifted = Wrap(fPhase + phaseShift);
  // The real phase advance, phase modulation included, is what the steps must smooth over.
  double dt = std::abs(shifted - fLastShifted);
  if (dt > 0.5) dt = 1 - dt;
  fLastShifted = shifted;
  fPhase = Wrap(fPhase + frequency / SampleRate);
  const double t = shifted;
  switch (wave) {
    case TWaveform::Sine:
      return std::sin(2 * Pi * t);
    case TWaveform::Triangle:
      return t < 0.25 ? 4 * t : t < 0.75 ? 2 - 4 * t : 4 * t - 4;
    case TWaveform::Saw: {
      const double p = Wrap(t + 0.5);  // starts at 0, rising
      return 2 * p - 1 - PolyBlep(p, dt);
    }
    case TWaveform::Square: {
      double v = t < duty ? 1.0 : -1.0;
      v += PolyBlep(t, dt);
      v -= PolyBlep(Wrap(t + 1 - duty), dt);
      return v - (2 * duty - 1);  // remove the pulse's mean
    }
    case TWaveform::Noise:
      break;
  }
  return 0;
}

double TFilter::Process(TFilterKind kind, double input, double cutoff, double q) {
  if (kind == TFilterKind::None) return input;
  const double fc = std::clamp(cutoff, 10.0, 0.45 * SampleRate);
  const double g = std::tan(Pi * fc / SampleRate);
  const double k = 1 / q;
  const double a1 = 1 / (1 + g * (g + k));
  const double a2 = g * a1;
  const double a3 = g * a2;
  const double v3 = input - fLow;
  const double v1 = a1 * fBand + a2 * v3;
  const double v2 = fLow + a2 * fBand + a3 * v3;
  fBand = 2 * v1 - fBand;
  fLow = 2 * v2 - fLow;
  switch (kind) {
    case TFilterKind::LowPass:
      return v2;
    case TFilterKind::BandPass:
      return v1;
    case TFilterKind::HighPass:
      return input - k * v1 - v2;
    case TFilterKind::None:
      break;
  }
  return input;
}

double EnvelopeLevel(const TEnvelope& e, double t) {
  // At least a millisecond up and down: an instant edge is a click.
  const double attack = std::max(e.Attack, 0.001);
  const double release = std::max(e.Release, 0.001);
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  t -= attack;
  if (t < e.Decay) {
    const double x = 1 - t / e.Decay;
    return e.Sustain + (1 - e.Sustain) * x * x;
  }
  t -= e.Decay;
  if (t < e.Hold) return e.Sustain;
  t -= e.Hold;
  if (t < release) {
    const double x = 1 - t / release;
    return e.Sustain * x * x;
  }
  return 0;
}

TEcho::TEcho(double delaySeconds, double feedback, double mix)
    : fLine(std::max<size_t>(1, static_cast<size_t>(std::lround(delaySeconds * SampleRate))), 0.0),
      fFeedback(feedback),
      fMix(mix) {}

double TEcho::Process(double input) {
  const double delayed = fLine[fPos];
  fDamped += 0.5 * (delayed - fDamped);
  fLine[fPos] = input + fFeedback * fDamped;
  fPos = (fPos + 1) % fLine.size();
  return input + fMix * delayed;
}

TReverb::TReverb(double size, double mix) : fFeedback(0.7 + 0.25 * size), fMix(mix) {
  // Mutually prime lengths (in samples at 44.1 kHz) keep the combs from ringing together.
  const size_t combs[4] = {1116, 1277, 1422, 1557};
  const size_t allPasses[2] = {556, 341};
  const double scale = 0.5 + size;
  for (int i = 0; i < 4; ++i)
    fCombs[i].Line.assign(static_cast<size_t>(static_cast<double>(combs[i]) * scale), 0.0);
  for (int i = 0; i < 2; ++i) fAllPasses[i].Line.assign(allPasses[i], 0.0);
}

double TReverb::Process(double input) {
  double wet = 0;
  for (TDelay& c : fCombs) {
    const double out = c.Line[c.Pos];
    c.Damped += 0.6 * (out - c.Damped);
    c.Line[c.Pos] = input + fFeedback * c.Damped;
    c.Pos = (c.Pos + 1) % c.Line.size();
    wet += out;
  }
  wet *= 0.25;
  for (TDelay& a : fAllPasses) {
    const double buffered = a.Line[a.Pos];
    a.Line[a.Pos] = wet + 0.5 * buffered;
    a.Pos = (a.Pos + 1) % a.Line.size();
    wet = buffered - 0.5 * wet;
  }
  return input + fMix * wet;
}

}  // namespace quellix::assetgen
