#pragma once
// The fields of a catalog line as the reader finds them, and what a writer may put into them so
// that the line reads back the same. A field is a maximal run of characters other than ";"
// (runs of ";" count as one separator); a field that begins with a double quote runs to the
// closing quote and on to the next ";". Fields are trimmed like TrimBlanks.

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

inline constexpr int CatalogLineFields = 7;
inline constexpr int CDIDLen = 20;

// The position of the first c in s at or after from, or s.size(); memchr for bytes, as a
// million lines are scanned through here.
template <class Char>
size_t FindFrom(std::basic_string_view<Char> s, size_t from, char c)
{
    if constexpr (std::is_same_v<Char, char>) {
        if (from >= s.size())
            return s.size();
        const void *hit = std::memchr(s.data() + from, c, s.size() - from);
        return hit ? static_cast<size_t>(static_cast<const char *>(hit) - s.data()) : s.size();
    } else {
        while (from < s.size() && s[from] != Char(c))
            ++from;
        return from;
    }
}

// Where the field that begins at start ends: at the next separator, or at the end of s.
template <class Char>
size_t FieldEnd(std::basic_string_view<Char> s, size_t start)
{
    size_t i = start;
    if (i < s.size() && s[i] == Char('"'))
        i = FindFrom(s, i + 1, '"');
    return FindFrom(s, i, ';');
}

// The text without the characters up to the blank at either end.
template <class Char>
std::basic_string_view<Char> TrimmedField(std::basic_string_view<Char> s)
{
    const auto blank = [](Char c) { return static_cast<std::make_unsigned_t<Char>>(c) <= 32; };
    size_t b = 0, e = s.size();
    while (b < e && blank(s[b]))
        ++b;
    while (e > b && blank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// The fields of one line, found in one pass: a catalog of a million lines is read through here.
// Every character that the rules look at is ASCII and no byte of a longer UTF-8 sequence is,
// so the fields of UTF-8 bytes are those of the decoded characters.
template <class Char>
struct BasicLineFields {
    using View = std::basic_string_view<Char>;
    View field[CatalogLineFields];
    int count = 0;  // runs of characters other than ";", quotes or not

    explicit BasicLineFields(View s)
    {
        // The fields are the runs that are counted, unless one of them begins with a quote: one
        // pass finds both for most lines.
        bool quoted = false;
        for (size_t i = 0; i < s.size();) {
            const size_t separator = FindFrom(s, i, ';');
            if (separator > i && count < CatalogLineFields) {
                quoted = quoted || s[i] == Char('"');
                field[count] = TrimmedField(s.substr(i, separator - i));
            }
            count += separator > i;
            i = separator + 1;
        }
        if (!quoted)
            return;
        size_t i = 0;
        for (auto &f : field) {
            while (i < s.size() && s[i] == Char(';'))
                ++i;
            const size_t start = i;
            i = FieldEnd(s, start);
            f = TrimmedField(s.substr(start, i - start));
        }
    }
    // Field n (1-based); an empty or missing field reads as one blank.
    View operator[](int n) const
    {
        static constexpr Char blank[] = {Char(' ')};
        return field[n - 1].empty() ? View(blank, 1) : field[n - 1];
    }
};
using Utf8LineFields = BasicLineFields<char>;

// True when the text holds no ";", which would split its field, and no line end or Ctrl+Z,
// which would end the line or the file.
bool FitsLaterField(std::string_view utf8);
// A plain value fits a later field and does not begin with a double quote: it reads back as it
// is when written after a separator and a blank (or at the start of a line).
bool IsPlainValue(std::string_view utf8);
// Copies a plain value to out (advanced past it) and counts its characters in chars; false for a
// value that is not plain, and what was copied is then of no use.
bool CopyPlainValue(std::string_view utf8, char *&out, size_t &chars);

// The text written for a field's value, right after its separator (or at the start of the line
// for the first field), so that the field reads back as the value (as the reader would give the
// value itself: trimmed, a blank when empty, cut to cut characters) and ends at the next
// separator written; nothing when no text does. Normally a later field is written after a blank
// and the first without one; a value that begins with a double quote may need the other form
// (the blank turns the quote rule off) or a closing quote after a cut.
std::optional<std::u32string> FieldText(std::u32string_view value, bool first, size_t cut = std::u32string_view::npos);
