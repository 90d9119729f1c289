#include "util/Collation.h"

#include <unicode/ucol.h>

#include <QLocale>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {
// The UTF-16 of s at the start of buffer, which only ever grows: a sort converts a million keys
// or more, and neither zeroes nor reallocates for any of them. Returns the units written.
int32_t ToUtf16(std::u16string &buffer, std::u32string_view s)
{
    if (buffer.size() < 2 * s.size())
        buffer.resize(2 * s.size());
    char16_t *const begin = buffer.data();
    char16_t *o = begin;
    for (char32_t c : s) {
        if (c < 0x10000) {
            *o++ = static_cast<char16_t>(c);
        } else {
            c -= 0x10000;
            *o++ = static_cast<char16_t>(0xD800 + (c >> 10));
            *o++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        }
    }
    return static_cast<int32_t>(o - begin);
}
} // namespace

Collation::Collation()
{
    // The user's locale; the C locale gets the root order rather than ICU's POSIX tailoring,
    // which puts all capitals before all small letters.
    const QString name = QLocale::system().name();
    const QByteArray locale = name == "C" || name.isEmpty() ? QByteArray() : name.toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    collator_ = ucol_open(locale.constData(), &status);
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        collator_ = ucol_open("", &status);
    }
    if (U_FAILURE(status))
        throw std::runtime_error("Can't open the text collator");
    // Secondary strength: letter case is ignored, accents still count.
    ucol_setStrength(collator_, UCOL_SECONDARY);
}

Collation::~Collation()
{
    ucol_close(collator_);
}

int Collation::compare(const ShortStr &a, const ShortStr &b) const
{
    return compare(std::u32string_view(a.chars()), std::u32string_view(b.chars()));
}

int Collation::compare(std::u32string_view a, std::u32string_view b) const
{
    // Buffers per thread: a sort of a nearly ordered list compares a million neighbours.
    thread_local std::u16string ua, ub;
    const int32_t na = ToUtf16(ua, a), nb = ToUtf16(ub, b);
    return ucol_strcoll(collator_, reinterpret_cast<const UChar *>(ua.data()), na,
                        reinterpret_cast<const UChar *>(ub.data()), nb);
}

void Collation::appendSortKey(const ShortStr &text, std::string &out) const
{
    appendSortKey(std::u32string_view(text.chars()), out);
}

void Collation::appendSortKey(std::u32string_view text, std::string &out) const
{
    // One buffer per thread: a large sort builds a key per record, on several threads.
    thread_local std::u16string units;
    const int32_t count = ToUtf16(units, text);
    const size_t start = out.size();
    int32_t room = static_cast<int32_t>(std::max<size_t>(256, count * 3 + 16));
    for (;;) {
        out.resize(start + room);
        int32_t need = ucol_getSortKey(collator_, reinterpret_cast<const UChar *>(units.data()), count,
                                       reinterpret_cast<uint8_t *>(&out[start]), room);
        if (need <= room) {
            out.resize(start + need);  // need counts the terminating NUL
            return;
        }
        room = need;
    }
}
