// Every sound is a sum of notes: partials that die away at their own pace under an envelope
// with a short rise and a half-cosine fall, so no note starts or ends with a step.
#include "tools/sounds/game_sounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>

namespace zelkan {
namespace {

constexpr int effectRate = 44100;

struct Partial {
  double ratio;  // to the note's frequency
  double level;
  double decay;  // seconds for the partial to fall to 1/e
};

struct Timbre {
  std::span<const Partial> partials;
  double attack;   // seconds of rise
  double release;  // seconds of fall at the end of the note
};

// Samples in [-1, 1] at a known rate. A looped signal wraps notes that run past its end around
// to its start, so its last sample leads into its first exactly as any two neighbours do.
struct Signal {
  int rate;
  std::vector<double> samples;
  bool looped = false;
};

double noteHz(int midiNote) {
  return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

void addNote(Signal& s, const Timbre& timbre, double at, double hz, double level, double length) {
  const auto first = static_cast<std::size_t>(std::lround(at * s.rate));
  const auto count = static_cast<std::size_t>(std::lround(length * s.rate));
  const std::size_t size = s.samples.size();
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t at_i = first + i;
    if (at_i >= size) {
      if (!s.looped) break;
      at_i %= size;
    }
    const double t = static_cast<double>(i) / s.rate;
    double envelope = std::min(1.0, t / timbre.attack);
    const double fallFrom = length - timbre.release;
    if (t > fallFrom)
      envelope *= 0.5 * (1 + std::cos(std::numbers::pi * (t - fallFrom) / timbre.release));
    double sum = 0;
    for (const Partial& p : timbre.partials) {
      sum += p.level * std::exp(-t / p.decay) * std::sin(2 * std::numbers::pi * hz * p.ratio * t);
    }
    s.samples[at_i] += level * envelope * sum;
  }
}

// Scales to the given peak and rounds to 16 bits.
std::vector<std::int16_t> pcm16(const Signal& s, double peak) {
  double highest = 0;
  for (double v : s.samples)
    highest = std::max(highest, std::abs(v));
  const double scale = highest > 0 ? peak * 32767 / highest : 0;
  std::vector<std::int16_t> out;
  out.reserve(s.samples.size());
  for (double v : s.samples)
    out.push_back(static_cast<std::int16_t>(std::lround(v * scale)));
  return out;
}

Signal silence(int rate, double seconds) {
  return {rate, std::vector<double>(static_cast<std::size_t>(std::lround(seconds * rate)), 0.0)};
}

// A bright bell climbing a major triad.
Signal chime() {
  static constexpr std::array<Partial, 4> bell{
      {{1, 1, 0.45}, {2, 0.35, 0.25}, {3, 0.12, 0.15}, {4.16, 0.06, 0.08}}};
  const Timbre timbre{bell, 0.004, 0.25};
  Signal s = silence(effectRate, 1.2);
  const std::array<int, 3> notes{84, 88, 91};  // C6 E6 G6
  for (std::size_t i = 0; i < notes.size(); ++i) {
    addNote(s, timbre, 0.1 * static_cast<double>(i), noteHz(notes[i]), 1.0, 1.0);
  }
  return s;
}

// Two soft, round notes falling a third: "no".
Signal refusal() {
  static constexpr std::array<Partial, 3> soft{{{1, 1, 0.3}, {2, 0.3, 0.2}, {3, 0.12, 0.12}}};
  const Timbre timbre{soft, 0.012, 0.06};
  Signal s = silence(effectRate, 0.32);
  addNote(s, timbre, 0.0, noteHz(64), 1.0, 0.13);   // E4
  addNote(s, timbre, 0.16, noteHz(60), 0.9, 0.13);  // C4
  return s;
}

// A stone striking a wooden board: a brief burst of noise rings the board's resonances, which
// die away within a few hundredths of a second.
Signal stoneClick() {
  Signal s = silence(effectRate, 0.16);
  const std::size_t size = s.samples.size();
  std::vector<double> strike(size, 0.0);
  std::uint32_t noise = 0x2545F491u;  // xorshift, seeded so every run makes the same click
  for (std::size_t i = 0; i < size; ++i) {
    noise ^= noise << 13;
    noise ^= noise >> 17;
    noise ^= noise << 5;
    const double white = noise / 2147483648.0 - 1.0;
    const double rise = std::min(1.0, static_cast<double>(i) / 10);  // a quarter millisecond
    strike[i] = white * rise * std::exp(-static_cast<double>(i) / (0.0008 * effectRate));
  }
  struct Mode {
    double hz, decay, level;
  };
  const std::array<Mode, 4> modes{
      {{620, 0.030, 0.6}, {1180, 0.022, 1.0}, {2450, 0.012, 0.7}, {3900, 0.006, 0.5}}};
  for (const Mode& m : modes) {
    // A two-pole resonator, scaled so each mode peaks at its own level.
    const double r = std::exp(-1.0 / (m.decay * effectRate));
    const double c = 2 * r * std::cos(2 * std::numbers::pi * m.hz / effectRate);
    std::vector<double> ring(size, 0.0);
    double y1 = 0, y2 = 0, highest = 0;
    for (std::size_t i = 0; i < size; ++i) {
      ring[i] = strike[i] + c * y1 - r * r * y2;
      y2 = y1;
      y1 = ring[i];
      highest = std::max(highest, std::abs(ring[i]));
    }
    for (std::size_t i = 0; i < size; ++i)
      s.samples[i] += m.level * ring[i] / highest;
  }
  for (std::size_t i = 0; i < size; ++i)
    s.samples[i] += 0.3 * strike[i];  // the crisp edge
  // The last hundredth of a second falls to nothing.
  const std::size_t fall = effectRate / 100;
  for (std::size_t i = size - fall; i < size; ++i) {
    s.samples[i] *=
        0.5 * (1 + std::cos(std::numbers::pi * static_cast<double>(i - (size - fall)) / fall));
  }
  return s;
}

// Little glassy notes tumbling up a pentatonic scale, fading as they rise.
Signal sparkle() {
  static constexpr std::array<Partial, 3> glass{{{1, 1, 0.14}, {2, 0.25, 0.07}, {2.76, 0.1, 0.05}}};
  const Timbre timbre{glass, 0.002, 0.15};
  Signal s = silence(effectRate, 0.9);
  const std::array<int, 7> notes{88, 93, 91, 96, 98, 100, 103};  // E6 A6 G6 C7 D7 E7 G7
  for (std::size_t i = 0; i < notes.size(); ++i) {
    const double level = 1.0 - 0.06 * static_cast<double>(i);
    addNote(s, timbre, 0.05 * static_cast<double>(i), noteHz(notes[i]), level, 0.45);
  }
  return s;
}

// Eight quiet bars, C Am F G C Am Dm G: a held pad, a bass on the half notes, an arpeggio in
// quavers and a slow tune. The loop is rendered as a ring, so it repeats without a seam.
Signal music() {
  static constexpr std::array<Partial, 3> piano{{{1, 1, 0.6}, {2, 0.25, 0.3}, {3, 0.08, 0.15}}};
  static constexpr std::array<Partial, 2> bassTone{{{1, 1, 1.2}, {2, 0.3, 0.6}}};
  static constexpr std::array<Partial, 3> flute{{{1, 1, 2.5}, {2, 0.15, 1.5}, {3, 0.05, 1.0}}};
  static constexpr std::array<Partial, 2> padTone{{{1, 1, 10}, {2, 0.1, 10}}};
  const Timbre arpeggio{piano, 0.005, 0.2};
  const Timbre bass{bassTone, 0.01, 0.15};
  const Timbre tune{flute, 0.06, 0.12};
  const Timbre pad{padTone, 0.6, 0.8};

  Signal s{musicRate, std::vector<double>(musicLoop, 0.0), true};
  const double beat = static_cast<double>(musicBeat) / musicRate;

  struct Chord {
    int root;  // MIDI note, D3 to C4, so the voices stay close from bar to bar
    bool minor;
  };
  // clang-format off
  const std::array<Chord, 8> chords{{
      {60, false}, {57, true}, {53, false}, {55, false},  // C Am F G
      {60, false}, {57, true}, {50, true}, {55, false},   // C Am Dm G
  }};
  // clang-format on
  for (std::size_t bar = 0; bar < chords.size(); ++bar) {
    const Chord& c = chords[bar];
    const double at = 4 * beat * static_cast<double>(bar);
    const int third = c.minor ? 3 : 4;
    for (int n : {0, third, 7})
      addNote(s, pad, at, noteHz(c.root + n), 0.035, 4 * beat + 0.4);
    for (int half = 0; half < 2; ++half) {
      addNote(s, bass, at + 2 * beat * half, noteHz(c.root - 12), 0.22, 2 * beat);
    }
    const std::array<int, 8> steps{0, 7, 12, 12 + third, 12, 7, third, 7};
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const double level = i % 2 == 0 ? 0.10 : 0.08;
      addNote(s, arpeggio, at + beat / 2 * static_cast<double>(i), noteHz(c.root + steps[i]), level,
              2 * beat);
    }
  }

  struct Note {
    int midi;  // 0 for a rest
    int beats;
  };
  const std::vector<Note> melody{
      {76, 2}, {79, 1}, {76, 1},           // C: E G E
      {72, 2}, {76, 1}, {74, 1},           // Am: C E D
      {69, 1}, {72, 1}, {77, 2},           // F: A C F
      {74, 3}, {0, 1},                     // G: D
      {79, 2}, {76, 1}, {72, 1},           // C: G E C
      {69, 2}, {72, 1}, {76, 1},           // Am: A C E
      {77, 1}, {76, 1}, {74, 1}, {72, 1},  // Dm: F E D C
      {71, 2}, {74, 2},                    // G: B D, back to E
  };
  int beatAt = 0;
  for (const Note& n : melody) {
    if (n.midi != 0) {
      addNote(s, tune, beat * beatAt, noteHz(n.midi), 0.16, beat * n.beats - 0.05);
    }
    beatAt += n.beats;
  }
  return s;
}

}  // namespace

std::vector<GameSound> gameSounds() {
  return {
      {"その他.wav", effectRate, pcm16(chime(), 0.5)},
      {"禁止.wav", effectRate, pcm16(refusal(), 0.45)},
      {"石打音.wav", effectRate, pcm16(stoneClick(), 0.6)},
      {"BGM.wav", musicRate, pcm16(music(), 0.3)},
      {"消滅.wav", effectRate, pcm16(sparkle(), 0.42)},
  };
}

}  // namespace zelkan
