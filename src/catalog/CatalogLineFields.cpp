#include "catalog/CatalogLineFields.h"

namespace {
// The value that the reader takes from a field.
std::u32string AsRead(std::u32string_view field, size_t cut)
{
    const std::u32string_view t = TrimmedField(field);
    return t.empty() ? std::u32string(U" ") : std::u32string(t.substr(0, cut));
}
} // namespace

bool FitsLaterField(std::string_view utf8)
{
    // A plain loop: find_first_of calls memchr once per character, and a save asks this of
    // every field.
    for (const char c : utf8)
        if (c == ';' || c == '\r' || c == '\n' || c == '\x1a')
            return false;
    return true;
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
