#pragma once
// A fixed number of short strings kept in one block sized to their UTF-8 bytes, after a header
// of their lengths: one byte each below 255, else 255 and two bytes. All texts empty costs no
// storage (no block), so a record with many texts stays a few words large.

#include "util/ShortStr.h"
#include "util/TextBlocks.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

template <int N>
class PackedTexts {
public:
    PackedTexts() = default;
    PackedTexts(const PackedTexts &) = delete;
    PackedTexts &operator=(const PackedTexts &) = delete;
    PackedTexts(PackedTexts &&other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    PackedTexts &operator=(PackedTexts &&other) noexcept
    {
        if (this != &other) {
            release();
            block_ = std::exchange(other.block_, nullptr);
        }
        return *this;
    }
    ~PackedTexts() { release(); }

    // Text i (0-based); empty when there is no block.
    std::string_view view(int i) const
    {
        if (!block_)
            return {};
        const char *p = block_;
        size_t lengths[N];
        for (int k = 0; k < N; ++k)
            lengths[k] = ReadLength(p);
        for (int k = 0; k < i; ++k)
            p += lengths[k];
        return {p, lengths[i]};
    }
    ShortStr get(int i) const { return ShortStr::fromUtf8(view(i)); }

    // Replaces all texts at once, releasing the old block first.
    void set(const std::string_view (&texts)[N])
    {
        release();
        size_t bytes = 0;
        for (const auto &t : texts)
            bytes += t.size();
        if (bytes == 0)
            return;
        for (const auto &t : texts)
            bytes += LengthBytes(t.size());
        block_ = TextBlocks::Allocate(bytes);
        char *p = block_;
        for (const auto &t : texts)
            WriteLength(p, t.size());
        for (const auto &t : texts) {
            std::memcpy(p, t.data(), t.size());
            p += t.size();
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
    static constexpr unsigned char LongMark = 255;
    static size_t LengthBytes(size_t length) { return length < LongMark ? 1 : 3; }
    static void WriteLength(char *&p, size_t length)
    {
        if (length < LongMark) {
            *p++ = static_cast<char>(length);
            return;
        }
        // Texts are short strings, far below 64 KiB of UTF-8.
        const auto wide = static_cast<uint16_t>(length);
        *p++ = static_cast<char>(LongMark);
        std::memcpy(p, &wide, sizeof wide);
        p += sizeof wide;
    }
    static size_t ReadLength(const char *&p)
    {
        const auto first = static_cast<unsigned char>(*p++);
        if (first != LongMark)
            return first;
        uint16_t wide;
        std::memcpy(&wide, p, sizeof wide);
        p += sizeof wide;
        return wide;
    }
    size_t blockBytes() const
    {
        const char *p = block_;
        size_t bytes = 0;
        for (int k = 0; k < N; ++k)
            bytes += ReadLength(p);
        return bytes + static_cast<size_t>(p - block_);
    }
    void release()
    {
        if (!block_)
            return;
        const size_t bytes = blockBytes();  // before the block is let go
        TextBlocks::Free(std::exchange(block_, nullptr), bytes);
    }

    char *block_ = nullptr;
};
