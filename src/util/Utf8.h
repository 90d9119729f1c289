#pragma once
// UTF-8 and Windows-1252 decoding for text that comes from files. Text files are UTF-8; a file
// that is not valid UTF-8 is read as Windows-1252, so no byte is ever lost or replaced.

#include <string>
#include <string_view>

// Decodes valid UTF-8 into at most maxChars code points.
std::u32string Utf8ToChars(std::string_view utf8, int maxChars);
// The same appended to out.
void AppendUtf8Chars(std::u32string &out, std::string_view utf8, size_t maxChars);
void AppendUtf8(std::string &out, std::u32string_view chars);
void AppendUtf8(std::string &out, char32_t c);
bool IsValidUtf8(std::string_view bytes);
// Re-encodes Windows-1252 bytes as UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);
// Number of code points in valid UTF-8.
int Utf8Length(std::string_view utf8);
// The first maxChars code points of valid UTF-8.
std::string_view Utf8Prefix(std::string_view utf8, size_t maxChars);
// Appends valid UTF-8 without letter case: QString::toCaseFolded, which folds character by
// character, without building a QString.
void AppendCaseFolded(std::string &out, std::string_view utf8);

// A text built in UTF-16, the collator's own form, in room that only grows: sorts build a key
// text for every record, and a std::u16string would clear the room it grows into each time.
class Utf16Text {
public:
    void clear() { size_ = 0; }
    // The characters of utf8 as AppendUtf8Chars reads them, at most maxChars; returns how many.
    size_t appendUtf8(std::string_view utf8, size_t maxChars);
    void append(std::u32string_view chars);
    void append(size_t count, char16_t unit);
    std::u16string_view view() const { return {units_.data(), size_}; }

private:
    // Room for n more units at the end.
    char16_t *room(size_t n);
    std::u16string units_;
    size_t size_ = 0;
};
