// Synthesises the game's seven sound cues as short 16-bit PCM mono wave files:
// click.wav, correct.wav, wrong.wav, clear.wav, warning.wav, levelup.wav and gameend.wav.
// Every note has its own soft attack and release and the whole cue fades in and out, so no
// file starts or stops with a click. The output is the same on every run.
//
// Usage: synthcues OUTPUT_FOLDER

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int SampleRate = 44100;
constexpr double TwoPi = 2 * std::numbers::pi;

using Buffer = std::vector<double>;

struct Partial
{
    double multiple; // of the note's frequency
    double gain;
};

struct Note
{
    double start = 0;   // seconds from the start of the cue
    double length = 0;  // seconds, release included
    double freq = 440;  // Hz at the start
    double glideTo = 0; // Hz at the end; 0 keeps the pitch
    double gain = 1;
    double attack = 0.004; // seconds
    double release = 0.02; // seconds, at the end of the note
    double decay = 0;      // exponential decay per second
    double vibratoHz = 0;
    double vibratoDepth = 0; // fraction of the frequency
    std::vector<Partial> partials{{1, 1}};
};

// A raised-cosine ramp from 0 to 1 over x in [0, 1].
double ramp(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

Buffer silence(double seconds)
{
    return Buffer(static_cast<std::size_t>(std::lround(seconds * SampleRate)), 0.0);
}

void addNote(Buffer &out, const Note &n)
{
    const auto first = static_cast<std::size_t>(std::lround(n.start * SampleRate));
    const auto count = static_cast<std::size_t>(std::lround(n.length * SampleRate));
    double phase = 0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double progress = t / n.length;
        double f = n.glideTo > 0 ? n.freq * std::pow(n.glideTo / n.freq, progress) : n.freq;
        if (n.vibratoHz > 0) {
            // The vibrato grows in after the attack, as a player's would.
            f *= 1 + n.vibratoDepth * ramp(t / 0.15) * std::sin(TwoPi * n.vibratoHz * t);
        }
        phase += TwoPi * f / SampleRate;
        double v = 0;
        for (const Partial &p : n.partials) {
            // Partials above the Nyquist frequency would fold back as harsh tones.
            if (f * p.multiple < SampleRate / 2.0 - 1000) {
                v += p.gain * std::sin(phase * p.multiple);
            }
        }
        const double envelope =
            ramp(t / n.attack) * ramp((n.length - t) / n.release) * std::exp(-n.decay * t);
        out[first + i] += n.gain * envelope * v;
    }
}

// Scales the cue to the given peak, fades its very ends and rounds it to 16-bit samples.
std::vector<std::int16_t> finish(Buffer b, double peak)
{
    double highest = 0;
    for (double v : b) {
        highest = std::max(highest, std::abs(v));
    }
    const double scale = highest > 0 ? peak / highest : 0;
    const double fadeIn = 0.002 * SampleRate;
    const double fadeOut = 0.012 * SampleRate;
    std::vector<std::int16_t> pcm(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double fromEnd = static_cast<double>(b.size() - 1 - i);
        const double v =
            b[i] * scale * ramp(static_cast<double>(i) / fadeIn) * ramp(fromEnd / fadeOut);
        pcm[i] = static_cast<std::int16_t>(std::clamp(std::lround(v * 32767), -32767L, 32767L));
    }
    return pcm;
}

// A soft, short tick: a bright ping that dies away within a few milliseconds, on a small
// wooden knock.
std::vector<std::int16_t> click()
{
    Buffer b = silence(0.045);
    addNote(b, {.length = 0.045,
                .freq = 2300,
                .gain = 1,
                .attack = 0.0008,
                .release = 0.01,
                .decay = 160,
                .partials = {{1, 1}, {1.52, 0.35}}});
    addNote(b, {.length = 0.045,
                .freq = 620,
                .gain = 0.45,
                .attack = 0.001,
                .release = 0.01,
                .decay = 110});
    return finish(b, 0.28);
}

// A rising chime: C, E, G and the high C of the sixth octave, each ringing on like a bell.
std::vector<std::int16_t> correct()
{
    Buffer b = silence(0.75);
    const double notes[] = {1046.50, 1318.51, 1567.98, 2093.00};
    for (int k = 0; k < 4; ++k) {
        const double start = 0.075 * k;
        addNote(b, {.start = start,
                    .length = 0.75 - start,
                    .freq = notes[k],
                    .gain = 1,
                    .attack = 0.003,
                    .release = 0.12,
                    .decay = k == 3 ? 4.5 : 7,
                    .partials = {{1, 1}, {2, 0.22}, {3, 0.06}}});
    }
    return finish(b, 0.45);
}

// A low buzz in two short steps down, "uh-uh".
std::vector<std::int16_t> wrong()
{
    Buffer b = silence(0.46);
    std::vector<Partial> buzz;
    for (int k = 1; k <= 14; ++k) {
        // A softened sawtooth: every harmonic, falling off a little faster than 1/k.
        buzz.push_back({static_cast<double>(k), 1.0 / std::pow(k, 1.25)});
    }
    addNote(b, {.start = 0,
                .length = 0.19,
                .freq = 155,
                .glideTo = 148,
                .gain = 1,
                .attack = 0.012,
                .release = 0.05,
                .decay = 1.5,
                .partials = buzz});
    addNote(b, {.start = 0.22,
                .length = 0.24,
                .freq = 118,
                .glideTo = 108,
                .gain = 1,
                .attack = 0.012,
                .release = 0.07,
                .decay = 1.5,
                .partials = buzz});
    return finish(b, 0.32);
}

// A quick downward sweep, with a breath of filtered noise: the word is wiped away.
std::vector<std::int16_t> clear()
{
    Buffer b = silence(0.26);
    addNote(b, {.length = 0.26,
                .freq = 1500,
                .glideTo = 320,
                .gain = 1,
                .attack = 0.006,
                .release = 0.08,
                .decay = 5,
                .partials = {{1, 1}, {2, 0.15}}});
    // Low-passed noise whose cut-off follows the sweep down.
    std::uint32_t state = 0x2545F491u;
    double low = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double white = static_cast<double>(state) / 4294967295.0 * 2 - 1;
        const double t = static_cast<double>(i) / SampleRate;
        const double cutoff = 3000 * std::pow(400.0 / 3000, t / 0.26);
        const double a = 1 - std::exp(-TwoPi * cutoff / SampleRate);
        low += a * (white - low);
        b[i] += 0.35 * low * ramp(t / 0.01) * ramp((0.26 - t) / 0.1);
    }
    return finish(b, 0.32);
}

// An alert of two tones taken twice, high-low high-low, soft enough not to startle.
std::vector<std::int16_t> warning()
{
    Buffer b = silence(0.6);
    const std::vector<Partial> soft{{1, 1}, {3, 0.11}, {5, 0.04}};
    for (int k = 0; k < 4; ++k) {
        addNote(b, {.start = 0.15 * k,
                    .length = 0.125,
                    .freq = k % 2 == 0 ? 880.0 : 659.26,
                    .gain = 1,
                    .attack = 0.005,
                    .release = 0.03,
                    .decay = 2,
                    .partials = soft});
    }
    return finish(b, 0.4);
}

// A little fanfare up G, C, E and a held high G with vibrato.
std::vector<std::int16_t> levelup()
{
    Buffer b = silence(0.9);
    const std::vector<Partial> brass{{1, 1}, {2, 0.45}, {3, 0.25}, {4, 0.12}, {5, 0.05}};
    const double notes[] = {783.99, 1046.50, 1318.51};
    for (int k = 0; k < 3; ++k) {
        addNote(b, {.start = 0.1 * k,
                    .length = 0.13,
                    .freq = notes[k],
                    .gain = 0.8,
                    .attack = 0.006,
                    .release = 0.04,
                    .decay = 3,
                    .partials = brass});
    }
    addNote(b, {.start = 0.3,
                .length = 0.6,
                .freq = 1567.98,
                .gain = 1,
                .attack = 0.008,
                .release = 0.25,
                .decay = 1.5,
                .vibratoHz = 5.5,
                .vibratoDepth = 0.006,
                .partials = brass});
    return finish(b, 0.45);
}

// Three falling notes, G, E and a long low C that wavers as it fades.
std::vector<std::int16_t> gameend()
{
    Buffer b = silence(0.95);
    const std::vector<Partial> warm{{1, 1}, {2, 0.35}, {3, 0.12}, {4, 0.04}};
    addNote(b, {.start = 0,
                .length = 0.24,
                .freq = 392.00,
                .gain = 1,
                .attack = 0.01,
                .release = 0.06,
                .decay = 2,
                .partials = warm});
    addNote(b, {.start = 0.22,
                .length = 0.24,
                .freq = 329.63,
                .gain = 1,
                .attack = 0.01,
                .release = 0.06,
                .decay = 2,
                .partials = warm});
    addNote(b, {.start = 0.44,
                .length = 0.51,
                .freq = 261.63,
                .glideTo = 254,
                .gain = 1.1,
                .attack = 0.012,
                .release = 0.3,
                .decay = 1.2,
                .vibratoHz = 4.5,
                .vibratoDepth = 0.01,
                .partials = warm});
    return finish(b, 0.45);
}

void put16(std::string &s, std::uint16_t v)
{
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>(v >> 8);
}

void put32(std::string &s, std::uint32_t v)
{
    put16(s, static_cast<std::uint16_t>(v & 0xffff));
    put16(s, static_cast<std::uint16_t>(v >> 16));
}

// The canonical 44-byte header: RIFF, a 16-byte PCM "fmt " chunk and the "data" chunk.
bool writeWave(const std::string &path, const std::vector<std::int16_t> &pcm)
{
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    std::string out;
    out += "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, SampleRate);
    put32(out, SampleRate * 2); // bytes per second
    put16(out, 2);              // bytes per frame
    put16(out, 16);             // bits per sample
    out += "data";
    put32(out, dataBytes);
    for (std::int16_t v : pcm) {
        put16(out, static_cast<std::uint16_t>(v));
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file.flush());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: synthcues OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    struct Cue
    {
        const char *name;
        std::vector<std::int16_t> (*make)();
    };
    const Cue cues[] = {{"click", click},    {"correct", correct}, {"wrong", wrong},
                        {"clear", clear},    {"warning", warning}, {"levelup", levelup},
                        {"gameend", gameend}};
    for (const Cue &cue : cues) {
        const std::string path = folder + "/" + cue.name + ".wav";
        if (!writeWave(path, cue.make())) {
            std::cerr << "synthcues: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
