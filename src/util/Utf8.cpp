#include "util/Utf8.h"

#include "util/ByteWords.h"

#include <QChar>
#include <QtAlgorithms>

#include <algorithm>
#include <cstdint>

namespace {

// Decodes one sequence at p; returns its length, or 0 when the bytes are not valid UTF-8.
int DecodeOne(const unsigned char *p, const unsigned char *end, char32_t &c)
{
    unsigned char b = p[0];
    if (b < 0x80) {
        c = b;
        return 1;
    }
    int n;
    char32_t min;
    if ((b & 0xE0) == 0xC0) {
        n = 2; c = b & 0x1F; min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3; c = b & 0x0F; min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4; c = b & 0x07; min = 0x10000;
    } else {
        return 0;
    }
    if (end - p < n)
        return 0;
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return n;
}

// Code points of bytes 0x80..0x9F in Windows-1252; the five undefined bytes map to the C1
// controls of the same value so that they survive a round trip.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252Char(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b;
}

// Hands the characters of utf8, at most maxChars, to put; returns how many.
template <typename Put>
size_t DecodeChars(std::string_view utf8, size_t maxChars, Put put)
{
    auto p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto end = p + utf8.size();
    size_t chars = 0;
    for (; p < end && chars < maxChars; ++chars) {
        if (*p < 0x80) {
            put(static_cast<char32_t>(*p++));
            continue;
        }
        char32_t c;
        int n = DecodeOne(p, end, c);
        if (n == 0) {
            // A stray byte in otherwise valid text keeps its Windows-1252 meaning.
            c = Cp1252Char(*p);
            n = 1;
        }
        put(c);
        p += n;
    }
    return chars;
}

char16_t *PutUtf16(char16_t *o, char32_t c)
{
    if (c < 0x10000) {
        *o++ = static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        *o++ = static_cast<char16_t>(0xD800 + (c >> 10));
        *o++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
    return o;
}

char *PutUtf8(char *o, char32_t c)
{
    if (c < 0x80) {
        *o++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *o++ = static_cast<char>(0xC0 | (c >> 6));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *o++ = static_cast<char>(0xE0 | (c >> 12));
        *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *o++ = static_cast<char>(0xF0 | (c >> 18));
        *o++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return o;
}

// The bytes at or above 0x80 among the 8 at p.
uint64_t NonAsciiBytes(const unsigned char *p)
{
    return ByteWords::NonAsciiBytes(ByteWords::At(p));
}

} // namespace

std::u32string Utf8ToChars(std::string_view utf8, int maxChars)
{
    std::u32string out;
    AppendUtf8Chars(out, utf8, static_cast<size_t>(std::max(maxChars, 0)));
    return out;
}

void AppendUtf8Chars(std::u32string &out, std::string_view utf8, size_t maxChars)
{
    // Written through a pointer into a buffer sized for the worst case: every line of a large
    // catalog comes through here.
    const size_t start = out.size();
    out.resize(start + std::min(utf8.size(), maxChars));
    char32_t *o = out.data() + start;
    DecodeChars(utf8, maxChars, [&o](char32_t c) { *o++ = c; });
    out.resize(static_cast<size_t>(o - out.data()));
}

char16_t *Utf16Text::room(size_t n)
{
    if (units_.size() < size_ + n)
        units_.resize(std::max(size_ + n, 2 * units_.size()));
    return units_.data() + size_;
}

size_t Utf16Text::appendUtf8(std::string_view utf8, size_t maxChars)
{
    char16_t *const begin = room(2 * std::min(utf8.size(), maxChars));
    char16_t *o = begin;
    const size_t chars = DecodeChars(utf8, maxChars, [&o](char32_t c) { o = PutUtf16(o, c); });
    size_ += static_cast<size_t>(o - begin);
    return chars;
}

void Utf16Text::append(std::u32string_view chars)
{
    char16_t *const begin = room(2 * chars.size());
    char16_t *o = begin;
    for (char32_t c : chars)
        o = PutUtf16(o, c);
    size_ += static_cast<size_t>(o - begin);
}

void Utf16Text::append(size_t count, char16_t unit)
{
    std::fill_n(room(count), count, unit);
    size_ += count;
}

void AppendUtf8(std::string &out, char32_t c)
{
    char bytes[4];
    out.append(bytes, static_cast<size_t>(PutUtf8(bytes, c) - bytes));
}

void AppendUtf8(std::string &out, std::u32string_view chars)
{
    const size_t start = out.size();
    out.resize(start + chars.size() * 4);
    char *o = out.data() + start;
    for (char32_t c : chars)
        o = PutUtf8(o, c);
    out.resize(static_cast<size_t>(o - out.data()));
}

bool IsValidUtf8(std::string_view bytes)
{
    auto p = reinterpret_cast<const unsigned char *>(bytes.data());
    auto end = p + bytes.size();
    while (p < end) {
        // Whole catalogs are checked before they are read: runs of ASCII go a word at a time.
        if (end - p >= 16 && (NonAsciiBytes(p) | NonAsciiBytes(p + 8)) == 0) {
            p += 16;
            continue;
        }
        if (end - p >= 8) {
            const uint64_t nonAscii = NonAsciiBytes(p);
            if (nonAscii == 0) {
                p += 8;
                continue;
            }
            p += qCountTrailingZeroBits(nonAscii) / 8;
        } else if (*p < 0x80) {
            ++p;
            continue;
        }
        // Two bytes, as most letters of names take, checked here as DecodeOne would.
        if (*p >= 0xC2 && *p <= 0xDF && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
            p += 2;
            continue;
        }
        char32_t c;
        int n = DecodeOne(p, end, c);
        if (n == 0)
            return false;
        p += n;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (unsigned char b : bytes) {
        AppendUtf8(out, Cp1252Char(b));
    }
    return out;
}

int Utf8Length(std::string_view utf8)
{
    // The bytes that begin a character, counted a word at a time: a save counts every field.
    const char *p = utf8.data();
    const char *const end = p + utf8.size();
    size_t continuing = 0;
    for (; end - p >= 8; p += 8)
        continuing += ByteWords::CountFlags(ByteWords::ContinuationBytes(ByteWords::At(p)));
    for (; p != end; ++p)
        continuing += (static_cast<unsigned char>(*p) & 0xC0) == 0x80;
    return static_cast<int>(utf8.size() - continuing);
}

std::string_view Utf8Prefix(std::string_view utf8, size_t maxChars)
{
    if (utf8.size() <= maxChars)
        return utf8;  // no more characters than bytes
    size_t chars = 0;
    for (size_t i = 0; i < utf8.size(); ++i)
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && chars++ == maxChars)
            return utf8.substr(0, i);
    return utf8;
}

void AppendCaseFolded(std::string &out, std::string_view utf8)
{
    // Written through a pointer: every key look-up folds its key. Room for the text as it is
    // and 4 bytes more, grown only when a folded character needs more than is left.
    size_t at = out.size();
    out.resize(at + utf8.size() + 4);
    char *o = out.data() + at;
    const char *roomEnd = out.data() + out.size();
    auto p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto end = p + utf8.size();
    while (p < end) {
        // Keys are mostly ASCII: lowered eight bytes at a time, the rest of a run byte by byte.
        for (; end - p >= 8; p += 8, o += 8) {
            const uint64_t word = ByteWords::At(p);
            if (ByteWords::NonAsciiBytes(word))
                break;
            qToLittleEndian(word | ByteWords::AsciiCapitals(word) >> 2, o);
        }
        for (; p < end && *p < 0x80; ++p)
            *o++ = static_cast<char>(*p >= 'A' && *p <= 'Z' ? *p + ('a' - 'A') : *p);
        if (p == end)
            break;
        // Each byte left has its own byte in the room, so 4 more than the bytes left hold any
        // character folded.
        if (roomEnd - o < end - p + 4) {
            at = static_cast<size_t>(o - out.data());
            out.resize(out.size() + 4 + (end - p));
            o = out.data() + at;
            roomEnd = out.data() + out.size();
        }
        char32_t c;
        const int n = DecodeOne(p, end, c);
        if (n == 0) {
            *o++ = static_cast<char>(*p++);  // not valid UTF-8: kept as it is
            continue;
        }
        o = PutUtf8(o, QChar::toCaseFolded(c));
        p += n;
    }
    out.resize(static_cast<size_t>(o - out.data()));
}
