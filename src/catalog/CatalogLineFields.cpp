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

// Hands utf8 to take eight bytes at a time (as a word), then the rest byte by byte (as a word of
// that byte); false at once when it holds a ";" or a line end. A save asks this of every field
// of every record: words without a ";" or a control character pass whole.
template <typename Take>
bool ScanLaterField(std::string_view utf8, Take take)
{
    const char *p = utf8.data(), *end = p + utf8.size();
    for (; end - p >= 8; p += 8) {
        const uint64_t word = ByteWords::At(p);
        if ((ByteWords::ControlBytes(word) | ByteWords::BytesEqual(word, ';')) && !FitsLaterFieldBytes(p, p + 8))
            return false;
        take(word, 8);
    }
    for (; p != end; ++p) {
        if (!FitsLaterFieldBytes(p, p + 1))
            return false;
        take(static_cast<unsigned char>(*p), 1);
    }
    return true;
}
} // namespace

bool FitsLaterField(std::string_view utf8)
{
    return ScanLaterField(utf8, [](uint64_t, size_t) {});
}

bool IsPlainValue(std::string_view utf8)
{
    return utf8.empty() || (utf8.front() != '"' && FitsLaterField(utf8));
}

bool CopyPlainValue(std::string_view utf8, char *&out, size_t &chars)
{
    if (!utf8.empty() && utf8.front() == '"')
        return false;
    char *o = out;
    size_t continuing = 0;
    const bool plain = ScanLaterField(utf8, [&o, &continuing](uint64_t word, size_t bytes) {
        if (bytes == 8)
            qToLittleEndian(word, o);
        else
            *o = static_cast<char>(word);
        o += bytes;
        continuing += ByteWords::CountFlags(ByteWords::ContinuationBytes(word));
    });
    out = o;
    chars = utf8.size() - continuing;
    return plain;
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
