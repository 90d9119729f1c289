#include "util/TextLineReader.h"

#include "util/ByteWords.h"
#include "util/Utf8.h"

#include <QFile>
#include <QFileInfo>
#include <QtAlgorithms>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
constexpr qint64 MinChunkSize = 4096;
constexpr qint64 MaxChunkSize = 1 << 20;
// The scan keeps back the start of a sequence cut by the chunk end: at most 3 bytes.
constexpr size_t MaxCarry = 3;
constexpr char CtrlZ = '\x1a';

bool EndsLine(char c)
{
    return c == '\r' || c == '\n' || c == CtrlZ;
}

// The bytes below 0x20 among the 8 at p: the line ends are such bytes, and text seldom holds the
// other control characters. Only the first one flagged is taken.
uint64_t ControlBytes(const char *p)
{
    return ByteWords::ControlBytes(ByteWords::At(p));
}

// The first CR, LF or Ctrl+Z in [p, end), or end.
const char *FindLineEnd(const char *p, const char *end)
{
    while (end - p >= 8) {
        if (end - p >= 16 && (ControlBytes(p) | ControlBytes(p + 8)) == 0) {
            p += 16;
            continue;
        }
        const uint64_t control = ControlBytes(p);
        if (control == 0) {
            p += 8;
            continue;
        }
        p += qCountTrailingZeroBits(control) / 8;
        if (EndsLine(*p))
            return p;
        ++p;
    }
    for (; p < end; ++p)
        if (EndsLine(*p))
            return p;
    return end;
}
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
    crAtChunkEnd_ = false;
    if (!device_->open(QIODevice::ReadOnly)) {
        state_ = TextFileState::Unreadable;
        failed_ = true;
        return false;
    }
    // No bigger than the file needs, and not zeroed: reading a small file then costs little more
    // than its bytes. A file that has grown since is still read whole, in more chunks.
    size_ = device_->size();
    chunkSize_ = static_cast<size_t>(std::clamp<qint64>(size_, MinChunkSize, MaxChunkSize));
    buffer_.reset(new char[chunkSize_ + MaxCarry]);
    cp1252_ = !scanIsUtf8();
    // A read error in the scan is met again (and reported) by the reading itself.
    failed_ = false;
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
    char *const chunk = buffer_.get();
    size_t carry = 0;
    for (;;) {
        const qint64 n = readChunk(chunk + carry, static_cast<qint64>(chunkSize_));
        // What was kept back from the last chunk may be a whole sequence that ends the file.
        if (n <= 0)
            return IsValidUtf8(std::string_view(chunk, carry));
        size_t len = carry + static_cast<size_t>(n);
        if (const void *z = std::memchr(chunk, CtrlZ, len))
            return IsValidUtf8(std::string_view(chunk, static_cast<const char *>(z) - chunk));
        // Keep an incomplete sequence at the end of the chunk for the next round.
        size_t cut = len;
        for (size_t back = 1; back <= MaxCarry && back <= len; ++back) {
            unsigned char b = static_cast<unsigned char>(chunk[len - back]);
            if ((b & 0xC0) == 0x80)
                continue;
            if (b >= 0xC0)
                cut = len - back;
            break;
        }
        if (!IsValidUtf8(std::string_view(chunk, cut)))
            return false;
        carry = len - cut;
        std::memmove(chunk, chunk + cut, carry);
    }
}

bool TextLineReader::fill()
{
    if (eof_ || failed_ || !device_)
        return false;
    const qint64 n = readChunk(buffer_.get(), static_cast<qint64>(chunkSize_));
    pos_ = 0;
    end_ = n > 0 ? static_cast<size_t>(n) : 0;
    if (end_ == 0)
        eof_ = true;
    return end_ > 0;
}

void TextLineReader::keepPart(const char *part, size_t size)
{
    if (kept_.size() < maxLineBytes_)
        kept_.append(part, std::min(size, maxLineBytes_ - kept_.size()));
}

bool TextLineReader::readLine(std::string_view &line)
{
    line = {};
    kept_.clear();
    // Whether the line began in an earlier chunk: then its bytes are gathered in kept_.
    bool spansChunks = false;
    bool any = false;
    bool ended = false;
    for (;;) {
        if (pos_ == end_ && !fill())
            break;
        if (crAtChunkEnd_) {
            crAtChunkEnd_ = false;
            if (buffer_[pos_] == '\n' && ++pos_ == end_)
                continue;
        }
        any = true;
        const char *p = buffer_.get() + pos_;
        const char *e = buffer_.get() + end_;
        const char *q = FindLineEnd(p, e);
        pos_ = q - buffer_.get();
        if (q == e) {
            keepPart(p, q - p);
            spansChunks = true;
            continue;
        }
        ended = true;
        if (spansChunks) {
            keepPart(p, q - p);
            line = kept_;
        } else {
            line = std::string_view(p, std::min<size_t>(q - p, maxLineBytes_));
        }
        if (*q == CtrlZ) {
            eof_ = true;
            end_ = pos_;
            if (line.empty())
                return false;
            break;
        }
        ++pos_;
        // The LF of a CR LF split by the chunk end is skipped by the next call: reading the
        // next chunk now would overwrite the line.
        if (*q == '\r' && pos_ == end_)
            crAtChunkEnd_ = true;
        else if (*q == '\r' && buffer_[pos_] == '\n')
            ++pos_;
        break;
    }
    if (!ended)
        line = kept_;
    // A line cut off by a read error is not a line of the file.
    if ((failed_ && !ended) || !any) {
        line = {};
        return false;
    }
    if (cp1252_) {
        kept_ = Cp1252ToUtf8(line);
        line = kept_;
    }
    return true;
}

bool TextLineReader::readLine(std::string &line)
{
    std::string_view view;
    const bool read = readLine(view);
    line.assign(view.data(), view.size());
    return read;
}
