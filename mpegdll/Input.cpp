#include "Input.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
// Reads through a buffer of its own: the decoder asks for each frame header and body
// separately, and a frame scan would otherwise cost two system calls per frame.
class FileInput : public Input {
public:
    FileInput(int fd, int64_t size) : fd_(fd), size_(size), buffer_(BufferSize) {}
    ~FileInput() override { close(fd_); }

    int64_t Size() const override { return size_; }
    bool Seekable() const override { return true; }

    size_t ReadAt(int64_t pos, void *buf, size_t n) override
    {
        size_t done = 0;
        while (done < n) {
            const ssize_t r = pread(fd_, static_cast<char *>(buf) + done, n - done, pos + done);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                break;
            done += size_t(r);
        }
        return done;
    }

    // The size is given as a stream gives it, so that a file and a stream of the same bytes
    // measure the same (the library counts an ID3v1 tag at the end only when it knows the size).
    bool Attach(mpg123_handle *mh) override
    {
        return mpg123_replace_reader_handle(mh, &ReadFn, &SeekFn, nullptr) == MPG123_OK
            && mpg123_open_handle(mh, this) == MPG123_OK && mpg123_set_filesize(mh, off_t(size_)) == MPG123_OK;
    }

    bool Rewind() override { return SeekTo(0, SEEK_SET) == 0; }

private:
    static constexpr size_t BufferSize = 32768;

    ssize_t Read(void *buf, size_t n)
    {
        if (used_ == filled_) {
            start_ += int64_t(filled_);
            used_ = 0;
            filled_ = ReadAt(start_, buffer_.data(), buffer_.size());
            if (filled_ == 0)
                return 0;
        }
        const size_t n2 = std::min(n, filled_ - used_);
        memcpy(buf, buffer_.data() + used_, n2);
        used_ += n2;
        return ssize_t(n2);
    }

    int64_t SeekTo(int64_t offset, int whence)
    {
        const int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? start_ + int64_t(used_) : size_;
        const int64_t to = base + offset;
        if (to < 0)
            return -1;
        if (to >= start_ && to <= start_ + int64_t(filled_)) {
            used_ = size_t(to - start_);
        } else {
            start_ = to;
            used_ = filled_ = 0;
        }
        return to;
    }

    static mpg123_ssize_t ReadFn(void *self, void *buf, size_t n) { return static_cast<FileInput *>(self)->Read(buf, n); }
    static off_t SeekFn(void *self, off_t offset, int whence) { return static_cast<FileInput *>(self)->SeekTo(offset, whence); }

    int fd_;
    int64_t size_;
    std::vector<char> buffer_;
    int64_t start_ = 0; // file position of the buffer's first byte
    size_t filled_ = 0;
    size_t used_ = 0;
};

class StreamInput : public Input {
public:
    explicit StreamInput(const StreamCallbacks &cb) : cb_(cb)
    {
        uint8_t nonSeekable = 0;
        if (cb_.open)
            cb_.open(cb_.component, &nonSeekable, &context_);
        seekable_ = !nonSeekable && cb_.seek;
        int32_t size = -1;
        if (cb_.getSize)
            cb_.getSize(cb_.component, context_, &size);
        size_ = size;
    }
    ~StreamInput() override
    {
        if (cb_.close)
            cb_.close(cb_.component, context_);
    }

    int64_t Size() const override { return size_ < 0 ? -1 : size_; }
    bool Seekable() const override { return seekable_; }

    size_t ReadAt(int64_t pos, void *buf, size_t n) override
    {
        if (SeekTo(pos, MPEG_SEEK_SET) != pos)
            return 0;
        size_t done = 0;
        while (done < n) {
            const ssize_t r = ReadSome(static_cast<char *>(buf) + done, n - done);
            if (r <= 0)
                break;
            done += size_t(r);
        }
        return done;
    }

    bool Attach(mpg123_handle *mh) override
    {
        if (mpg123_replace_reader_handle(mh, &ReadFn, &SeekFn, nullptr) != MPG123_OK)
            return false;
        if (mpg123_open_handle(mh, this) != MPG123_OK)
            return false;
        if (size_ >= 0)
            mpg123_set_filesize(mh, size_);
        return true;
    }

    bool Rewind() override
    {
        if (seekable_)
            return SeekTo(0, MPEG_SEEK_SET) == 0;
        uint8_t ok = 0;
        if (cb_.restart)
            cb_.restart(cb_.component, context_, &ok);
        return ok;
    }

private:
    ssize_t ReadSome(void *buf, size_t n)
    {
        const int32_t want = n > INT32_MAX ? INT32_MAX : int32_t(n);
        int32_t got = 0;
        uint8_t ok = 0;
        cb_.read(cb_.component, context_, buf, want, &got, &ok);
        if (!ok || got < 0 || got > want)
            return -1;
        return got;
    }

    int64_t SeekTo(int64_t offset, int32_t method)
    {
        if (!seekable_ || offset < INT32_MIN || offset > INT32_MAX)
            return -1;
        int32_t result = -1;
        cb_.seek(cb_.component, context_, int32_t(offset), method, &result);
        return result < 0 ? -1 : result;
    }

    static mpg123_ssize_t ReadFn(void *self, void *buf, size_t n)
    {
        return static_cast<StreamInput *>(self)->ReadSome(buf, n);
    }

    static off_t SeekFn(void *self, off_t offset, int whence)
    {
        static_assert(SEEK_SET == MPEG_SEEK_SET && SEEK_CUR == MPEG_SEEK_CUR && SEEK_END == MPEG_SEEK_END);
        return static_cast<StreamInput *>(self)->SeekTo(offset, whence);
    }

    StreamCallbacks cb_;
    void *context_ = nullptr;
    bool seekable_ = false;
    int64_t size_ = -1;
};
} // namespace

std::unique_ptr<Input> OpenFileInput(const char *fileName)
{
    if (!fileName || !*fileName)
        return nullptr;
    const int fd = open(fileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<FileInput>(fd, int64_t(st.st_size));
}

std::unique_ptr<Input> OpenStreamInput(const StreamCallbacks &callbacks)
{
    if (!callbacks.read)
        return nullptr;
    return std::make_unique<StreamInput>(callbacks);
}
