#include "SoundEffects.h"

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

namespace korvid::packgen {

namespace {

struct LayerTiming {
    float at, every, climb, fadeEach;
    int repeat;
};

Envelope ReadEnvelope(const Json& l) {
    Envelope e;
    e.attack = float(l.num("attack", 0.003));
    e.decay = float(l.num("decay", 0.08));
    e.sustain = float(l.num("sustain", 0.4));
    e.release = float(l.num("release", 0.05));
    return e;
}

void ToneLayer(Samples& out, const Json& l, const LayerTiming& t, int k, Rng&) {
    NoteTone n;
    n.wave = WaveFromName(l.str("wave", "square"));
    double climb = std::pow(2.0, t.climb * k / 12.0);
    n.hz = l.num("from", 440) * climb;
    n.hzEnd = l.has("to") ? l.num("to", 0) * climb : 0;
    n.gain = float(l.num("gain", 0.4)) * std::pow(t.fadeEach, float(k));
    n.hold = float(l.num("hold", 0.1));
    n.env = ReadEnvelope(l);
    n.vibrato = float(l.num("vibrato", 0));
    n.detune = float(l.num("detune", 0));
    AddTone(out, std::size_t((t.at + t.every * k) * kSampleRate), n);
}

void NoiseLayer(Samples& out, const Json& l, const LayerTiming& t, int k, Rng& rng) {
    float cutoff = float(l.num("cutoff", 5000));
    AddNoise(out, std::size_t((t.at + t.every * k) * kSampleRate), float(l.num("hold", 0.1)),
             float(l.num("gain", 0.4)) * std::pow(t.fadeEach, float(k)), cutoff, float(l.num("cutoffEnd", cutoff)),
             ReadEnvelope(l), rng, l.flag("highpass", false));
}

// Two-operator FM: a sine carrier whose phase is pushed by a sine modulator
// at `ratio` times its frequency; the index decays with the note (bells, gongs).
void BellLayer(Samples& out, const Json& l, const LayerTiming& t, int k, Rng&) {
    double hz = l.num("from", 660) * std::pow(2.0, t.climb * k / 12.0);
    double ratio = l.num("ratio", 3.5), index = l.num("index", 2.0);
    float gain = float(l.num("gain", 0.4)) * std::pow(t.fadeEach, float(k));
    float hold = float(l.num("hold", 0.3));
    Envelope env = ReadEnvelope(l);
    std::size_t start = std::size_t((t.at + t.every * k) * kSampleRate);
    std::size_t count = std::size_t(env.length(hold) * kSampleRate);
    if (out.size() < start + count) out.resize(start + count);
    for (std::size_t i = 0; i < count; ++i) {
        double s = double(i) / kSampleRate;
        float level = env.level(float(s), hold);
        double mod = index * level * std::sin(6.283185307179586 * hz * ratio * s);
        out[start + i] += gain * level * float(std::sin(6.283185307179586 * hz * s + mod));
    }
}

using LayerFn = void (*)(Samples&, const Json&, const LayerTiming&, int, Rng&);

const std::map<std::string, LayerFn>& LayerTypes() {
    static const std::map<std::string, LayerFn> table = {
        {"tone", ToneLayer}, {"noise", NoiseLayer}, {"bell", BellLayer}};
    return table;
}

}  // namespace

Samples SynthesiseEffect(const Json& entry, std::uint64_t seed) {
    Rng rng(seed);
    Samples out;
    for (const Json& layer : entry.get("layers").array()) {
        auto it = LayerTypes().find(layer.str("type", "tone"));
        if (it == LayerTypes().end()) throw std::runtime_error("unknown sound layer " + layer.str("type", ""));
        LayerTiming t{float(layer.num("at", 0)), float(layer.num("every", 0.1)), float(layer.num("climb", 0)),
                      float(layer.num("fadeEach", 1)), layer.integer("repeat", 1)};
        for (int k = 0; k < t.repeat; ++k) it->second(out, layer, t, k, rng);
    }
    if (entry.has("seconds")) out.resize(std::size_t(entry.num("seconds", 1) * kSampleRate));
    Normalise(out, float(entry.num("peak", 0.8)));
    FadeEdges(out, 0.002f);
    return out;
}

}  // namespace korvid::packgen
