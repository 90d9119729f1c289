#pragma once
// A short string: at most 255 characters (Unicode code points), cut on every construction and
// concatenation, so the limit holds by construction. Positions count characters and start at 1.

#include <QString>
#include <string>
#include <string_view>

class ShortStr {
public:
    static constexpr int MaxLen = 255;

    ShortStr() = default;
    ShortStr(const char *utf8);  // NOLINT: literals read naturally as short strings
    ShortStr(std::u32string_view chars);
    ShortStr(char32_t c);

    static ShortStr fromUtf8(std::string_view utf8);
    static ShortStr fromQString(const QString &s);
    std::string toUtf8() const;
    QString toQString() const;

    int length() const { return static_cast<int>(chars_.size()); }
    bool empty() const { return chars_.empty(); }
    const std::u32string &chars() const { return chars_; }

    // Character at 1-based position; 0 outside the text.
    char32_t at(int pos) const;
    // Up to count characters from 1-based position pos (clamped like the classic Copy).
    ShortStr copy(int pos, int count) const;
    ShortStr left(int count) const { return copy(1, count); }
    // 1-based position of the first occurrence of sub, 0 when absent or sub is empty.
    int pos(const ShortStr &sub) const;
    void remove(int pos, int count);
    void insert(const ShortStr &s, int pos);

    ShortStr &operator+=(const ShortStr &other);
    friend ShortStr operator+(ShortStr a, const ShortStr &b) { return a += b; }
    friend bool operator==(const ShortStr &a, const ShortStr &b) { return a.chars_ == b.chars_; }
    friend bool operator!=(const ShortStr &a, const ShortStr &b) { return a.chars_ != b.chars_; }

private:
    void cut();
    std::u32string chars_;
};

std::ostream &operator<<(std::ostream &os, const ShortStr &s);
