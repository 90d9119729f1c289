#pragma once
// Scans of text eight bytes at a time: a word of eight bytes in, a flag out in the high bit of
// each byte that passes the test, the first byte in the lowest. A flag past the first may be
// wrong (a borrow runs on), so only "none", and the first flag, are exact.

#include <QtEndian>
#include <cstdint>

namespace ByteWords {
constexpr uint64_t EveryByte = 0x0101010101010101u;
constexpr uint64_t HighBits = 0x8080808080808080u;

inline uint64_t At(const void *p)
{
    return qFromLittleEndian<uint64_t>(p);
}
// Bytes below 0x20.
inline uint64_t ControlBytes(uint64_t word)
{
    return (word - 0x20 * EveryByte) & ~word & HighBits;
}
// Bytes equal to b.
inline uint64_t BytesEqual(uint64_t word, unsigned char b)
{
    const uint64_t x = word ^ (b * EveryByte);
    return (x - EveryByte) & ~x & HighBits;
}
// Bytes at or above 0x80 (exact for every byte).
inline uint64_t NonAsciiBytes(uint64_t word)
{
    return word & HighBits;
}
// How many bytes an exact test flagged.
inline unsigned CountFlags(uint64_t flags)
{
    return static_cast<unsigned>(((flags >> 7) * EveryByte) >> 56);
}
// Bytes that continue a UTF-8 sequence (10xxxxxx; exact for every byte).
inline uint64_t ContinuationBytes(uint64_t word)
{
    return word & ~(word << 1) & HighBits;
}
// The capitals A to Z of a word of ASCII only (exact for every byte).
inline uint64_t AsciiCapitals(uint64_t word)
{
    return ((word + (0x80 - 'A') * EveryByte) ^ (word + (0x80 - 'Z' - 1) * EveryByte)) & HighBits;
}
} // namespace ByteWords
