#include "util/ShortStr.h"

#include "util/Utf8.h"

#include <ostream>

ShortStr::ShortStr(const char *utf8) : chars_(Utf8ToChars(utf8 ? std::string_view(utf8) : std::string_view(), MaxLen)) {}

ShortStr::ShortStr(std::u32string_view chars) : chars_(chars.substr(0, MaxLen)) {}

ShortStr::ShortStr(char32_t c) : chars_(1, c) {}

ShortStr ShortStr::fromUtf8(std::string_view utf8)
{
    ShortStr s;
    s.chars_ = Utf8ToChars(utf8, MaxLen);
    return s;
}

ShortStr ShortStr::fromQString(const QString &q)
{
    ShortStr s;
    for (auto it = q.cbegin(); it != q.cend() && s.length() < MaxLen; ++it) {
        char32_t c = it->unicode();
        if (it->isHighSurrogate() && it + 1 != q.cend() && (it + 1)->isLowSurrogate()) {
            c = QChar::surrogateToUcs4(*it, *(it + 1));
            ++it;
        }
        s.chars_.push_back(c);
    }
    return s;
}

std::string ShortStr::toUtf8() const
{
    std::string out;
    out.reserve(chars_.size());
    AppendUtf8(out, chars_);
    return out;
}

QString ShortStr::toQString() const
{
    return QString::fromUcs4(chars_.data(), static_cast<qsizetype>(chars_.size()));
}

char32_t ShortStr::at(int pos) const
{
    return pos >= 1 && pos <= length() ? chars_[pos - 1] : 0;
}

ShortStr ShortStr::copy(int pos, int count) const
{
    if (pos < 1)
        pos = 1;
    if (pos > length() || count <= 0)
        return {};
    return ShortStr(std::u32string_view(chars_).substr(pos - 1, count));
}

int ShortStr::pos(const ShortStr &sub) const
{
    if (sub.empty())
        return 0;
    auto p = chars_.find(sub.chars_);
    return p == std::u32string::npos ? 0 : static_cast<int>(p) + 1;
}

void ShortStr::remove(int pos, int count)
{
    if (pos < 1 || pos > length() || count <= 0)
        return;
    chars_.erase(pos - 1, count);
}

void ShortStr::insert(const ShortStr &s, int pos)
{
    if (pos < 1)
        pos = 1;
    if (pos > length() + 1)
        pos = length() + 1;
    chars_.insert(pos - 1, s.chars_);
    cut();
}

ShortStr &ShortStr::operator+=(const ShortStr &other)
{
    chars_.append(other.chars_, 0, MaxLen - chars_.size());
    return *this;
}

void ShortStr::cut()
{
    if (chars_.size() > MaxLen)
        chars_.resize(MaxLen);
}

std::ostream &operator<<(std::ostream &os, const ShortStr &s)
{
    return os << s.toUtf8();
}
