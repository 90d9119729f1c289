// Writes one track of the demo CD as a WAV file (44.1 kHz, 16-bit stereo): a slow progression of
// soft chords, a different one for each track number, exactly the given number of seconds long.
//
//     demo_tones <track number 1..5> <seconds> <out.wav>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
constexpr int Rate = 44100;
constexpr int Channels = 2;
constexpr double Pi = 3.14159265358979323846;
constexpr double ChordSeconds = 3.0;

using Chord = std::array<int, 4>; // MIDI note numbers
using Progression = std::array<Chord, 4>;

// One progression per track: major, minor, suspended and seventh colours in different keys.
constexpr std::array<Progression, 5> Progressions = {{
    {{{48, 55, 64, 67}, {45, 52, 60, 64}, {41, 53, 57, 60}, {43, 55, 59, 62}}}, // C  Am F  G
    {{{45, 52, 57, 60}, {41, 48, 57, 60}, {48, 55, 60, 64}, {43, 50, 55, 59}}}, // Am F  C  G
    {{{50, 57, 62, 67}, {50, 57, 62, 66}, {43, 55, 59, 62}, {45, 57, 61, 64}}}, // Dsus4 D G A
    {{{53, 60, 64, 69}, {50, 57, 60, 65}, {46, 58, 62, 65}, {48, 58, 64, 67}}}, // Fmaj7 Dm7 Bb C7
    {{{52, 59, 64, 67}, {48, 55, 64, 67}, {43, 50, 59, 62}, {50, 57, 62, 66}}}, // Em C  G  D
}};

double Frequency(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// A sine with a little of a triangle's odd harmonics: round, not hollow.
double Voice(double phase)
{
    const double triangle = 2.0 / Pi * std::asin(std::sin(phase));
    return 0.8 * std::sin(phase) + 0.2 * triangle;
}

// Each chord swells in and dies away while the next one begins, like a soft pad.
double ChordEnvelope(double t)
{
    if (t < 0 || t > ChordSeconds + 1.0)
        return 0;
    const double attack = std::min(1.0, t / 0.25);
    return attack * std::exp(-0.9 * t);
}

void PutLE(std::ofstream &out, uint32_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out.put(static_cast<char>((value >> (8 * k)) & 0xFF));
}

void WriteWav(const std::string &path, const std::vector<int16_t> &samples)
{
    std::ofstream out(path, std::ios::binary);
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    PutLE(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLE(out, 16, 4);
    PutLE(out, 1, 2); // PCM
    PutLE(out, Channels, 2);
    PutLE(out, Rate, 4);
    PutLE(out, Rate * Channels * 2, 4);
    PutLE(out, Channels * 2, 2);
    PutLE(out, 16, 2);
    out.write("data", 4);
    PutLE(out, dataBytes, 4);
    for (int16_t s : samples)
        PutLE(out, static_cast<uint16_t>(s), 2);
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::vector<int16_t> Render(const Progression &progression, int seconds)
{
    const int64_t frames = static_cast<int64_t>(seconds) * Rate;
    std::vector<int16_t> samples(static_cast<size_t>(frames * Channels));
    const double fade = 0.5; // at both ends, so that the track starts and stops without a click
    for (int64_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / Rate;
        double left = 0, right = 0;
        const int current = static_cast<int>(t / ChordSeconds);
        for (int c = std::max(0, current - 1); c <= current; ++c) {
            const double env = ChordEnvelope(t - c * ChordSeconds);
            const Chord &chord = progression[static_cast<size_t>(c) % progression.size()];
            for (size_t n = 0; n < chord.size(); ++n) {
                const double v = env * Voice(2 * Pi * Frequency(chord[n]) * t);
                const double pan = 0.3 + 0.4 * static_cast<double>(n) / (chord.size() - 1);
                left += v * (1 - pan);
                right += v * pan;
            }
        }
        const double edge = std::min({1.0, t / fade, (seconds - t) / fade});
        const double gain = 0.4 * edge * 32767;
        samples[static_cast<size_t>(2 * i)] = static_cast<int16_t>(std::lround(std::clamp(left * gain, -32767.0, 32767.0)));
        samples[static_cast<size_t>(2 * i + 1)] = static_cast<int16_t>(std::lround(std::clamp(right * gain, -32767.0, 32767.0)));
    }
    return samples;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <track 1..%zu> <seconds> <out.wav>\n", argv[0], Progressions.size());
        return 2;
    }
    const int track = std::atoi(argv[1]);
    const int seconds = std::atoi(argv[2]);
    if (track < 1 || track > static_cast<int>(Progressions.size()) || seconds < 1) {
        std::fprintf(stderr, "demo_tones: bad track number or length\n");
        return 2;
    }
    try {
        WriteWav(argv[3], Render(Progressions[static_cast<size_t>(track - 1)], seconds));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "demo_tones: %s\n", e.what());
        return 1;
    }
    return 0;
}
