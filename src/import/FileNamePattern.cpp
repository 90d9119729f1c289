#include "import/FileNamePattern.h"

#include "util/ShortStrings.h"

namespace {
// The pattern character that ends the text of a placeholder followed by this element: placeholders
// and inert elements begin with "%".
char32_t FirstCharOf(const PatternElement &e)
{
    return e.kind == PatternElement::Separator ? e.separator : U'%';
}
} // namespace

CompiledPattern CompilePattern(const ShortStr &format)
{
    CompiledPattern pattern{UpperCaseShort(format), {}};
    ReplaceAllText(pattern.text, "ARTIST", "%1");
    ReplaceAllText(pattern.text, "ALBUM", "%2");
    ReplaceAllText(pattern.text, "TRACK", "%3");

    const std::u32string &s = pattern.text.chars();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != U'%') {
            pattern.elements.push_back({PatternElement::Separator, ArtistField, s[i]});
            continue;
        }
        const char32_t next = i + 1 < s.size() ? s[i + 1] : 0;
        if (next >= U'1' && next <= U'3')
            pattern.elements.push_back({PatternElement::Placeholder, NameField(next - U'1'), 0});
        else
            pattern.elements.push_back({PatternElement::Inert, ArtistField, 0});
        ++i;  // a "%" always takes the character after it into its element
    }
    return pattern;
}

void MatchPattern(const ShortStr &source, const CompiledPattern &pattern, FieldBuffers &buffers)
{
    const std::u32string &original = source.chars();
    // Separators are upper-case already; the source is compared upper-cased the same way.
    const ShortStr upperSource = UpperCaseShort(source);
    const std::u32string &upper = upperSource.chars();
    const auto skipTo = [&upper](size_t from, char32_t c) {
        while (from < upper.size() && upper[from] != c)
            ++from;
        return from;
    };

    const std::vector<PatternElement> &elements = pattern.elements;
    size_t j = 0;
    for (size_t i = 0; i < elements.size() && j < original.size(); ++i) {
        const PatternElement &e = elements[i];
        if (e.kind == PatternElement::Separator) {
            j = skipTo(j, e.separator);
            if (j < upper.size())
                ++j;
        } else if (e.kind == PatternElement::Placeholder) {
            ShortStr &buffer = buffers[e.field];
            if (!buffer.empty())
                buffer += " ";
            const size_t end = i + 1 < elements.size() ? skipTo(j, FirstCharOf(elements[i + 1])) : original.size();
            buffer += TrimBlanks(ShortStr(std::u32string_view(original).substr(j, end - j)));
            j = end;
        }
    }
}
