#include "InfoHeader.h"

#include <cstring>

namespace {
constexpr size_t ProbeSize = 4096; // junk before the first frame beyond this is not looked at
constexpr int MaxId3Tags = 8;

uint32_t BigEndian32(const unsigned char *p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Offset of the Xing/Info tag inside a layer III frame starting at h, or 0 when h is no such
// frame header.
size_t InfoTagOffset(const unsigned char *h)
{
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return 0;
    const int version = (h[1] >> 3) & 3; // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    const int layer = (h[1] >> 1) & 3;   // 1: layer III
    const int bitrateIndex = h[2] >> 4;
    const int rateIndex = (h[2] >> 2) & 3;
    if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return 0;
    const bool mono = (h[3] >> 6) == 3;
    const size_t sideInfo = version == 3 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    const size_t crc = (h[1] & 1) ? 0 : 2;
    return 4 + crc + sideInfo;
}

int64_t SkipId3v2Tags(const ReadAtFn &readAt)
{
    int64_t pos = 0;
    for (int i = 0; i < MaxId3Tags; ++i) {
        unsigned char t[10];
        if (readAt(pos, t, sizeof t) != sizeof t || std::memcmp(t, "ID3", 3) != 0)
            break;
        const int64_t size = int64_t(t[6] & 0x7F) << 21 | (t[7] & 0x7F) << 14 | (t[8] & 0x7F) << 7 | (t[9] & 0x7F);
        const bool footer = t[5] & 0x10;
        pos += 10 + size + (footer ? 10 : 0);
    }
    return pos;
}
} // namespace

bool ReadInfoHeader(const ReadAtFn &readAt, InfoHeader &header)
{
    const int64_t start = SkipId3v2Tags(readAt);
    unsigned char buf[ProbeSize];
    const size_t n = readAt(start, buf, sizeof buf);
    constexpr size_t MaxTag = 4 + 2 + 32 + 16; // header, CRC, side info, tag up to the byte count
    for (size_t i = 0; i + MaxTag <= n; ++i) {
        const size_t tag = InfoTagOffset(buf + i);
        if (tag == 0)
            continue;
        const unsigned char *p = buf + i + tag;
        if (std::memcmp(p, "Xing", 4) != 0 && std::memcmp(p, "Info", 4) != 0)
            return false; // the first frame is plain audio
        const uint32_t flags = BigEndian32(p + 4);
        p += 8;
        header = InfoHeader();
        header.frameOffset = start + int64_t(i);
        if (flags & 1) {
            header.frames = BigEndian32(p);
            p += 4;
        }
        if (flags & 2)
            header.bytes = BigEndian32(p);
        return true;
    }
    return false;
}
