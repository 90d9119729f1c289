#pragma once
// Field, path, trimming, padding and number helpers on short strings. Every function takes its
// text by value and returns a new short string; results are cut to their capacity.

#include "util/ShortStr.h"

#include <cstdint>
#include <string_view>

// A set of separator characters for the field functions.
class CharSet {
public:
    constexpr CharSet(std::u32string_view chars) : chars_(chars) {}
    bool contains(char32_t c) const { return chars_.find(c) != std::u32string_view::npos; }

private:
    std::u32string_view chars_;
};

inline constexpr CharSet TabSet(U"\t");
inline constexpr CharSet SemicolonSet(U";");

// Characters that end a directory part: both slashes and NUL. The colon is an ordinary character.
bool IsPathDelimiter(char32_t c);
inline constexpr char32_t NativeSeparator = U'/';

int FieldCount(const ShortStr &text, CharSet separators);
int FieldPos(int n, const ShortStr &text, CharSet separators);
ShortStr GetField(int n, const ShortStr &text, CharSet separators);
ShortStr FieldsFrom(int n, const ShortStr &text, CharSet separators);

bool HasFileExt(const ShortStr &path, int &dotPos);
ShortStr GetFileExt(const ShortStr &path);
ShortStr GetFileNamePart(const ShortStr &path);
ShortStr GetDirPart(const ShortStr &path);
ShortStr GetDirPartSlash(const ShortStr &path);
ShortStr EnsureTrailingBackslash(const ShortStr &text);

ShortStr TrimBlanks(const ShortStr &text);
ShortStr PadRightWith(const ShortStr &text, char32_t fill, int length);
ShortStr PadRight(const ShortStr &text, int length);
ShortStr UpperCaseShort(const ShortStr &text);
int16_t MaxSmall(int16_t a, int16_t b);
int ReplaceAllText(ShortStr &text, const ShortStr &search, const ShortStr &replacement);

ShortStr IntToShortStr(int32_t n);
ShortStr IntToZeroPadded(int32_t n, int width);
// The same appended to UTF-8.
void AppendZeroPadded(std::string &out, int32_t n, int width);
int32_t StrToIntOrZero(const ShortStr &text);
int32_t StrToIntOrZero(std::string_view utf8);
