// The bytes of an MP3 file, opened by the decoder library from a file and through its stream
// callbacks, as the player opens them: both must measure the same. Then a moment of it is
// decoded into a WAV file: the output is always the WAV writer, so no sound device is ever
// opened. The library is loaded at run time by its full path, as the decoder tests load it.

#include "FuzzSupport.h"
#include "player/MPEGLibrary.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <dlfcn.h>
#include <thread>

namespace {
// Decoded per input: long enough to reach the frames after the first, short enough for speed.
constexpr int32_t DecodeMs = 300;

struct MemoryStream {
    const uint8_t *data;
    int64_t size;
    int64_t pos = 0;
};

MemoryStream *StreamOf(void *component) { return static_cast<MemoryStream *>(component); }

const mpeg_open_cb OpenCb = [](void *component, uint8_t *nonSeekable, void **context) {
    *nonSeekable = 0;
    *context = component;
};
const mpeg_close_cb CloseCb = [](void *, void *) {};
const mpeg_restart_cb RestartCb = [](void *component, void *, uint8_t *result) {
    StreamOf(component)->pos = 0;
    *result = 1;
};
const mpeg_read_cb ReadCb = [](void *component, void *, void *buffer, int32_t count, int32_t *read, uint8_t *result) {
    MemoryStream *s = StreamOf(component);
    const int64_t n = std::max<int64_t>(0, std::min<int64_t>(count, s->size - s->pos));
    std::memcpy(buffer, s->data + s->pos, size_t(n));
    s->pos += n;
    *read = int32_t(n);
    *result = 1;
};
const mpeg_seek_cb SeekCb = [](void *component, void *, int32_t offset, int32_t method, int32_t *result) {
    MemoryStream *s = StreamOf(component);
    const int64_t to = (method == MPEG_SEEK_SET ? 0 : method == MPEG_SEEK_CUR ? s->pos : s->size) + offset;
    if (to < 0 || to > s->size) {
        *result = -1;
        return;
    }
    s->pos = to;
    *result = int32_t(to);
};
const mpeg_getsize_cb SizeCb = [](void *component, void *, int32_t *result) { *result = int32_t(StreamOf(component)->size); };

MPEGEntryPoints &Library()
{
    static MPEGEntryPoints entries;
    static void *handle = nullptr;
    if (!handle) {
        handle = dlopen(MPEGDLL_PATH, RTLD_NOW | RTLD_LOCAL);
        if (!handle || !BindEntryPoints(handle, entries) || entries.init() != 1) {
            std::fprintf(stderr, "cannot load and start %s\n", MPEGDLL_PATH);
            std::abort();
        }
    }
    return entries;
}

QByteArray ScratchPath(const char *name)
{
    return QFile::encodeName(QFileInfo(StandInFile()).dir().filePath(name));
}

// What Open measured, or its error.
struct Measures {
    int32_t error, length, frequency, layer, bitrate;
    bool operator==(const Measures &o) const
    {
        return error == o.error && length == o.length && frequency == o.frequency && layer == o.layer && bitrate == o.bitrate;
    }
};

Measures Measure(MPEGEntryPoints &L)
{
    const int32_t error = L.LastError();
    if (error != MPEG_OK) {
        FUZZ_CHECK(L.GetPlayerMode() == MPEG_MODE_CLOSED);
        return {error, 0, 0, 0, 0};
    }
    FUZZ_CHECK(L.GetPlayerMode() == MPEG_MODE_STOPPED);
    const Measures m{error, L.GetLength(), L.GetFrequency(), L.GetLayer(), L.GetBitrate()};
    FUZZ_CHECK(m.length >= 0 && m.frequency > 0 && m.layer >= 1 && m.layer <= 3);
    return m;
}
} // namespace

// Loaded before the first input, so that libFuzzer counts the library's coverage from the start.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Library();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > size_t(INT32_MAX))
        return 0;
    MPEGEntryPoints &L = Library();

    static const QByteArray mp3 = ScratchPath("input.mp3");
    QFile file(QString::fromLocal8Bit(mp3));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(InputBytes(data, size)) == qint64(size));
    file.close();
    L.Open(mp3.constData(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    const Measures fromFile = Measure(L);
    if (fromFile.error == MPEG_OK)
        L.Close();

    MemoryStream stream{data, int64_t(size)};
    L.Open(nullptr, 1, OpenCb, CloseCb, RestartCb, ReadCb, SeekCb, SizeCb, &stream);
    FUZZ_CHECK(Measure(L) == fromFile);
    if (fromFile.error != MPEG_OK)
        return 0;

    static const QByteArray wav = ScratchPath("decoded.wav");
    L.SetOutputDevice(MPEG_DEVICE_WAVFILE, wav.constData());
    uint8_t ended = 0;
    if (L.Play(0, DecodeMs, &ended)) {
        // A playback that never ends is reported by libFuzzer's timeout.
        while (!__atomic_load_n(&ended, __ATOMIC_ACQUIRE))
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    L.Close();
    FUZZ_CHECK(L.LastError() == MPEG_OK);
    return 0;
}
