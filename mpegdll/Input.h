#pragma once
// Where the coded bytes come from: a file, or the stream callbacks of the caller.

#include "mpegdll.h"

#include <mpg123.h>

#include <cstddef>
#include <cstdint>
#include <memory>

struct StreamCallbacks {
    mpeg_open_cb open;
    mpeg_close_cb close;
    mpeg_restart_cb restart;
    mpeg_read_cb read;
    mpeg_seek_cb seek;
    mpeg_getsize_cb getSize;
    void *component;
};

class Input {
public:
    virtual ~Input() = default;
    // Size in bytes; -1 when unknown.
    virtual int64_t Size() const = 0;
    virtual bool Seekable() const = 0;
    // Random access for probing headers; only on seekable inputs.
    virtual size_t ReadAt(int64_t pos, void *buf, size_t n) = 0;
    // Opens a fresh decoder handle on the input from the input's current position.
    virtual bool Attach(mpg123_handle *mh) = 0;
    // Back to the first byte; the way a non-seekable input starts over.
    virtual bool Rewind() = 0;
};

// nullptr when the file cannot be opened for reading.
std::unique_ptr<Input> OpenFileInput(const char *fileName);
// nullptr without a read callback. Calls the open callback now and the close callback when
// the input is destroyed.
std::unique_ptr<Input> OpenStreamInput(const StreamCallbacks &callbacks);
