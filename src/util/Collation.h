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
    // The same in UTF-16, the collator's own form (see Utf16Text): bulk sorts build their key
    // texts in it; may be used by several threads at once.
    int compare(std::u16string_view a, std::u16string_view b) const;
    // Appends the NUL-terminated sort key of text to out.
    void appendSortKey(const ShortStr &text, std::string &out) const;
    void appendSortKey(std::u16string_view text, std::string &out) const;

private:
    UCollator *collator_;
};
