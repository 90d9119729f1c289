#pragma once
// Interned texts for values that many records share (CD IDs, play times): each distinct text is
// stored once for the life of the program.

#include "util/ShortStr.h"

#include <string>
#include <string_view>

class PooledText {
public:
    PooledText();
    explicit PooledText(const ShortStr &text);
    explicit PooledText(std::string_view utf8);
    ShortStr str() const { return ShortStr::fromUtf8(*text_); }
    const std::string &utf8() const { return *text_; }
    bool empty() const { return text_->empty(); }

private:
    const std::string *text_;
};
