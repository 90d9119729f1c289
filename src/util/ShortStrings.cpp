#include "util/ShortStrings.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>

bool IsPathDelimiter(char32_t c)
{
    return c == U'\\' || c == U'/' || c == 0;
}

int FieldCount(const ShortStr &text, CharSet separators)
{
    const auto &s = text.chars();
    size_t i = 0;
    int count = 0;
    while (i < s.size()) {
        while (i < s.size() && separators.contains(s[i]))
            ++i;
        if (i < s.size())
            ++count;
        while (i < s.size() && !separators.contains(s[i]))
            ++i;
    }
    return count;
}

int FieldPos(int n, const ShortStr &text, CharSet separators)
{
    if (n <= 0)
        return 0;
    const auto &s = text.chars();
    size_t i = 0;
    int count = 0;
    while (i < s.size()) {
        while (i < s.size() && separators.contains(s[i]))
            ++i;
        if (i >= s.size())
            break;
        if (++count == n)
            return static_cast<int>(i) + 1;
        if (s[i] == U'"') {
            ++i;
            while (i < s.size() && s[i] != U'"')
                ++i;
        }
        while (i < s.size() && !separators.contains(s[i]))
            ++i;
    }
    return 0;
}

ShortStr GetField(int n, const ShortStr &text, CharSet separators)
{
    int p = FieldPos(n, text, separators);
    if (p == 0)
        return {};
    const auto &s = text.chars();
    size_t start = p - 1, i = start;
    if (s[i] == U'"') {
        ++i;
        while (i < s.size() && s[i] != U'"')
            ++i;
    }
    while (i < s.size() && !separators.contains(s[i]))
        ++i;
    return ShortStr(std::u32string_view(s).substr(start, i - start));
}

ShortStr FieldsFrom(int n, const ShortStr &text, CharSet separators)
{
    int p = FieldPos(n, text, separators);
    return p == 0 ? ShortStr() : text.copy(p, ShortStr::MaxLen);
}

bool HasFileExt(const ShortStr &path, int &dotPos)
{
    dotPos = 0;
    for (int i = path.length(); i >= 1; --i) {
        if (path.at(i) == U'.') {
            dotPos = i;
            break;
        }
    }
    if (dotPos == 0)
        return false;
    const ShortStr after = path.copy(dotPos + 1, 64);
    for (char32_t c : after.chars())
        if (IsPathDelimiter(c))
            return false;
    return true;
}

ShortStr GetFileExt(const ShortStr &path)
{
    int dot;
    return HasFileExt(path, dot) ? path.copy(dot + 1, 3) : ShortStr();
}

namespace {
int LastDelimiter(const ShortStr &path)
{
    for (int i = path.length(); i >= 1; --i)
        if (IsPathDelimiter(path.at(i)))
            return i;
    return 0;
}
} // namespace

ShortStr GetFileNamePart(const ShortStr &path)
{
    return path.copy(LastDelimiter(path) + 1, 64);
}

ShortStr GetDirPart(const ShortStr &path)
{
    int p = LastDelimiter(path);
    if (p == 0)
        return {};
    if (p == 1)
        return path.copy(1, 1);
    return path.copy(1, p - 1);
}

ShortStr GetDirPartSlash(const ShortStr &path)
{
    return EnsureTrailingBackslash(GetDirPart(path));
}

ShortStr EnsureTrailingBackslash(const ShortStr &text)
{
    if (text.empty() || IsPathDelimiter(text.at(text.length())))
        return text;
    return text + ShortStr(NativeSeparator);
}

ShortStr TrimBlanks(const ShortStr &text)
{
    const auto &s = text.chars();
    size_t b = 0, e = s.size();
    while (b < e && s[b] <= 32)
        ++b;
    while (e > b && s[e - 1] <= 32)
        --e;
    return ShortStr(std::u32string_view(s).substr(b, e - b));
}

ShortStr PadRightWith(const ShortStr &text, char32_t fill, int length)
{
    if (text.length() >= length)
        return text;
    std::u32string s = text.chars();
    s.append(length - text.length(), fill);
    return ShortStr(s);
}

ShortStr PadRight(const ShortStr &text, int length)
{
    return PadRightWith(text, U' ', length);
}

ShortStr UpperCaseShort(const ShortStr &text)
{
    std::u32string s = text.chars();
    for (auto &c : s)
        if (c >= U'a' && c <= U'z')
            c -= 32;
    return ShortStr(s);
}

int16_t MaxSmall(int16_t a, int16_t b)
{
    return a > b ? a : b;
}

int ReplaceAllText(ShortStr &text, const ShortStr &search, const ShortStr &replacement)
{
    int count = 0;
    int p = text.pos(search);
    while (p > 0) {
        text.remove(p, search.length());
        text.insert(replacement, p);
        ++count;
        int q = text.pos(search);
        if (q == 0 || q < p + replacement.length())
            break;
        p = q;
    }
    return count;
}

ShortStr IntToShortStr(int32_t n)
{
    return ShortStr(std::to_string(n).c_str());
}

void AppendZeroPadded(std::string &out, int32_t n, int width)
{
    // As printf's "%*d" with the leading blanks made zeros, cut to 20 characters; built by hand,
    // since a save writes one per track.
    constexpr size_t MaxChars = 20;
    char digits[16];
    const size_t length = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits);
    const size_t wide = static_cast<size_t>(std::min<int64_t>(std::abs(static_cast<int64_t>(width)), 256));
    const size_t fill = wide > length ? wide - length : 0;
    const size_t start = out.size();
    if (width >= 0)
        out.append(fill, '0');
    out.append(digits, length);
    if (width < 0)
        out.append(fill, ' ');
    if (out.size() - start > MaxChars)
        out.resize(start + MaxChars);
}

ShortStr IntToZeroPadded(int32_t n, int width)
{
    std::string text;
    AppendZeroPadded(text, n, width);
    return ShortStr::fromUtf8(text);
}

namespace {
// Every character that the rule looks at is ASCII, so UTF-8 bytes and code points read the same.
template <class View>
int32_t IntOrZero(View s)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i < s.size() && s[i] == '$') {
        ++i;
        if (i == s.size())
            return 0;
        uint64_t v = 0;
        for (; i < s.size(); ++i) {
            const auto c = s[i];
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return 0;
            v = v * 16 + d;
            if (v > 0xFFFFFFFFu)
                return 0;
        }
        return static_cast<int32_t>(static_cast<uint32_t>(v));
    }
    if (i == s.size())
        return 0;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return 0;
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648LL)
            return 0;
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX || v < INT32_MIN)
        return 0;
    return static_cast<int32_t>(v);
}
} // namespace

int32_t StrToIntOrZero(const ShortStr &text)
{
    return IntOrZero(std::u32string_view(text.chars()));
}

int32_t StrToIntOrZero(std::string_view utf8)
{
    return IntOrZero(utf8);
}
