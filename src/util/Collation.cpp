#include "util/Collation.h"

#include "util/Utf8.h"

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
    thread_local Utf16Text ua, ub;
    ua.clear();
    ub.clear();
    ua.append(a.chars());
    ub.append(b.chars());
    return compare(ua.view(), ub.view());
}

int Collation::compare(std::u16string_view a, std::u16string_view b) const
{
    return ucol_strcoll(collator_, reinterpret_cast<const UChar *>(a.data()), static_cast<int32_t>(a.size()),
                        reinterpret_cast<const UChar *>(b.data()), static_cast<int32_t>(b.size()));
}

void Collation::appendSortKey(const ShortStr &text, std::string &out) const
{
    Utf16Text units;
    units.append(text.chars());
    appendSortKey(units.view(), out);
}

void Collation::appendSortKey(std::u16string_view units, std::string &out) const
{
    const auto count = static_cast<int32_t>(units.size());
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
