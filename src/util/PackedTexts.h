#pragma once
// A fixed number of short strings kept in one heap block sized to their UTF-8 bytes. All texts
// empty costs no storage (null block), so a record with many texts stays a few words large.

#include "util/ShortStr.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

template <int N>
class PackedTexts {
public:
    // Text i (0-based); empty when the block is null.
    std::string_view view(int i) const
    {
        if (!block_)
            return {};
        const auto *len = reinterpret_cast<const uint16_t *>(block_.get());
        size_t offset = N * sizeof(uint16_t);
        for (int k = 0; k < i; ++k)
            offset += len[k];
        return {block_.get() + offset, len[i]};
    }
    ShortStr get(int i) const { return ShortStr::fromUtf8(view(i)); }

    // Replaces all texts at once, releasing the old block first.
    void set(const std::string_view (&texts)[N])
    {
        block_.reset();
        size_t bytes = 0;
        for (const auto &t : texts)
            bytes += t.size();
        if (bytes == 0)
            return;
        block_.reset(new char[N * sizeof(uint16_t) + bytes]);
        auto *len = reinterpret_cast<uint16_t *>(block_.get());
        char *p = block_.get() + N * sizeof(uint16_t);
        for (int k = 0; k < N; ++k) {
            len[k] = static_cast<uint16_t>(texts[k].size());
            std::memcpy(p, texts[k].data(), texts[k].size());
            p += texts[k].size();
        }
    }
    void set(int i, std::string_view text)
    {
        std::string copies[N];
        std::string_view views[N];
        for (int k = 0; k < N; ++k) {
            copies[k] = k == i ? std::string(text) : std::string(view(k));
            views[k] = copies[k];
        }
        set(views);
    }
    bool isNull() const { return !block_; }

private:
    std::unique_ptr<char[]> block_;
};
