// Sound for the end-to-end tests, as raw PCM in the format of both the recorder (parec) and lame's
// raw input: signed 16-bit little-endian, stereo, 44.1 kHz.
//
//     tone_track sine HZ SECONDS > tone.raw   a pure tone, faded in and out over 10 ms
//     tone_track segments rec.raw             one line per sounding stretch: start_ms end_ms hz
//
// A stretch is a run of 20 ms windows louder than the silence threshold that keep one pitch; a new
// pitch starts a new stretch even without silence between, so that gapless tracks stay apart.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
constexpr int Rate = 44100;
constexpr double Pi = 3.14159265358979323846;
constexpr int WindowFrames = Rate / 50;    // 20 ms
constexpr double SilenceRms = 30;          // about -60 dBFS; a decoder's silence is all zeros
constexpr double PitchTolerance = 0.1;     // a window more than 10 % off the stretch's pitch ends it

int WriteSine(double hz, double seconds)
{
    const auto frames = static_cast<int64_t>(seconds * Rate);
    const double fadeFrames = 0.010 * Rate;
    std::vector<char> bytes;
    bytes.reserve(static_cast<size_t>(frames) * 4);
    for (int64_t i = 0; i < frames; ++i) {
        const double edge = std::min({1.0, i / fadeFrames, (frames - 1 - i) / fadeFrames});
        const auto sample = static_cast<int16_t>(std::lround(0.5 * 32767 * edge * std::sin(2 * Pi * hz * i / Rate)));
        for (int channel = 0; channel < 2; ++channel) {
            bytes.push_back(static_cast<char>(sample & 0xFF));
            bytes.push_back(static_cast<char>((sample >> 8) & 0xFF));
        }
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() ? 0 : 1;
}

// Both channels mixed to one.
std::vector<double> ReadMono(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<double> mono(bytes.size() / 4);
    for (size_t i = 0; i < mono.size(); ++i) {
        auto sample = [&](size_t at) { return static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8)); };
        mono[i] = (sample(4 * i) + sample(4 * i + 2)) / 2.0;
    }
    return mono;
}

// The pitch from the rising zero crossings in [from, to), each placed between its two samples;
// 0 with fewer than two crossings.
double Pitch(const std::vector<double> &s, size_t from, size_t to)
{
    double first = -1, last = -1;
    int crossings = 0;
    for (size_t i = std::max<size_t>(from, 1); i < to; ++i) {
        if (s[i - 1] < 0 && s[i] >= 0) {
            last = static_cast<double>(i - 1) + s[i - 1] / (s[i - 1] - s[i]);
            if (first < 0)
                first = last;
            ++crossings;
        }
    }
    return crossings < 2 ? 0 : (crossings - 1) * Rate / (last - first);
}

double Rms(const std::vector<double> &s, size_t from, size_t to)
{
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += s[i] * s[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

int PrintSegments(const char *path)
{
    if (!std::ifstream(path)) {
        std::fprintf(stderr, "tone_track: cannot read %s\n", path);
        return 1;
    }
    const std::vector<double> s = ReadMono(path);
    auto print = [&](size_t from, size_t to) {
        std::printf("%lld %lld %.0f\n", static_cast<long long>(from * 1000 / Rate),
                    static_cast<long long>(to * 1000 / Rate), Pitch(s, from, to));
    };
    const size_t count = s.size() / WindowFrames;
    std::vector<double> pitches(count); // 0: silent
    for (size_t w = 0; w < count; ++w) {
        const size_t from = w * WindowFrames, to = from + WindowFrames;
        pitches[w] = Rms(s, from, to) < SilenceRms ? 0 : Pitch(s, from, to);
    }
    auto near = [](double a, double b) { return std::abs(a - b) <= PitchTolerance * b; };
    bool open = false;
    size_t start = 0;
    double pitchSum = 0;
    int windows = 0;
    for (size_t w = 0; w < count; ++w) {
        const size_t from = w * WindowFrames;
        const double pitch = pitches[w];
        const bool sounding = pitch > 0;
        if (open && (!sounding || !near(pitch, pitchSum / windows))) {
            print(start, from);
            open = false;
            // A window that holds the end of one tone and the start of the next has the pitch of
            // neither: it belongs to no stretch.
            if (sounding && w + 1 < count && pitches[w + 1] > 0 && !near(pitches[w + 1], pitch))
                continue;
        }
        if (sounding && !open) {
            open = true;
            start = from;
            pitchSum = 0;
            windows = 0;
        }
        if (sounding) {
            pitchSum += pitch;
            ++windows;
        }
    }
    if (open)
        print(start, count * WindowFrames);
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "sine" && argc == 4 && std::atof(argv[2]) > 0 && std::atof(argv[3]) > 0)
        return WriteSine(std::atof(argv[2]), std::atof(argv[3]));
    if (mode == "segments" && argc == 3)
        return PrintSegments(argv[2]);
    std::fprintf(stderr, "usage: %s sine HZ SECONDS > out.raw\n       %s segments rec.raw\n", argv[0], argv[0]);
    return 2;
}
