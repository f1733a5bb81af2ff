#include "MusicComposer.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvid::packgen {

namespace {

const std::map<std::string, std::vector<int>>& Modes() {
    static const std::map<std::string, std::vector<int>> table = {
        {"major", {0, 2, 4, 5, 7, 9, 11}},    {"minor", {0, 2, 3, 5, 7, 8, 10}},
        {"dorian", {0, 2, 3, 5, 7, 9, 10}},   {"harmonic", {0, 2, 3, 5, 7, 8, 11}},
        {"phrygian", {0, 1, 3, 5, 7, 8, 10}}, {"mixolydian", {0, 2, 4, 5, 7, 9, 10}},
        {"lydian", {0, 2, 4, 6, 7, 9, 11}},
    };
    return table;
}

// Rhythms of one bar in eighth notes (each sums to 8), sparse to busy.
const std::vector<std::vector<int>>& BarRhythms() {
    static const std::vector<std::vector<int>> table = {
        {4, 4}, {6, 2}, {4, 2, 2}, {2, 2, 4}, {3, 3, 2}, {2, 2, 2, 2}, {3, 1, 2, 2},
        {2, 1, 1, 4}, {1, 1, 2, 2, 2}, {2, 1, 1, 2, 2}, {1, 1, 2, 1, 1, 2}, {1, 1, 1, 1, 2, 2},
    };
    return table;
}

struct MotifNote {
    int start8, len8, step;  // step: scale steps above the chord's root
    bool rest;
};

// A two-bar melodic shape: a rhythm per bar and a walk over scale steps that
// lands on chord tones on the strong beats.
std::vector<MotifNote> MakeMotif(Rng& rng, float density) {
    const auto& rhythms = BarRhythms();
    int span = int(rhythms.size());
    int lo = std::clamp(int(density * float(span)) - 5, 0, span - 6);
    std::vector<MotifNote> notes;
    int step = 2 * rng.below(3);  // root, third or fifth
    for (int bar = 0; bar < 2; ++bar) {
        const auto& rhythm = rhythms[std::size_t(lo + rng.below(6))];
        int t = bar * 8;
        for (std::size_t i = 0; i < rhythm.size(); ++i) {
            bool strong = (t % 4) == 0;
            if (strong) {
                // Nearest chord tone (0, 2, 4, 7) to where the line is.
                static const int tones[] = {0, 2, 4, 7};
                int best = 0;
                for (int c : tones)
                    if (std::abs(c - step) < std::abs(best - step)) best = c;
                step = best;
            } else {
                int move = rng.below(5) - 2;
                if (move == 0) move = 1;
                step = std::clamp(step + move, -2, 9);
            }
            bool rest = !strong && rng.chance(0.12);
            notes.push_back({t, rhythm[i], step, rest});
            t += rhythm[i];
        }
    }
    // End on the root or the fifth so the phrase closes.
    notes.back().step = rng.chance(0.5) ? 0 : 4;
    notes.back().rest = false;
    return notes;
}

struct Band {
    Wave lead, bass, pad;
    bool arp;
    std::string drums;
    int leadShift;
    float density;
    float leadGain, bassGain, padGain, drumGain;
};

class Score {
public:
    Score(const Json& entry, Rng& rng) : rng_(rng) {
        auto mode = Modes().find(entry.str("mode", "minor"));
        if (mode == Modes().end()) throw std::runtime_error("unknown mode " + entry.str("mode", ""));
        scale_ = mode->second;
        key_ = entry.integer("key", 57);
        bpm_ = entry.num("bpm", 120);
        bars_ = entry.integer("bars", 16);
        if (entry.get("progression").isArray())
            for (const Json& d : entry.get("progression").array()) progA_.push_back(int(d.number()) - 1);
        if (entry.get("progressionB").isArray())
            for (const Json& d : entry.get("progressionB").array()) progB_.push_back(int(d.number()) - 1);
        if (progA_.empty()) progA_ = {0, 5, 3, 4};
        if (progB_.empty()) progB_ = progA_;
        band_ = {WaveFromName(entry.str("lead", "square")), WaveFromName(entry.str("bass", "triangle")),
                 WaveFromName(entry.str("pad", "saw")), entry.flag("arp", false), entry.str("drums", "rock"),
                 entry.integer("leadShift", 12), float(entry.num("density", 0.5)),
                 float(entry.num("leadGain", 0.16)), float(entry.num("bassGain", 0.2)),
                 float(entry.num("padGain", 0.045)), float(entry.num("drumGain", 1.0))};
        vibrato_ = float(entry.num("vibrato", 0.15));
        detune_ = float(entry.num("detune", 0));
    }

    double secondsPerEighth() const { return 30.0 / bpm_; }
    std::size_t length() const { return std::size_t(double(bars_) * 8 * secondsPerEighth() * kSampleRate); }

    Samples render() {
        Samples out(length() + std::size_t(4 * kSampleRate));
        std::vector<MotifNote> motifs[2][2] = {{MakeMotif(rng_, band_.density), MakeMotif(rng_, band_.density)},
                                               {MakeMotif(rng_, band_.density), MakeMotif(rng_, band_.density)}};
        const bool longForm = bars_ > kShortFormBars;
        for (int bar = 0; bar < bars_; ++bar) {
            int phrase = bar / 8, inPhrase = bar % 8;
            // A long tune gets new motifs for each round of its sections, so
            // it never repeats itself before its end.
            if (longForm && inPhrase == 0 && phrase > 1 && (phrase - 1) % kRound == 0)
                for (auto& pair : motifs)
                    for (auto& m : pair) m = MakeMotif(rng_, band_.density);
            const Section section = longForm ? longSection(phrase) : ((phrase % 4 == 2) ? B : A);  // A A B A
            const auto& prog = section == A || section == Intro ? progA_ : progB_;
            const std::size_t slot = std::size_t(bar % int(prog.size()));
            // The bridge walks the B progression backwards, a fourth higher.
            int degree = section == Bridge ? (prog[prog.size() - 1 - slot] + 3) % 7 : prog[slot];
            if (section != Intro) melodyBar(out, bar, inPhrase, degree, motifs[section == A ? 0 : 1]);
            bassBar(out, bar, degree);
            harmonyBar(out, bar, degree);
            if (section != Intro || inPhrase >= 4) drumBar(out, bar, inPhrase == 7);
        }
        // Fold the ringing tail back onto the start: the loop point is seamless.
        std::size_t n = length();
        for (std::size_t i = n; i < out.size(); ++i) out[i - n] += out[i];
        out.resize(n);
        return out;
    }

private:
    // Tunes up to this many bars keep the short form A A B A; longer ones
    // open with an intro (harmony, bass, drums from its second half) and
    // then play rounds of A A B bridge A (the return).
    static constexpr int kShortFormBars = 32;
    enum Section { Intro, A, B, Bridge };
    static constexpr Section kRoundSections[] = {A, A, B, Bridge, A};
    static constexpr int kRound = 5;
    static Section longSection(int phrase) { return phrase == 0 ? Intro : kRoundSections[(phrase - 1) % kRound]; }

    // MIDI note of scale step `step` counted from the tonic (may be negative or past 7).
    int note(int step) const {
        int octave = step >= 0 ? step / 7 : -((-step + 6) / 7);
        int idx = step - octave * 7;
        return key_ + octave * 12 + scale_[std::size_t(idx)];
    }

    std::size_t at(int bar, double eighth) const {
        return std::size_t((bar * 8 + eighth) * secondsPerEighth() * kSampleRate);
    }

    void melodyBar(Samples& out, int bar, int inPhrase, int degree, const std::vector<MotifNote> (&motifs)[2]) {
        if (inPhrase == 7 || (inPhrase == 6 && bar + 1 >= bars_)) {
            // Cadence: one long note on the chord root.
            lead(out, at(bar, 0), note(degree) + band_.leadShift, 7);
            return;
        }
        const auto& motif = motifs[inPhrase >= 4 ? 1 : 0];
        int half = inPhrase % 2;
        for (const MotifNote& m : motif) {
            if (m.start8 / 8 != half || m.rest) continue;
            lead(out, at(bar, m.start8 % 8), note(degree + m.step) + band_.leadShift, m.len8);
        }
    }

    void lead(Samples& out, std::size_t start, int midi, int len8) {
        NoteTone n;
        n.wave = band_.lead;
        n.hz = MidiToHz(midi);
        n.gain = band_.leadGain;
        n.hold = float(len8 * secondsPerEighth() * 0.85);
        n.env = {0.01f, 0.12f, 0.65f, 0.08f};
        n.vibrato = len8 >= 3 ? vibrato_ : 0;
        n.detune = detune_;
        AddTone(out, start, n);
    }

    void bassBar(Samples& out, int bar, int degree) {
        int root = note(degree) - 24, fifth = note(degree + 4) - 24;
        std::vector<std::pair<int, int>> hits;  // eighth, midi
        if (band_.drums == "drive") {
            for (int e = 0; e < 8; ++e) hits.push_back({e, e % 2 ? root + 12 : root});
        } else if (band_.drums == "soft" || band_.drums == "none") {
            hits = {{0, root}, {4, fifth}};
        } else {
            hits = {{0, root}, {2, root}, {4, fifth}, {6, root}};
        }
        float len = band_.drums == "drive" ? 1 : (hits.size() == 2 ? 4 : 2);
        for (auto [e, midi] : hits) {
            NoteTone n;
            n.wave = band_.bass;
            n.hz = MidiToHz(midi);
            n.gain = band_.bassGain;
            n.hold = float(len * secondsPerEighth() * 0.8);
            n.env = {0.005f, 0.1f, 0.8f, 0.05f};
            AddTone(out, at(bar, e), n);
        }
    }

    void harmonyBar(Samples& out, int bar, int degree) {
        int chord[3] = {note(degree), note(degree + 2), note(degree + 4)};
        if (band_.arp) {
            static const int order[8] = {0, 1, 2, 1, 0, 2, 1, 2};
            for (int s = 0; s < 16; ++s) {
                NoteTone n;
                n.wave = Wave::Pulse;
                n.hz = MidiToHz(chord[order[s % 8]] + 12 + (s >= 8 ? 12 : 0));
                n.gain = band_.padGain * 1.4f;
                n.hold = float(secondsPerEighth() * 0.4);
                n.env = {0.002f, 0.05f, 0.3f, 0.04f};
                AddTone(out, at(bar, s * 0.5), n);
            }
            return;
        }
        for (int midi : chord) {
            NoteTone n;
            n.wave = band_.pad;
            n.hz = MidiToHz(midi);
            n.gain = band_.padGain;
            n.hold = float(8 * secondsPerEighth() * 0.95);
            n.env = {0.25f, 0.3f, 0.8f, 0.35f};
            n.detune = 0.12f;
            AddTone(out, at(bar, 0), n);
        }
    }

    void drumBar(Samples& out, int bar, bool fill) {
        float g = band_.drumGain;
        const std::string& d = band_.drums;
        if (d == "none") return;
        if (d == "soft") {
            AddKick(out, at(bar, 0), 0.35f * g);
            for (int e = 0; e < 8; e += 2) AddHat(out, at(bar, e + 1), 0.05f * g, false, rng_);
            return;
        }
        bool drive = d == "drive";
        for (int beat = 0; beat < 4; ++beat) {
            if (drive || beat % 2 == 0) AddKick(out, at(bar, beat * 2), 0.5f * g);
            if (beat % 2 == 1) AddSnare(out, at(bar, beat * 2), 0.28f * g, rng_);
        }
        int hats = drive ? 16 : 8;
        for (int h = 0; h < hats; ++h)
            AddHat(out, at(bar, h * 8.0 / hats), (h % 2 ? 0.04f : 0.06f) * g, drive && h % 4 == 2, rng_);
        if (fill)
            for (int s = 0; s < 4; ++s) AddSnare(out, at(bar, 6 + s * 0.5), (0.12f + 0.05f * s) * g, rng_);
    }

    Rng& rng_;
    std::vector<int> scale_, progA_, progB_;
    int key_ = 57, bars_ = 16;
    double bpm_ = 120;
    Band band_{};
    float vibrato_ = 0.15f, detune_ = 0;
};

}  // namespace

double MusicSeconds(const Json& entry) {
    return double(entry.integer("bars", 16)) * 4 * 60.0 / entry.num("bpm", 120);
}

Samples ComposeMusic(const Json& entry, std::uint64_t seed) {
    Rng rng(seed);
    Score score(entry, rng);
    Samples out = score.render();
    Normalise(out, float(entry.num("peak", 0.85)));
    return out;
}

}  // namespace korvid::packgen
