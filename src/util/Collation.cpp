#include "util/Collation.h"

#include <unicode/ucol.h>

#include <QLocale>

#include <algorithm>
#include <stdexcept>
#include <vector>

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
    thread_local std::u16string ua, ub;
    const size_t na = ToUtf16(a, ua), nb = ToUtf16(b, ub);
    return compare(std::u16string_view(ua.data(), na), std::u16string_view(ub.data(), nb));
}

int Collation::compare(std::u16string_view a, std::u16string_view b) const
{
    return ucol_strcoll(collator_, reinterpret_cast<const UChar *>(a.data()), static_cast<int32_t>(a.size()),
                        reinterpret_cast<const UChar *>(b.data()), static_cast<int32_t>(b.size()));
}

size_t Collation::ToUtf16(std::u32string_view text, std::u16string &buffer)
{
    if (buffer.size() < 2 * text.size())
        buffer.resize(2 * text.size());
    char16_t *const begin = buffer.data();
    char16_t *o = begin;
    for (char32_t c : text) {
        if (c < 0x10000) {
            *o++ = static_cast<char16_t>(c);
        } else {
            c -= 0x10000;
            *o++ = static_cast<char16_t>(0xD800 + (c >> 10));
            *o++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        }
    }
    return static_cast<size_t>(o - begin);
}

void Collation::appendSortKey(const ShortStr &text, std::string &out) const
{
    appendSortKey(std::u32string_view(text.chars()), out);
}

void Collation::appendSortKey(std::u32string_view text, std::string &out) const
{
    // One buffer per thread: a large sort builds a key per record, on several threads.
    thread_local std::u16string units;
    const auto count = static_cast<int32_t>(ToUtf16(text, units));
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
