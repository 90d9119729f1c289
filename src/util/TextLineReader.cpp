#include "util/TextLineReader.h"

#include "util/Utf8.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace {
constexpr size_t ChunkSize = 1 << 20;
constexpr char CtrlZ = '\x1a';
} // namespace

TextFileState CheckTextFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return TextFileState::Missing;
    // Checked before opening: opening a pipe waits for a writer.
    if (!info.isFile())
        return TextFileState::NotRegularFile;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? TextFileState::Readable : TextFileState::Unreadable;
}

bool TextLineReader::open(const QString &path, std::unique_ptr<QIODevice> device)
{
    state_ = CheckTextFile(path);
    // A file that exists but cannot be read reads as one that fails at once.
    failed_ = state_ == TextFileState::Unreadable;
    if (state_ != TextFileState::Readable)
        return false;
    device_ = device ? std::move(device) : std::make_unique<QFile>(path);
    cp1252_ = false;
    if (!device_->open(QIODevice::ReadOnly)) {
        state_ = TextFileState::Unreadable;
        failed_ = true;
        return false;
    }
    cp1252_ = !scanIsUtf8();
    // A read error in the scan is met again (and reported) by the reading itself.
    failed_ = false;
    buffer_.resize(ChunkSize);
    pos_ = end_ = 0;
    eof_ = false;
    if (!device_->seek(0))
        failed_ = true;
    return true;
}

qint64 TextLineReader::readChunk(char *data, qint64 size)
{
    const qint64 n = device_->read(data, size);
    if (n < 0)
        failed_ = true;
    return n;
}

bool TextLineReader::scanIsUtf8()
{
    std::vector<char> chunk(ChunkSize + 4);
    size_t carry = 0;
    for (;;) {
        const qint64 n = readChunk(chunk.data() + carry, ChunkSize);
        // What was kept back from the last chunk may be a whole sequence that ends the file.
        if (n <= 0)
            return IsValidUtf8(std::string_view(chunk.data(), carry));
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
    if (eof_ || failed_ || !device_)
        return false;
    const qint64 n = readChunk(buffer_.data(), static_cast<qint64>(buffer_.size()));
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
    bool ended = false;
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
        ended = true;
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
    // A line cut off by a read error is not a line of the file.
    if ((failed_ && !ended) || (!any && line.empty())) {
        line.clear();
        return false;
    }
    if (cp1252_)
        line = Cp1252ToUtf8(line);
    return true;
}
