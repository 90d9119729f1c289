#pragma once
// Case-insensitive, locale-aware text order (ICU, the engine behind QCollator), with binary sort
// keys for bulk sorting: comparing two keys bytewise gives the same answer as compare().

#include "util/ShortStr.h"

#include <memory>
#include <string>
#include <string_view>

struct UCollator;

class Collation {
public:
    Collation();
    ~Collation();
    Collation(const Collation &) = delete;
    Collation &operator=(const Collation &) = delete;

    int compare(const ShortStr &a, const ShortStr &b) const;
    // The same for code points held elsewhere; may be used by several threads at once.
    int compare(std::u32string_view a, std::u32string_view b) const;
    // The same in UTF-16, the collator's own form: a caller that compares each text more than
    // once converts it once, with ToUtf16.
    int compare(std::u16string_view a, std::u16string_view b) const;
    // The UTF-16 of text at the start of buffer, which only ever grows, so that a sort of a
    // million texts neither zeroes nor reallocates for each; returns the units written.
    static size_t ToUtf16(std::u32string_view text, std::u16string &buffer);
    // Appends the NUL-terminated sort key of text to out.
    void appendSortKey(const ShortStr &text, std::string &out) const;
    // The same for code points held elsewhere, so bulk key building needs no short string.
    void appendSortKey(std::u32string_view text, std::string &out) const;

private:
    UCollator *collator_;
};
