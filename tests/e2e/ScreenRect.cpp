// Prints a checksum of the pixels in a rectangle of an X window dump, such as the screen file that
// Xvfb keeps with -fbdir, so that a test can tell whether part of a window looks as it did before.
//
//     screen_rect FILE X Y WIDTH HEIGHT

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {
// The header's fields are 32-bit big-endian words; these are the ones needed here.
enum HeaderField { HeaderSize = 0, Width = 4, Height = 5, BitsPerPixel = 11, BytesPerLine = 12, ColorCount = 19 };
constexpr size_t HeaderFields = 25;
constexpr size_t ColorBytes = 12;

uint32_t Field(const std::vector<unsigned char> &dump, HeaderField field)
{
    const size_t at = 4 * static_cast<size_t>(field);
    return static_cast<uint32_t>(dump[at]) << 24 | dump[at + 1] << 16 | dump[at + 2] << 8 | dump[at + 3];
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s FILE X Y WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> dump{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (dump.size() < 4 * HeaderFields) {
        std::fprintf(stderr, "screen_rect: %s is no window dump\n", argv[1]);
        return 1;
    }
    const long x = std::atol(argv[2]), y = std::atol(argv[3]), w = std::atol(argv[4]), h = std::atol(argv[5]);
    const size_t pixelBytes = Field(dump, BitsPerPixel) / 8;
    const size_t lineBytes = Field(dump, BytesPerLine);
    const size_t pixels = Field(dump, HeaderSize) + Field(dump, ColorCount) * ColorBytes;
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > static_cast<long>(Field(dump, Width)) ||
        y + h > static_cast<long>(Field(dump, Height)) || pixelBytes == 0 ||
        pixels + static_cast<size_t>(y + h) * lineBytes > dump.size()) {
        std::fprintf(stderr, "screen_rect: the rectangle is not inside the %ux%u screen\n", Field(dump, Width),
                     Field(dump, Height));
        return 1;
    }
    uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (long row = y; row < y + h; ++row) {
        const size_t from = pixels + static_cast<size_t>(row) * lineBytes + static_cast<size_t>(x) * pixelBytes;
        for (size_t i = from; i < from + static_cast<size_t>(w) * pixelBytes; ++i)
            hash = (hash ^ dump[i]) * 1099511628211ull;
    }
    std::printf("%016llx\n", static_cast<unsigned long long>(hash));
    return 0;
}
