#include "catalog/CatalogLineFields.h"

namespace {
std::u32string_view Trimmed(std::u32string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && s[b] <= 32)
        ++b;
    while (e > b && s[e - 1] <= 32)
        --e;
    return s.substr(b, e - b);
}

// The value that the reader takes from a field.
std::u32string AsRead(std::u32string_view field, size_t cut)
{
    const std::u32string_view t = Trimmed(field);
    return t.empty() ? std::u32string(U" ") : std::u32string(t.substr(0, cut));
}
} // namespace

size_t FieldEnd(std::u32string_view s, size_t start)
{
    size_t i = start;
    if (i < s.size() && s[i] == U'"') {
        ++i;
        while (i < s.size() && s[i] != U'"')
            ++i;
    }
    while (i < s.size() && s[i] != U';')
        ++i;
    return i;
}

LineFieldsOf::LineFieldsOf(std::u32string_view s)
{
    for (size_t i = 0; i < s.size(); ++i)
        count += s[i] != U';' && (i == 0 || s[i - 1] == U';');
    size_t i = 0;
    for (auto &f : field) {
        while (i < s.size() && s[i] == U';')
            ++i;
        const size_t start = i;
        i = FieldEnd(s, start);
        f = Trimmed(s.substr(start, i - start));
    }
}

bool FitsLaterField(std::string_view utf8)
{
    return utf8.find_first_of(";\r\n\x1a") == std::string_view::npos;
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
        if (FieldEnd(text + U";", 0) == text.size() && AsRead(text, cut) == target)
            return text;
    }
    return std::nullopt;
}
