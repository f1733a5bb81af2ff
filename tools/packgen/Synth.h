// Building blocks of the pack's sounds and music: oscillators, envelopes,
// noise, a one-pole filter and drum hits, all mono at one sample rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Rng.h"

namespace korvid::packgen {

constexpr int kSampleRate = 22050;

using Samples = std::vector<float>;

enum class Wave { Sine, Square, Saw, Triangle, Pulse, Noise };

// Wave by manifest name ("sine", "square", "saw", "triangle", "pulse", "noise").
Wave WaveFromName(const std::string& name);

// One sample of a periodic wave at `phase` turns (the fractional part is used).
float Oscillate(Wave wave, double phase);

// Attack-decay-sustain-release level at time t of a note held for `hold` seconds.
struct Envelope {
    float attack = 0.005f, decay = 0.1f, sustain = 0.7f, release = 0.1f;
    float level(float t, float hold) const;
    float length(float hold) const { return hold + release; }
};

double MidiToHz(double note);

// Adds a note into `out` starting at sample `start`.
struct NoteTone {
    Wave wave = Wave::Square;
    double hz = 440;
    double hzEnd = 0;        // > 0: glide to this frequency over the note
    float gain = 0.2f;
    float hold = 0.2f;       // seconds
    Envelope env;
    float vibrato = 0;       // depth in semitones
    float detune = 0;        // second oscillator this many semitones apart (0: none)
};
void AddTone(Samples& out, std::size_t start, const NoteTone& note);

// White noise through a one-pole low-pass sweeping from cutoffStart to cutoffEnd Hz.
void AddNoise(Samples& out, std::size_t start, float seconds, float gain, float cutoffStart, float cutoffEnd,
              const Envelope& env, Rng& rng, bool highPass = false);

// Drum voices of the music.
void AddKick(Samples& out, std::size_t start, float gain);
void AddSnare(Samples& out, std::size_t start, float gain, Rng& rng);
void AddHat(Samples& out, std::size_t start, float gain, bool open, Rng& rng);

// Scales the samples so the largest magnitude is `peak` (nothing if silent).
void Normalise(Samples& s, float peak);

// Short fades at both ends, so a sound starts and stops without a click.
void FadeEdges(Samples& s, float seconds);

}  // namespace korvid::packgen
