#pragma once
// The fields of a catalog line as the reader finds them, and what a writer may put into them so
// that the line reads back the same. A field is a maximal run of characters other than ";"
// (runs of ";" count as one separator); a field that begins with a double quote runs to the
// closing quote and on to the next ";". Fields are trimmed like TrimBlanks.

#include <optional>
#include <string>
#include <string_view>

inline constexpr int CatalogLineFields = 7;
inline constexpr int CDIDLen = 20;

// Where the field that begins at start ends: at the next separator, or at the end of s.
size_t FieldEnd(std::u32string_view s, size_t start);

// The fields of one line, found in one pass: a catalog of a million lines is read through here.
struct LineFieldsOf {
    std::u32string_view field[CatalogLineFields];
    int count = 0;  // runs of characters other than ";", quotes or not

    explicit LineFieldsOf(std::u32string_view s);
    // Field n (1-based); an empty or missing field reads as one blank.
    std::u32string_view operator[](int n) const
    {
        return field[n - 1].empty() ? std::u32string_view(U" ") : field[n - 1];
    }
};

// True when the text holds no ";", which would split its field, and no line end or Ctrl+Z,
// which would end the line or the file.
bool FitsLaterField(std::string_view utf8);

// The text written for a field's value, right after its separator (or at the start of the line
// for the first field), so that the field reads back as the value (as the reader would give the
// value itself: trimmed, a blank when empty, cut to cut characters) and ends at the next
// separator written; nothing when no text does. Normally a later field is written after a blank
// and the first without one; a value that begins with a double quote may need the other form
// (the blank turns the quote rule off) or a closing quote after a cut.
std::optional<std::u32string> FieldText(std::u32string_view value, bool first, size_t cut = std::u32string_view::npos);
