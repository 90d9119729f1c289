#include "util/TextLineReader.h"

#include "util/Utf8.h"

#include <QFileInfo>
#include <cstring>

namespace {
constexpr size_t ChunkSize = 1 << 20;
constexpr char CtrlZ = '\x1a';
} // namespace

bool TextLineReader::open(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly))
        return false;
    cp1252_ = !scanIsUtf8();
    if (!file_.seek(0))
        return false;
    buffer_.resize(ChunkSize);
    pos_ = end_ = 0;
    eof_ = false;
    return true;
}

bool TextLineReader::scanIsUtf8()
{
    std::vector<char> chunk(ChunkSize + 4);
    size_t carry = 0;
    for (;;) {
        const qint64 n = file_.read(chunk.data() + carry, ChunkSize);
        if (n <= 0)
            return carry == 0;
        size_t len = carry + static_cast<size_t>(n);
        if (const void *z = std::memchr(chunk.data(), CtrlZ, len))
            return IsValidUtf8(std::string_view(chunk.data(), static_cast<const char *>(z) - chunk.data()));
        // Keep an incomplete sequence at the end of the chunk for the next round.
        size_t cut = len;
        for (size_t back = 1; back <= 3 && back <= len; ++back) {
            unsigned char b = static_cast<unsigned char>(chunk[len - back]);
            if ((b & 0xC0) == 0x80)
                continue;
            if (b >= 0xC0)
                cut = len - back;
            break;
        }
        if (!IsValidUtf8(std::string_view(chunk.data(), cut)))
            return false;
        carry = len - cut;
        std::memmove(chunk.data(), chunk.data() + cut, carry);
    }
}

bool TextLineReader::fill()
{
    if (eof_)
        return false;
    const qint64 n = file_.read(buffer_.data(), static_cast<qint64>(buffer_.size()));
    pos_ = 0;
    end_ = n > 0 ? static_cast<size_t>(n) : 0;
    if (end_ == 0)
        eof_ = true;
    return end_ > 0;
}

bool TextLineReader::readLine(std::string &line)
{
    line.clear();
    bool any = false;
    for (;;) {
        if (pos_ == end_ && !fill())
            break;
        any = true;
        const char *p = buffer_.data() + pos_;
        const char *e = buffer_.data() + end_;
        const char *q = p;
        while (q < e && *q != '\r' && *q != '\n' && *q != CtrlZ)
            ++q;
        if (line.size() < maxLineBytes_)
            line.append(p, std::min<size_t>(q - p, maxLineBytes_ - line.size()));
        pos_ = q - buffer_.data();
        if (q == e)
            continue;
        if (*q == CtrlZ) {
            eof_ = true;
            end_ = pos_;
            if (line.empty())
                return false;
            break;
        }
        ++pos_;
        if (*q == '\r') {
            if (pos_ == end_)
                fill();
            if (pos_ < end_ && buffer_[pos_] == '\n')
                ++pos_;
        }
        break;
    }
    if (!any && line.empty())
        return false;
    if (cp1252_)
        line = Cp1252ToUtf8(line);
    return true;
}
