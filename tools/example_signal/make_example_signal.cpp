// Synthesises the short stereo example that the README renders through the
// effect: two bars of a plucked chord progression (a chord every two beats)
// over a bass line, a soft kick and a hi-hat, at 48 kHz. Everything is computed here from a fixed seed,
// so the file is reproducible bit for bit.
//
//   orvanta_make_example_signal OUT.wav
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr double kTempo = 112.0;                      // beats per minute
constexpr double kBeat = 60.0 / kTempo;               // seconds per beat
constexpr int kChords = 4;                            // two beats each
constexpr double kLength = kChords * 2 * kBeat + 0.7; // with a short tail
constexpr double kPi = 3.14159265358979323846;

// Small deterministic generator so the example never depends on the C library.
struct Lcg {
    uint32_t state = 12345u;
    double next() {  // uniform in [-1, 1)
        state = state * 1664525u + 1013904223u;
        return (state >> 8) * (2.0 / 16777216.0) - 1.0;
    }
};

double midiToHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

struct Stereo {
    std::vector<double> left, right;
    explicit Stereo(size_t frames) : left(frames, 0.0), right(frames, 0.0) {}
    void add(size_t frame, double value, double pan) {  // pan -1 (left) .. +1 (right)
        if (frame >= left.size()) return;
        const double angle = (pan + 1.0) * kPi / 4.0;
        left[frame] += value * std::cos(angle);
        right[frame] += value * std::sin(angle);
    }
};

// A plucked string (delay line with an averaging low-pass in the loop).
void pluck(Stereo& out, Lcg& noise, double start, int note, double gain, double pan) {
    const int period = static_cast<int>(kRate / midiToHz(note) + 0.5);
    std::vector<double> line(period);
    for (double& v : line) v = noise.next();
    const size_t first = static_cast<size_t>(start * kRate);
    const size_t frames = static_cast<size_t>(2.5 * kRate);
    double previous = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const size_t slot = i % period;
        const double current = line[slot];
        line[slot] = 0.996 * 0.5 * (current + previous);
        previous = current;
        out.add(first + i, gain * current, pan);
    }
}

void bass(Stereo& out, double start, double duration, int note, double gain) {
    const double hz = midiToHz(note);
    const size_t first = static_cast<size_t>(start * kRate);
    const size_t frames = static_cast<size_t>(duration * kRate);
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double envelope = std::min(1.0, t * 200.0) * std::exp(-3.0 * t);
        const double tone = std::sin(2 * kPi * hz * t) + 0.3 * std::sin(4 * kPi * hz * t);
        out.add(first + i, gain * envelope * tone, 0.0);
    }
}

void kick(Stereo& out, double start, double gain) {
    const size_t first = static_cast<size_t>(start * kRate);
    double phase = 0.0;
    for (size_t i = 0; i < static_cast<size_t>(0.35 * kRate); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += 2 * kPi * (45.0 + 120.0 * std::exp(-t * 30.0)) / kRate;
        out.add(first + i, gain * std::exp(-t * 9.0) * std::sin(phase), 0.0);
    }
}

void hat(Stereo& out, Lcg& noise, double start, double gain) {
    const size_t first = static_cast<size_t>(start * kRate);
    double last = 0.0;
    for (size_t i = 0; i < static_cast<size_t>(0.06 * kRate); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double white = noise.next();
        const double high = white - last;  // first difference: a crude high-pass
        last = white;
        out.add(first + i, gain * std::exp(-t * 70.0) * high, 0.35);
    }
}

Stereo compose() {
    Stereo out(static_cast<size_t>(kLength * kRate));
    Lcg noise;
    // I - vi - IV - V in C major, strummed on every beat.
    const int chords[kChords][3] = {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}};
    const int roots[kChords] = {36, 33, 29, 31};
    for (int chord = 0; chord < kChords; ++chord) {
        const double chordStart = chord * 2 * kBeat;
        for (int beat = 0; beat < 2; ++beat) {
            const double at = chordStart + beat * kBeat;
            for (int voice = 0; voice < 3; ++voice)
                pluck(out, noise, at + 0.012 * voice, chords[chord][voice], 0.16, -0.5 + 0.5 * voice);
            kick(out, at, beat == 0 ? 0.55 : 0.35);
            hat(out, noise, at + kBeat / 2, 0.12);
        }
        bass(out, chordStart, kBeat, roots[chord], 0.28);
        bass(out, chordStart + kBeat, kBeat, roots[chord] + 7, 0.24);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.wav\n", argv[0]);
        return 64;
    }
    Stereo music = compose();
    double peak = 0.0;
    for (size_t i = 0; i < music.left.size(); ++i)
        peak = std::max(peak, std::max(std::fabs(music.left[i]), std::fabs(music.right[i])));
    const double scale = peak > 0.0 ? 0.7 / peak : 1.0;  // about -3 dBFS peak

    std::vector<float> interleaved(music.left.size() * 2);
    for (size_t i = 0; i < music.left.size(); ++i) {
        interleaved[2 * i] = static_cast<float>(music.left[i] * scale);
        interleaved[2 * i + 1] = static_cast<float>(music.right[i] * scale);
    }
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "cannot create %s: %s\n", argv[1], sf_strerror(nullptr));
        return 73;
    }
    sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(music.left.size()));
    sf_close(file);
    return 0;
}
