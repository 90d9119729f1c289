#include "util/TextLineReader.h"

#include "util/ByteWords.h"
#include "util/RunInParts.h"
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

// Whether the bytes of a stretch of a file up to its first Ctrl+Z, if any, are UTF-8.
struct Utf8Stretch {
    bool valid = true;
    bool ctrlZ = false;  // the stretch holds a Ctrl+Z (told only when the bytes before it are valid)
};

// Scans the stretch that read(data, size) gives chunk by chunk into a buffer of chunkSize +
// MaxCarry bytes; a read that gives no byte ends it.
template <class Read>
Utf8Stretch ScanUtf8(Read read, char *chunk, size_t chunkSize)
{
    size_t carry = 0;
    for (;;) {
        const qint64 n = read(chunk + carry, static_cast<qint64>(chunkSize));
        // What was kept back from the last chunk may be a whole sequence that ends the stretch.
        if (n <= 0)
            return {IsValidUtf8(std::string_view(chunk, carry)), false};
        const size_t len = carry + static_cast<size_t>(n);
        if (const void *z = std::memchr(chunk, CtrlZ, len))
            return {IsValidUtf8(std::string_view(chunk, static_cast<const char *>(z) - chunk)), true};
        // Keep an incomplete sequence at the end of the chunk for the next round.
        size_t cut = len;
        for (size_t back = 1; back <= MaxCarry && back <= len; ++back) {
            const auto b = static_cast<unsigned char>(chunk[len - back]);
            if ((b & 0xC0) == 0x80)
                continue;
            if (b >= 0xC0)
                cut = len - back;
            break;
        }
        if (!IsValidUtf8(std::string_view(chunk, cut)))
            return {false, false};
        carry = len - cut;
        std::memmove(chunk, chunk + cut, carry);
    }
}

// Opens file at the first byte from `middle` on that is no continuation byte of a UTF-8 sequence,
// at most three bytes on (more of them in a row are no UTF-8 at all), and tells where that is;
// -1 when it cannot. The file is UTF-8 exactly when the bytes before that point and those from
// it on both are.
qint64 OpenAtSequenceStart(QFile &file, qint64 middle)
{
    char start[MaxCarry];
    if (!file.open(QIODevice::ReadOnly) || !file.seek(middle))
        return -1;
    const qint64 got = file.read(start, MaxCarry);
    for (qint64 k = 0; k < got && (static_cast<unsigned char>(start[k]) & 0xC0) == 0x80; ++k)
        ++middle;
    return got >= 0 && file.seek(middle) ? middle : -1;
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
    const bool ownFile = !device;
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
    cp1252_ = !scanIsUtf8(path, ownFile);
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

bool TextLineReader::scanIsUtf8(const QString &path, bool ownFile)
{
    const auto readDevice = [this](char *data, qint64 size) { return readChunk(data, size); };
    // A large file of the program's own is scanned in two stretches at once, the second one
    // through a file of its own.
    QFile second(path);
    const qint64 middle = ownFile && size_ >= 2 * MaxChunkSize ? OpenAtSequenceStart(second, size_ / 2) : -1;
    if (middle < 0)
        return ScanUtf8(readDevice, buffer_.get(), chunkSize_).valid;
    Utf8Stretch first, rest;
    RunInParts(2, [&](size_t part) {
        if (part == 0) {
            qint64 left = middle;
            first = ScanUtf8(
                [&](char *data, qint64 size) {
                    const qint64 n = readDevice(data, std::min(size, left));
                    left -= std::max<qint64>(n, 0);
                    return n;
                },
                buffer_.get(), chunkSize_);
        } else {
            std::unique_ptr<char[]> chunk(new char[chunkSize_ + MaxCarry]);
            rest = ScanUtf8([&](char *data, qint64 size) { return second.read(data, size); }, chunk.get(),
                            chunkSize_);
        }
    });
    // What follows a Ctrl+Z is no part of the text.
    return first.valid && (first.ctrlZ || rest.valid);
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
