#include "catalog/CatalogLineFields.h"

#include "util/ByteWords.h"

namespace {
// The value that the reader takes from a field.
std::u32string AsRead(std::u32string_view field, size_t cut)
{
    const std::u32string_view t = TrimmedField(field);
    return t.empty() ? std::u32string(U" ") : std::u32string(t.substr(0, cut));
}
} // namespace

namespace {
bool FitsLaterFieldBytes(const char *p, const char *end)
{
    for (; p != end; ++p)
        if (*p == ';' || *p == '\r' || *p == '\n' || *p == '\x1a')
            return false;
    return true;
}
} // namespace

bool FitsLaterField(std::string_view utf8)
{
    // A save asks this of every field of every record: words of eight bytes without a ";" or a
    // control character are passed whole.
    const char *p = utf8.data(), *end = p + utf8.size();
    for (; end - p >= 8; p += 8) {
        const uint64_t word = ByteWords::At(p);
        if ((ByteWords::ControlBytes(word) | ByteWords::BytesEqual(word, ';')) && !FitsLaterFieldBytes(p, p + 8))
            return false;
    }
    return FitsLaterFieldBytes(p, end);
}

std::optional<std::u32string> FieldText(std::u32string_view value, bool first, size_t cut)
{
    if (value.find_first_of(U"\r\n\x1a") != std::u32string_view::npos)
        return std::nullopt;
    const std::u32string target = AsRead(value, cut);
    const std::u32string plain(value), blank = U" " + plain;
    const std::u32string candidates[] = {first ? plain : blank, first ? blank : plain, plain + U"\""};
    for (const std::u32string &text : candidates) {
        // A leading ";" would be skipped as part of the separator.
        if (!text.empty() && text.front() == U';')
            continue;
        if (FieldEnd(std::u32string_view(text + U";"), 0) == text.size() && AsRead(text, cut) == target)
            return text;
    }
    return std::nullopt;
}
