// The decoder library through its C interface, loaded by its full path: a sanitizer runtime that
// interposes dlopen would resolve a bare name from itself, without the test's RUNPATH.

#include "PlayerMedia.h"
#include "player/MPEGLibrary.h"

#include <QDir>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {
MPEGEntryPoints &Lib()
{
    static MPEGEntryPoints entries;
    static void *handle = nullptr;
    if (!handle) {
        const QByteArray path = (BinDir() + "/" + MPEGLibraryName).toUtf8();
        handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle || !BindEntryPoints(handle, entries))
            throw std::runtime_error("cannot load " + path.toStdString());
    }
    return entries;
}

// Stream callbacks: the component is a MemoryStream, and the context it hands out is a member of
// it, so that a mix-up of the two shows.
MemoryStream *S(void *component, void *context)
{
    auto *s = static_cast<MemoryStream *>(component);
    s->wrongArguments += context != &s->context;
    return s;
}
const mpeg_open_cb OpenCb = [](void *component, uint8_t *nonSeekable, void **context) {
    auto *s = static_cast<MemoryStream *>(component);
    ++s->opens;
    *nonSeekable = s->nonSeekable;
    *context = &s->context;
};
const mpeg_close_cb CloseCb = [](void *c, void *x) { ++S(c, x)->closes; };
const mpeg_restart_cb RestartCb = [](void *c, void *x, uint8_t *res) { *res = S(c, x)->Restart(); };
const mpeg_read_cb ReadCb = [](void *c, void *x, void *buffer, int32_t count, int32_t *read, uint8_t *res) {
    *res = S(c, x)->Read(buffer, count, *read);
};
const mpeg_seek_cb SeekCb = [](void *c, void *x, int32_t offset, int32_t method, int32_t *res) {
    *res = S(c, x)->Seek(offset, method);
};
const mpeg_getsize_cb SizeCb = [](void *c, void *x, int32_t *res) { *res = S(c, x)->Size(); };

// A stream of a CBR file that takes about 1.3 s to play into a file.
constexpr int SlowPace = 20000;

class MpegDll : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(L.init(), 1); }
    void TearDown() override
    {
        L.deinit();
        for (const auto &s : streams)
            EXPECT_EQ(s->wrongArguments, 0) << "a callback got another component or context";
    }

    void OpenFile(const QString &path) { L.Open(path.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void OpenStream(MemoryStream &s, mpeg_read_cb read = ReadCb) { L.Open(nullptr, 1, OpenCb, CloseCb, RestartCb, read, SeekCb, SizeCb, &s); }
    // Streams live as long as the fixture: deinit in TearDown still calls their close event.
    MemoryStream &NewStream(QByteArray bytes, bool nonSeekable = false)
    {
        return *streams.emplace_back(std::make_unique<MemoryStream>(std::move(bytes), nonSeekable));
    }

    // Starts playing the open stream into a new WAV file; its name.
    QString Start(int startPos = 0, int endPos = 0)
    {
        const QString wav = ScratchDir() + "/out.wav";
        L.SetOutputDevice(MPEG_DEVICE_WAVFILE, wav.toUtf8().constData());
        EXPECT_EQ(L.Play(startPos, endPos, &ended), 1);
        EXPECT_EQ(L.LastError(), MPEG_OK);
        return wav;
    }
    bool Ended() { return WaitFor([this] { return EndedFlag() != 0; }, 10000); }
    // Stored by the playback thread.
    uint8_t EndedFlag() { return __atomic_load_n(&ended, __ATOMIC_ACQUIRE); }
    bool Sounding() { return WaitFor([this] { return L.GetCurrentPos() > 0; }, 5000); }
    WavInfo PlayToEnd(int startPos = 0, int endPos = 0)
    {
        const QString wav = Start(startPos, endPos);
        EXPECT_TRUE(Ended()) << "playback did not end";
        return ReadWav(wav);
    }
    // The whole file decoded, for comparing what other ways of playing give.
    QByteArray FullDecode(Mp3Kind kind)
    {
        OpenFile(Mp3File(kind));
        const QByteArray sound = PlayToEnd().data;
        L.Close();
        return sound;
    }

    std::vector<std::unique_ptr<MemoryStream>> streams;
    MPEGEntryPoints &L = Lib();
    Watchdog dog{40};
    uint8_t ended = 0;
};

// Each call fits some states only; in the others it fails with error 2 and changes nothing.
TEST_F(MpegDll, CallsInTheWrongStateAreIncorrectMode)
{
    using Calls = std::vector<std::pair<const char *, std::function<int()>>>; // a call and its result
    auto refused = [this](const char *state, const Calls &calls, int mode) {
        for (const auto &[name, call] : calls) {
            EXPECT_EQ(call(), 0) << state << ": " << name;
            EXPECT_EQ(L.LastError(), MPEG_INCORRECT_MODE) << state << ": " << name;
            EXPECT_EQ(L.GetPlayerMode(), mode) << state << ": " << name;
        }
    };
    MemoryStream &stream = NewStream(Mp3Bytes(Mp3Kind::Cbr));
    OpenStream(stream);
    ASSERT_EQ(L.LastError(), MPEG_OK);
    refused("stopped", {{"pause", [&] { L.Pause(0); return 0; }}, {"resume", [&] { L.Pause(1); return 0; }},
                        {"stop", [&] { L.Stop(); return 0; }}, {"restart before any play", [&] { L.Restart(); return 0; }},
                        {"open while open", [&] { OpenFile(Mp3File(Mp3Kind::Vbr)); return 0; }}},
            MPEG_MODE_STOPPED);
    EXPECT_EQ(L.GetLength(), 4000) << "the first stream stays open";

    stream.pace = SlowPace;
    Start();
    refused("playing", {{"play", [&] { return L.Play(0, 0, &ended); }}}, MPEG_MODE_PLAYING);
    L.Pause(1);
    EXPECT_EQ(L.LastError(), MPEG_OK) << "resuming what plays changes nothing";
    L.Close();
    EXPECT_EQ(stream.closes, 1);

    const Calls needStream = {
        {"Pause", [&] { L.Pause(0); return 0; }}, {"Restart", [&] { L.Restart(); return 0; }},
        {"Stop", [&] { L.Stop(); return 0; }},    {"Play", [&] { return L.Play(0, 0, &ended); }},
        {"Close", [&] { L.Close(); return 0; }},  {"ResetPlayerMode", [&] { L.ResetPlayerMode(); return 0; }},
        {"Seek", [&] { L.Seek(10); return 0; }},  {"GetFrequency", L.GetFrequency}, {"GetBitrate", L.GetBitrate},
        {"GetLayer", L.GetLayer}, {"GetCurrentPos", L.GetCurrentPos}, {"GetLength", L.GetLength},
    };
    refused("closed", needStream, MPEG_MODE_CLOSED);
    L.deinit();
    refused("before init", needStream, MPEG_MODE_CLOSED);
    refused("before init",
            {{"deinit", [&] { L.deinit(); return 0; }}, {"Open", [&] { OpenFile(Mp3File(Mp3Kind::Cbr)); return 0; }},
             {"SetPriority", [&] { L.SetPriority(0); return 0; }},
             {"SetOutputDevice", [&] { L.SetOutputDevice(2, "x.wav"); return 0; }}, {"GetPlayerMode", L.GetPlayerMode}},
            MPEG_MODE_CLOSED);
    EXPECT_EQ(L.init(), 1);
    EXPECT_EQ(L.LastError(), MPEG_OK);
    EXPECT_EQ(L.init(), 1) << "a second init is harmless";
}

// Each file is played as a file and as a stream, seekable or not, which must give the same sound.
TEST_F(MpegDll, ExactLengthsAndFullPlayIntoWav)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        int rate, channels;
        int minMs, maxMs; // exact by the header; without one, the decoder's delay and padding stay
        int bitrate;      // 0: any plausible
    };
    const QByteArray noTag = Mp3Bytes(Mp3Kind::CbrNoTag);
    const Case cases[] = {
        {"CBR", Mp3Bytes(Mp3Kind::Cbr), 44100, 2, 4000, 4000, 128},
        {"VBR", Mp3Bytes(Mp3Kind::Vbr), 44100, 2, 4000, 4000, 0},
        {"CBR without header", noTag, 44100, 2, 4000, 4099, 128},
        {"mono without header", Mp3Bytes(Mp3Kind::Mono), 22050, 1, 3000, 3099, 0},
        {"without header, cut in half", noTag.left(noTag.size() / 2), 44100, 2, 1940, 2060, 128},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        OpenFile(WriteScratchFile("track.mp3", c.bytes));
        ASSERT_EQ(L.LastError(), MPEG_OK);
        const int length = L.GetLength();
        EXPECT_TRUE(length >= c.minMs && length <= c.maxMs) << length;
        EXPECT_EQ(L.GetFrequency(), c.rate);
        EXPECT_EQ(L.GetLayer(), 3);
        const int bitrate = L.GetBitrate();
        EXPECT_TRUE(c.bitrate ? bitrate == c.bitrate : bitrate >= 8 && bitrate <= 320) << bitrate;

        const WavInfo wav = PlayToEnd();
        EXPECT_EQ(std::make_tuple(wav.valid, wav.rate, wav.channels, wav.bitsPerSample),
                  std::make_tuple(true, c.rate, c.channels, 16));
        EXPECT_EQ(wav.Ms(), length) << "the length is what plays";
        if (c.minMs == c.maxMs) {
            EXPECT_EQ(wav.Samples(), int64_t(c.rate) * length / 1000);
        }
        EXPECT_EQ(EndedFlag(), 1);
        EXPECT_EQ(L.GetCurrentPos(), length);
        L.ResetPlayerMode();
        EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_STOPPED);
        L.Close();

        for (const bool nonSeekable : {false, true}) {
            SCOPED_TRACE(nonSeekable ? "non-seekable stream" : "stream");
            MemoryStream &stream = NewStream(c.bytes, nonSeekable);
            OpenStream(stream);
            ASSERT_EQ(L.LastError(), MPEG_OK);
            EXPECT_EQ(stream.opens, 1);
            // A stream that cannot seek has no way to measure a file without a header: estimated.
            EXPECT_NEAR(L.GetLength(), length, nonSeekable && c.minMs != c.maxMs ? length / 50 : 0);
            EXPECT_TRUE(PlayToEnd().data == wav.data) << "the stream plays like the file";
            L.Seek(500);
            EXPECT_EQ(L.LastError(), nonSeekable ? MPEG_NON_SEEKABLE : MPEG_OK);
            L.Close();
            EXPECT_EQ(stream.closes, 1);
        }
    }
}

TEST_F(MpegDll, BadAndDamagedInputs)
{
    const QByteArray cbr = Mp3Bytes(Mp3Kind::Cbr);
    const QByteArray vbr = Mp3Bytes(Mp3Kind::Vbr);
    const QString dir = ScratchDir();
    const std::pair<const char *, QString> cases[] = {
        {"missing file", dir + "/none.mp3"},
        {"0 bytes", WriteScratchFile("empty.mp3", "")},
        {"text named .mp3", WriteScratchFile("text.mp3", "Artist - Album - Track\r\nnot sound at all\r\n")},
        {"CBR cut in half", WriteScratchFile("half.mp3", cbr.left(cbr.size() / 2))},
        {"VBR cut short by one byte", WriteScratchFile("short.mp3", vbr.left(vbr.size() - 1))},
        {"cut inside the first frame", WriteScratchFile("first.mp3", cbr.left(300))},
        {"directory", dir},
        {"empty name", ""},
    };
    for (const auto &[name, path] : cases) {
        OpenFile(path);
        EXPECT_EQ(L.LastError(), MPEG_INPUT_ERROR) << name;
        EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_CLOSED) << name;
    }
    L.Open(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(L.LastError(), MPEG_INPUT_ERROR) << "no name";

    QByteArray damaged = cbr;
    for (int i = 0; i < 4096; ++i)
        damaged[damaged.size() / 2 + i] = char((i * 7919) & 0xFF);
    OpenFile(WriteScratchFile("damaged.mp3", damaged));
    ASSERT_EQ(L.LastError(), MPEG_OK) << "damaged in the middle: the rest still plays";
    const WavInfo wav = PlayToEnd();
    EXPECT_TRUE(wav.valid);
    EXPECT_GT(wav.Ms(), 3000);
}

// A file and a stream of the same bytes measure the same. The damaged input, found by fuzzing,
// ends in an ID3v1 tag: the decoder library measured it differently when it was not told the
// file's size.
TEST_F(MpegDll, FileAndStreamOfTheSameBytesMeasureTheSame)
{
    const QByteArray damaged = QByteArray::fromHex(
        "fff388c400000000000000000058696e6758696e670000000f0000001000e6617dffffff02343c72431081154018642e"
        "a49a279cc89a1528ffffffffffff007500000000000000000000496e666f00000000026ec8ab2fff0000000000000000"
        "0000004f100000000000026ec8ab2fffffd3fffbffffffffffffffffffffffffffffff05000000ffffffffffffffffff"
        "0102000000000000ffffffffffffffffffffffff544147ffffffffffffffffffffffffffffffffffffffffffffffffff"
        "ffffffffffffffffffffffffffffffffffffffffff000000000000008300000083000000000000000000000000000000"
        "0000000000000000000000000000fff30000000d007500000000000000000026000000fffa9400000000000026000000"
        "fffa9400");
    for (const QByteArray &bytes : {damaged, Mp3Bytes(Mp3Kind::CbrNoTag) + "TAG" + QByteArray(125, 'x')}) {
        OpenFile(WriteScratchFile("same.mp3", bytes));
        ASSERT_EQ(L.LastError(), MPEG_OK);
        const auto measures = [this] { return std::make_tuple(L.GetLength(), L.GetFrequency(), L.GetBitrate()); };
        const auto fromFile = measures();
        L.Close();
        OpenStream(NewStream(bytes));
        ASSERT_EQ(L.LastError(), MPEG_OK);
        EXPECT_EQ(measures(), fromFile);
        L.Close();
    }
}

TEST_F(MpegDll, SeekAndRangesAreSampleExact)
{
    constexpr int frameBytes = 4;
    for (Mp3Kind kind : {Mp3Kind::Cbr, Mp3Kind::Vbr}) {
        SCOPED_TRACE(int(kind));
        const QByteArray full = FullDecode(kind);
        OpenFile(Mp3File(kind));
        const int length = L.GetLength();
        const std::pair<int, int> seeks[] = {{1500, 1500}, {-10, 0}, {length + 5000, length}, {1, 1}};
        for (const auto &[to, expected] : seeks) {
            L.Seek(to);
            EXPECT_EQ(L.LastError(), MPEG_OK);
            EXPECT_EQ(L.GetCurrentPos(), expected) << to;
        }

        L.Seek(1500);
        const WavInfo fromSeek = PlayToEnd();
        const int64_t seekSample = (1500 * 44100 + 999) / 1000;
        EXPECT_EQ(fromSeek.Samples(), full.size() / frameBytes - seekSample);
        EXPECT_TRUE(fromSeek.data == full.mid(seekSample * frameBytes)) << "seeked sound differs";

        const WavInfo range = PlayToEnd(1000, 3000);
        EXPECT_EQ(range.Samples(), 88200);
        EXPECT_TRUE(range.data == full.mid(44100 * frameBytes, 88200 * frameBytes)) << "range sound differs";
        EXPECT_EQ(L.GetCurrentPos(), 3000);
        L.Close();
    }
}

// How many threads of this process run at that nice value.
int ThreadsAtNice(int nice)
{
    int count = 0;
    for (const QString &tid : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray stat = ReadFileBytes("/proc/self/task/" + tid + "/stat");
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        count += fields.size() > 16 && fields[16].toInt() == nice; // field 19 of stat
    }
    return count;
}

// The restart rewrites the WAV file from the start, so the sound that ends up in it shows that
// neither the restart nor the pause on the way loses or repeats anything. The playback thread
// runs at the nice value of the priority it was given, also when it changes while playing;
// lowering is open to every user, raising may need a privilege and is not tested here.
TEST_F(MpegDll, PlaybackThreadStopsRestartsPausesAndResumes)
{
    const QByteArray full = FullDecode(Mp3Kind::Cbr);
    MemoryStream &stream = NewStream(Mp3Bytes(Mp3Kind::Cbr));
    OpenStream(stream);
    ASSERT_EQ(L.LastError(), MPEG_OK);
    stream.pace = SlowPace;
    L.SetPriority(-1);
    EXPECT_EQ(L.LastError(), MPEG_OK);
    ended = 7;
    const QString wav = Start();
    EXPECT_EQ(EndedFlag(), 0) << "Play clears the flag";
    ASSERT_TRUE(Sounding());
    EXPECT_TRUE(WaitFor([] { return ThreadsAtNice(5) == 1; }, 2000)) << "BelowNormal";

    L.Stop();
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_STOPPED);
    const int stoppedAt = L.GetCurrentPos();
    EXPECT_TRUE(stoppedAt > 0 && stoppedAt < L.GetLength()) << stoppedAt;
    EXPECT_EQ(EndedFlag(), 0) << "a stop is not an end";

    L.Restart();
    EXPECT_EQ(L.LastError(), MPEG_OK);
    ASSERT_TRUE(Sounding());
    L.SetPriority(-15);
    EXPECT_TRUE(WaitFor([] { return ThreadsAtNice(19) == 1; }, 2000)) << "Idle, changed while playing";
    L.Pause(0);
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_PAUSED);
    L.Pause(0);
    EXPECT_EQ(L.LastError(), MPEG_OK) << "pausing again changes nothing";
    // The block under way when Pause came still comes out, however long a loaded machine takes
    // over it; then the position holds.
    int held = -1;
    EXPECT_TRUE(WaitFor([&] {
        const int before = L.GetCurrentPos();
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        held = L.GetCurrentPos();
        return held == before;
    }, 5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(L.GetCurrentPos(), held);
    EXPECT_LT(held, L.GetLength());
    EXPECT_EQ(EndedFlag(), 0);

    L.Pause(1);
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_PLAYING);
    stream.pace = 0;
    ASSERT_TRUE(Ended());
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_ENDED);
    EXPECT_TRUE(ReadWav(wav).data == full);
    L.Restart();
    EXPECT_EQ(L.LastError(), MPEG_OK) << "an ended stream restarts as well";
    ASSERT_TRUE(Ended());
    EXPECT_TRUE(ReadWav(wav).data == full);
}

// A device that is refused leaves error 5 at once; one that is taken but cannot be opened fails at
// Play. Without a sound card no driver may wait for long; a machine that may have one must not be
// played to.
TEST_F(MpegDll, OutputDeviceFailures)
{
    const QByteArray unwritable = (QDir::tempPath() + "/no-such-dir-for-zemlo/out.wav").toUtf8();
    const std::tuple<const char *, int, const char *, bool> cases[] = {
        {"unknown device", 1, "x.wav", false},
        {"negative device", -1, nullptr, false},
        {"file without a name", MPEG_DEVICE_WAVFILE, "", false},
        {"file with no name at all", MPEG_DEVICE_WAVFILE, nullptr, false},
        {"file in a missing directory", MPEG_DEVICE_WAVFILE, unwritable.constData(), true},
        {"sound output without a sound card", MPEG_DEVICE_SOUND, nullptr, true},
    };
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // Where no device opens, libout123 unloads each output module it tried, and with them the
    // sound system libraries (ALSA and its plugins, JACK, PortAudio): their global caches become unreachable,
    // and LeakSanitizer reports them from unloaded modules that no suppression can name; under
    // ThreadSanitizer a hook that JACK left behind jumps into its unloaded code. Kept loaded, the
    // system libraries stay whole; the decoder library's own faults are not hidden.
    for (const char *driver : {"pulse", "alsa", "oss", "jack", "portaudio"})
        dlopen((std::string(OUT123_MODULE_DIR "/output_") + driver + ".so").c_str(), RTLD_NOW | RTLD_NODELETE);
    // ALSA's default device may be a plugin (PulseAudio's), which ALSA unloads the same way.
    std::error_code noPlugins;
    for (const auto &plugin : std::filesystem::directory_iterator(ALSA_PLUGIN_DIR, noPlugins))
        dlopen(plugin.path().c_str(), RTLD_NOW | RTLD_NODELETE);
#endif
    OpenFile(Mp3File(Mp3Kind::Cbr));
    for (const auto &[name, device, file, taken] : cases) {
        if (device == MPEG_DEVICE_SOUND && MayHaveSoundOutput())
            continue;
        L.SetOutputDevice(device, file);
        EXPECT_EQ(L.LastError(), taken ? MPEG_OK : MPEG_OUTPUT_ERROR) << name;
        if (!taken)
            continue;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(L.Play(0, 0, &ended), 0) << name;
        EXPECT_EQ(L.LastError(), MPEG_OUTPUT_ERROR) << name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << name;
        EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_STOPPED) << name;
    }
    EXPECT_EQ(PlayToEnd().Ms(), 4000) << "a good device afterwards plays";
}

TEST_F(MpegDll, NonSeekableAndFailingStreams)
{
    // A stream that cannot seek starts over through its restart callback.
    MemoryStream &stream = NewStream(Mp3Bytes(Mp3Kind::Cbr), true);
    OpenStream(stream);
    ASSERT_EQ(L.LastError(), MPEG_OK);
    const QByteArray full = PlayToEnd().data;

    const QString wav = ScratchDir() + "/again.wav";
    L.SetOutputDevice(MPEG_DEVICE_WAVFILE, wav.toUtf8().constData());
    L.Restart();
    EXPECT_EQ(L.LastError(), MPEG_OK);
    EXPECT_EQ(stream.restarts, 1) << "restarts through its callback";
    ASSERT_TRUE(Ended());
    EXPECT_TRUE(ReadWav(wav).data == full);

    stream.restartOk = false;
    L.Restart();
    EXPECT_EQ(L.LastError(), MPEG_NON_SEEKABLE);
    EXPECT_EQ(L.Play(500, 0, &ended), 0) << "no way to a later start";
    EXPECT_EQ(L.LastError(), MPEG_NON_SEEKABLE);
    L.Close();

    MemoryStream &failing = NewStream(Mp3Bytes(Mp3Kind::Cbr));
    failing.readsFail = true;
    const std::tuple<const char *, MemoryStream *, mpeg_read_cb, int> cases[] = {
        {"read fails", &failing, ReadCb, 1},
        {"text", &NewStream("plain text, no sound\n"), ReadCb, 1},
        {"no read callback", &NewStream(Mp3Bytes(Mp3Kind::Cbr)), nullptr, 0},
    };
    for (const auto &[name, source, read, opens] : cases) {
        OpenStream(*source, read);
        EXPECT_EQ(L.LastError(), MPEG_INPUT_ERROR) << name;
        EXPECT_EQ(source->opens, opens) << name;
        EXPECT_EQ(source->closes, opens) << name << ": what was opened is closed again";
    }
}

} // namespace
