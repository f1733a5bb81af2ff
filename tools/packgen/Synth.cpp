#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace korvid::packgen {

namespace {

constexpr double kTwoPi = 6.283185307179586;

}  // namespace

Wave WaveFromName(const std::string& name) {
    static const std::map<std::string, Wave> table = {
        {"sine", Wave::Sine},         {"square", Wave::Square}, {"saw", Wave::Saw},
        {"triangle", Wave::Triangle}, {"pulse", Wave::Pulse},   {"noise", Wave::Noise},
    };
    auto it = table.find(name);
    if (it == table.end()) throw std::runtime_error("unknown wave '" + name + "'");
    return it->second;
}

float Oscillate(Wave wave, double phase) {
    double p = phase - std::floor(phase);
    switch (wave) {
    case Wave::Sine: return float(std::sin(kTwoPi * p));
    case Wave::Square: return p < 0.5 ? 0.8f : -0.8f;
    case Wave::Pulse: return p < 0.25 ? 0.8f : -0.8f;
    case Wave::Saw: return float(2 * p - 1) * 0.8f;
    case Wave::Triangle: return float(p < 0.5 ? 4 * p - 1 : 3 - 4 * p);
    case Wave::Noise: {
        // Deterministic hash of the phase step: a pitched, gritty noise.
        std::uint32_t h = std::uint32_t(std::llround(phase * 64.0)) * 2654435761u;
        h ^= h >> 13;
        h *= 0x5bd1e995u;
        return float(h & 0xFFFF) / 32768.0f - 1.0f;
    }
    }
    return 0;
}

float Envelope::level(float t, float hold) const {
    if (t < 0) return 0;
    float held;
    if (t < attack) held = t / attack;
    else if (t < attack + decay) held = 1 - (1 - sustain) * (t - attack) / decay;
    else held = sustain;
    if (t <= hold) return held;
    // Release from the level reached at the end of the hold.
    float atHold = level(hold, hold);
    float r = (t - hold) / std::max(release, 1e-4f);
    return r >= 1 ? 0 : atHold * (1 - r);
}

double MidiToHz(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

void AddTone(Samples& out, std::size_t start, const NoteTone& n) {
    float total = n.env.length(n.hold);
    std::size_t count = std::size_t(total * kSampleRate);
    if (out.size() < start + count) out.resize(start + count);
    double phase = 0, phase2 = 0;
    double ratio2 = std::pow(2.0, n.detune / 12.0);
    for (std::size_t i = 0; i < count; ++i) {
        float t = float(i) / kSampleRate;
        double hz = n.hz;
        if (n.hzEnd > 0) hz = n.hz * std::pow(n.hzEnd / n.hz, std::min(1.0, double(t / std::max(n.hold, 1e-3f))));
        if (n.vibrato > 0 && t > 0.08f) hz *= std::pow(2.0, n.vibrato * std::sin(kTwoPi * 5.5 * t) / 12.0);
        phase += hz / kSampleRate;
        float v = Oscillate(n.wave, phase);
        if (n.detune != 0) {
            phase2 += hz * ratio2 / kSampleRate;
            v = 0.6f * v + 0.6f * Oscillate(n.wave, phase2);
        }
        out[start + i] += v * n.gain * n.env.level(t, n.hold);
    }
}

void AddNoise(Samples& out, std::size_t start, float seconds, float gain, float cutoffStart, float cutoffEnd,
              const Envelope& env, Rng& rng, bool highPass) {
    float total = env.length(seconds);
    std::size_t count = std::size_t(total * kSampleRate);
    if (out.size() < start + count) out.resize(start + count);
    float low = 0;
    for (std::size_t i = 0; i < count; ++i) {
        float t = float(i) / kSampleRate;
        float cutoff = cutoffStart + (cutoffEnd - cutoffStart) * std::min(1.0f, t / std::max(total, 1e-3f));
        float k = 1 - std::exp(float(-kTwoPi) * cutoff / kSampleRate);
        float white = float(rng.unit() * 2 - 1);
        low += k * (white - low);
        float v = highPass ? white - low : low;
        out[start + i] += v * gain * env.level(t, seconds);
    }
}

void AddKick(Samples& out, std::size_t start, float gain) {
    NoteTone n;
    n.wave = Wave::Sine;
    n.hz = 150;
    n.hzEnd = 42;
    n.gain = gain;
    n.hold = 0.12f;
    n.env = {0.001f, 0.12f, 0.0f, 0.05f};
    AddTone(out, start, n);
}

void AddSnare(Samples& out, std::size_t start, float gain, Rng& rng) {
    NoteTone body;
    body.wave = Wave::Triangle;
    body.hz = 220;
    body.hzEnd = 160;
    body.gain = gain * 0.5f;
    body.hold = 0.06f;
    body.env = {0.001f, 0.06f, 0.0f, 0.03f};
    AddTone(out, start, body);
    AddNoise(out, start, 0.12f, gain, 7000, 3000, {0.001f, 0.12f, 0.0f, 0.04f}, rng);
}

void AddHat(Samples& out, std::size_t start, float gain, bool open, Rng& rng) {
    float len = open ? 0.14f : 0.035f;
    AddNoise(out, start, len, gain, 4000, 4000, {0.001f, len, 0.0f, 0.02f}, rng, true);
}

void Normalise(Samples& s, float peak) {
    float top = 0;
    for (float v : s) top = std::max(top, std::fabs(v));
    if (top <= 0) return;
    float k = peak / top;
    for (float& v : s) v *= k;
}

void FadeEdges(Samples& s, float seconds) {
    std::size_t n = std::min(s.size() / 2, std::size_t(seconds * kSampleRate));
    for (std::size_t i = 0; i < n; ++i) {
        float k = float(i) / float(n);
        s[i] *= k;
        s[s.size() - 1 - i] *= k;
    }
}

}  // namespace korvid::packgen
