#pragma once
// Interned texts for values that many records share (CD IDs, play times): each distinct text is
// stored once for the life of the program, and a record keeps only its four-byte number.

#include "util/ShortStr.h"

#include <cstdint>
#include <string>
#include <string_view>

class PooledText {
public:
    PooledText() = default;
    explicit PooledText(const ShortStr &text);
    explicit PooledText(std::string_view utf8);
    ShortStr str() const { return ShortStr::fromUtf8(utf8()); }
    const std::string &utf8() const;
    bool empty() const { return id_ == 0; }

private:
    uint32_t id_ = 0;  // 0: the empty text
};
