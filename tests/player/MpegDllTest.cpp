// The decoder library through its C interface, loaded by its bare name as the program loads it.

#include "PlayerMedia.h"
#include "player/MPEGLibrary.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <list>

namespace {
MPEGEntryPoints &Lib()
{
    static MPEGEntryPoints entries;
    static void *handle = nullptr;
    if (!handle) {
        handle = dlopen(MPEGLibraryName, RTLD_NOW | RTLD_LOCAL);
        if (!handle || !BindEntryPoints(handle, entries))
            throw std::runtime_error(std::string("cannot load ") + MPEGLibraryName);
    }
    return entries;
}

// Stream callbacks over a MemoryStream, which is also the component; the context is a pointer
// of its own so that a mix-up of the two shows.
struct StreamContext {
    MemoryStream *stream;
    int wrongArguments = 0;
};
StreamContext *Ctx(void *component, void *context)
{
    auto *ctx = static_cast<StreamContext *>(context);
    if (ctx->stream != component)
        ++ctx->wrongArguments;
    return ctx;
}
// Every context handed out; they outlive Close so that the test can read them.
std::list<StreamContext> contexts;
void OpenCb(void *component, uint8_t *nonSeekable, void **context)
{
    auto *s = static_cast<MemoryStream *>(component);
    ++s->opens;
    *nonSeekable = s->NonSeekable();
    *context = &contexts.emplace_back(StreamContext{s});
}
void CloseCb(void *component, void *context)
{
    ++Ctx(component, context)->stream->closes;
}
void RestartCb(void *component, void *context, uint8_t *result)
{
    *result = Ctx(component, context)->stream->Restart();
}
void ReadCb(void *component, void *context, void *buffer, int32_t count, int32_t *read, uint8_t *result)
{
    *result = Ctx(component, context)->stream->Read(buffer, count, *read);
}
void SeekCb(void *component, void *context, int32_t offset, int32_t method, int32_t *result)
{
    *result = Ctx(component, context)->stream->Seek(offset, method);
}
void SizeCb(void *component, void *context, int32_t *result)
{
    *result = Ctx(component, context)->stream->Size();
}

class MpegDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(L.init(), 1);
        ASSERT_EQ(L.LastError(), MPEG_OK);
    }
    void TearDown() override
    {
        L.deinit();
        for (const StreamContext &c : contexts)
            EXPECT_EQ(c.wrongArguments, 0) << "a callback got another component or context";
        contexts.clear();
    }

    void OpenFile(const QString &path) { L.Open(path.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void OpenStream(MemoryStream &s) { L.Open(nullptr, 1, OpenCb, CloseCb, RestartCb, ReadCb, SeekCb, SizeCb, &s); }

    // Plays the open stream into a new WAV file until the library sets the ended flag.
    WavInfo PlayToEnd(int startPos = 0, int endPos = 0)
    {
        const QString wav = ScratchDir() + "/out.wav";
        L.SetOutputDevice(MPEG_DEVICE_WAVFILE, wav.toUtf8().constData());
        EXPECT_EQ(L.LastError(), MPEG_OK);
        EXPECT_EQ(L.Play(startPos, endPos, &ended), 1);
        EXPECT_EQ(L.LastError(), MPEG_OK);
        EXPECT_TRUE(WaitFor([this] { return ended != 0; }, 10000)) << "playback did not end";
        return ReadWav(wav);
    }

    // Starts playing into a WAV file and waits until some sound has gone out.
    QString StartPlaying()
    {
        const QString wav = ScratchDir() + "/out.wav";
        L.SetOutputDevice(MPEG_DEVICE_WAVFILE, wav.toUtf8().constData());
        EXPECT_EQ(L.Play(0, 0, &ended), 1);
        EXPECT_TRUE(WaitFor([this] { return L.GetCurrentPos() > 0; }, 5000));
        return wav;
    }

    // The whole file decoded, for comparing what other ways of playing give.
    QByteArray FullDecode(Mp3Kind kind)
    {
        OpenFile(Mp3File(kind));
        const WavInfo w = PlayToEnd();
        L.Close();
        return w.data;
    }

    // Streams live as long as the fixture: deinit in TearDown still calls their close event.
    MemoryStream &NewStream(QByteArray bytes, bool nonSeekable = false)
    {
        streams.push_back(std::make_unique<MemoryStream>(std::move(bytes), nonSeekable));
        return *streams.back();
    }

    std::vector<std::unique_ptr<MemoryStream>> streams;
    MPEGEntryPoints &L = Lib();
    Watchdog dog{40};
    volatile uint8_t ended = 0;
};

// A stream of a CBR file that takes about 1.3 s to play into a file.
constexpr int SlowPace = 20000;

TEST(MpegDllExports, ExactlyTheNineteenEntryPoints)
{
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", BinDir() + "/libmpegdll.so"});
    ASSERT_TRUE(nm.waitForFinished(30000));
    ASSERT_EQ(nm.exitCode(), 0) << nm.readAllStandardError().toStdString();
    QSet<QString> exported;
    for (const QString &line : QString::fromUtf8(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(' ', Qt::SkipEmptyParts);
        if (f.size() == 3 && f[1] == "T")
            exported.insert(f[2]);
        else if (f.size() == 3)
            ADD_FAILURE() << "unexpected symbol " << line.toStdString();
    }
    const QSet<QString> expected = {"init", "deinit", "Open", "Pause", "Restart", "Stop", "SetPriority",
                                    "SetOutputDevice", "Play", "Close", "GetFrequency", "GetBitrate", "GetLayer",
                                    "GetPlayerMode", "GetCurrentPos", "GetLength", "ResetPlayerMode", "Seek",
                                    "LastError"};
    EXPECT_EQ(exported, expected);
    EXPECT_NO_THROW(Lib());
}

TEST_F(MpegDll, EveryCallBeforeInitIsIncorrectMode)
{
    L.deinit();
    volatile uint8_t flag = 0;
    const std::pair<const char *, std::function<void()>> calls[] = {
        {"deinit", [&] { L.deinit(); }},
        {"Open", [&] { OpenFile(Mp3File(Mp3Kind::Cbr)); }},
        {"Pause", [&] { L.Pause(0); }},
        {"Restart", [&] { L.Restart(); }},
        {"Stop", [&] { L.Stop(); }},
        {"SetPriority", [&] { L.SetPriority(0); }},
        {"SetOutputDevice", [&] { L.SetOutputDevice(2, "x.wav"); }},
        {"Play", [&] { EXPECT_EQ(L.Play(0, 0, &flag), 0); }},
        {"Close", [&] { L.Close(); }},
        {"GetFrequency", [&] { EXPECT_EQ(L.GetFrequency(), 0); }},
        {"GetBitrate", [&] { EXPECT_EQ(L.GetBitrate(), 0); }},
        {"GetLayer", [&] { EXPECT_EQ(L.GetLayer(), 0); }},
        {"GetPlayerMode", [&] { EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_CLOSED); }},
        {"GetCurrentPos", [&] { EXPECT_EQ(L.GetCurrentPos(), 0); }},
        {"GetLength", [&] { EXPECT_EQ(L.GetLength(), 0); }},
        {"ResetPlayerMode", [&] { L.ResetPlayerMode(); }},
        {"Seek", [&] { L.Seek(0); }},
    };
    for (const auto &[name, call] : calls) {
        call();
        EXPECT_EQ(L.LastError(), MPEG_INCORRECT_MODE) << name;
    }
    EXPECT_EQ(L.init(), 1);
    EXPECT_EQ(L.LastError(), MPEG_OK);
    EXPECT_EQ(L.init(), 1) << "a second init is harmless";
}

TEST_F(MpegDll, ExactLengthsAndFullPlayIntoWav)
{
    struct Case {
        Mp3Kind kind;
        int bitrate; // 0: any plausible
    };
    for (const Case c : {Case{Mp3Kind::Cbr, 128}, Case{Mp3Kind::Vbr, 0}, Case{Mp3Kind::CbrNoTag, 128}, Case{Mp3Kind::Mono, 0}}) {
        SCOPED_TRACE(int(c.kind));
        const Mp3Facts f = FactsOf(c.kind);
        OpenFile(Mp3File(c.kind));
        ASSERT_EQ(L.LastError(), MPEG_OK);
        const int length = L.GetLength();
        if (c.kind == Mp3Kind::Cbr || c.kind == Mp3Kind::Vbr) {
            EXPECT_EQ(length, f.toneMs); // encoder delay and padding come off by the header
        } else {
            // Without a header the decoder's delay and padding stay part of the sound.
            EXPECT_GE(length, f.toneMs);
            EXPECT_LT(length, f.toneMs + 100);
        }
        EXPECT_EQ(L.GetFrequency(), f.rate);
        EXPECT_EQ(L.GetLayer(), 3);
        if (c.bitrate) {
            EXPECT_EQ(L.GetBitrate(), c.bitrate);
        } else {
            EXPECT_TRUE(L.GetBitrate() >= 8 && L.GetBitrate() <= 320) << L.GetBitrate();
        }
        EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_STOPPED);
        EXPECT_EQ(L.GetCurrentPos(), 0);

        const WavInfo wav = PlayToEnd();
        ASSERT_TRUE(wav.valid);
        EXPECT_EQ(wav.rate, f.rate);
        EXPECT_EQ(wav.channels, f.channels);
        EXPECT_EQ(wav.bitsPerSample, 16);
        EXPECT_EQ(wav.Ms(), length) << "the length is what plays";
        if (c.kind == Mp3Kind::Cbr || c.kind == Mp3Kind::Vbr) {
            EXPECT_EQ(wav.Samples(), int64_t(f.rate) * f.toneMs / 1000);
        }
        EXPECT_EQ(ended, 1);
        EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_ENDED);
        EXPECT_EQ(L.GetCurrentPos(), length);
        L.ResetPlayerMode();
        EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_STOPPED);
        L.Close();
        EXPECT_EQ(L.LastError(), MPEG_OK);
        EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_CLOSED);
    }
}

TEST_F(MpegDll, BadInputsAreInputStreamErrors)
{
    const QByteArray cbr = ReadFileBytes(Mp3File(Mp3Kind::Cbr));
    const QByteArray vbr = ReadFileBytes(Mp3File(Mp3Kind::Vbr));
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
        EXPECT_EQ(L.GetLength(), 0) << name;
        EXPECT_EQ(L.LastError(), MPEG_INCORRECT_MODE) << name;
    }
    L.Open(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(L.LastError(), MPEG_INPUT_ERROR) << "no name";
}

TEST_F(MpegDll, FileWithoutHeaderCutShortPlaysWhatItHolds)
{
    const QByteArray bytes = ReadFileBytes(Mp3File(Mp3Kind::CbrNoTag));
    OpenFile(WriteScratchFile("half.mp3", bytes.left(bytes.size() / 2)));
    ASSERT_EQ(L.LastError(), MPEG_OK);
    const int length = L.GetLength();
    EXPECT_NEAR(length, 2000, 60);
    EXPECT_EQ(PlayToEnd().Ms(), length);
}

TEST_F(MpegDll, DamagedMiddleStillPlaysToTheEnd)
{
    QByteArray bytes = ReadFileBytes(Mp3File(Mp3Kind::Cbr));
    for (int i = 0; i < 4096; ++i)
        bytes[bytes.size() / 2 + i] = char((i * 7919) & 0xFF);
    OpenFile(WriteScratchFile("damaged.mp3", bytes));
    ASSERT_EQ(L.LastError(), MPEG_OK);
    const WavInfo wav = PlayToEnd();
    EXPECT_TRUE(wav.valid);
    EXPECT_GT(wav.Ms(), 3000);
}

TEST_F(MpegDll, SeekAndRangesAreSampleExact)
{
    for (Mp3Kind kind : {Mp3Kind::Cbr, Mp3Kind::Vbr}) {
        SCOPED_TRACE(int(kind));
        const QByteArray full = FullDecode(kind);
        const int frameBytes = 4;
        const int64_t samples = full.size() / frameBytes;
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
        EXPECT_EQ(fromSeek.Samples(), samples - seekSample);
        EXPECT_TRUE(fromSeek.data == full.mid(seekSample * frameBytes)) << "seeked sound differs";

        const WavInfo range = PlayToEnd(1000, 3000);
        EXPECT_EQ(range.Samples(), 88200);
        EXPECT_TRUE(range.data == full.mid(44100 * frameBytes, 88200 * frameBytes)) << "range sound differs";
        EXPECT_EQ(L.GetCurrentPos(), 3000);
        L.Close();
    }
}

TEST_F(MpegDll, PauseHoldsThePositionAndResumeLosesNothing)
{
    const QByteArray full = FullDecode(Mp3Kind::Cbr);
    MemoryStream &stream = NewStream(ReadFileBytes(Mp3File(Mp3Kind::Cbr)));
    OpenStream(stream);
    ASSERT_EQ(L.LastError(), MPEG_OK);
    stream.SetPace(SlowPace);
    const QString wav = StartPlaying();

    L.Pause(0);
    EXPECT_EQ(L.LastError(), MPEG_OK);
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_PAUSED);
    L.Pause(0);
    EXPECT_EQ(L.LastError(), MPEG_OK) << "pausing again changes nothing";
    std::this_thread::sleep_for(std::chrono::milliseconds(150)); // the block under way comes out
    const int held = L.GetCurrentPos();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(L.GetCurrentPos(), held);
    EXPECT_LT(held, L.GetLength());
    EXPECT_EQ(ended, 0);

    L.Pause(1);
    EXPECT_EQ(L.LastError(), MPEG_OK);
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_PLAYING);
    ASSERT_TRUE(WaitFor([this] { return ended != 0; }, 10000));
    EXPECT_TRUE(ReadWav(wav).data == full);
}

TEST_F(MpegDll, StopThenRestartPlaysFromTheStart)
{
    const QByteArray full = FullDecode(Mp3Kind::Cbr);
    MemoryStream &stream = NewStream(ReadFileBytes(Mp3File(Mp3Kind::Cbr)));
    OpenStream(stream);
    stream.SetPace(SlowPace);
    ended = 7;
    const QString wav = StartPlaying();
    EXPECT_EQ(ended, 0) << "Play clears the flag";

    L.Stop();
    EXPECT_EQ(L.LastError(), MPEG_OK);
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_STOPPED);
    EXPECT_EQ(ended, 0) << "a stop is not an end";
    const int stoppedAt = L.GetCurrentPos();
    EXPECT_GT(stoppedAt, 0);
    EXPECT_LT(stoppedAt, L.GetLength());
    L.Stop();
    EXPECT_EQ(L.LastError(), MPEG_INCORRECT_MODE);

    stream.SetPace(0);
    L.Restart();
    EXPECT_EQ(L.LastError(), MPEG_OK);
    ASSERT_TRUE(WaitFor([this] { return ended != 0; }, 10000));
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_ENDED);
    EXPECT_TRUE(ReadWav(wav).data == full) << "the restart writes the whole sound anew";
    L.Restart();
    EXPECT_EQ(L.LastError(), MPEG_OK) << "an ended stream restarts as well";
    ASSERT_TRUE(WaitFor([this] { return ended != 0; }, 10000));
    EXPECT_TRUE(ReadWav(wav).data == full);
}

TEST_F(MpegDll, CallsInTheWrongStateAreIncorrectMode)
{
    MemoryStream &stream = NewStream(ReadFileBytes(Mp3File(Mp3Kind::Cbr)));
    OpenStream(stream);
    ASSERT_EQ(L.LastError(), MPEG_OK);
    const std::pair<const char *, std::function<void()>> whileStopped[] = {
        {"pause", [&] { L.Pause(0); }},
        {"resume", [&] { L.Pause(1); }},
        {"stop", [&] { L.Stop(); }},
        {"restart before any play", [&] { L.Restart(); }},
        {"open while open", [&] { OpenFile(Mp3File(Mp3Kind::Vbr)); }},
    };
    for (const auto &[name, call] : whileStopped) {
        call();
        EXPECT_EQ(L.LastError(), MPEG_INCORRECT_MODE) << name;
        EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_STOPPED) << name;
    }
    EXPECT_EQ(L.GetLength(), 4000) << "the first stream stays open";

    stream.SetPace(SlowPace);
    StartPlaying();
    EXPECT_EQ(L.Play(0, 0, &ended), 0);
    EXPECT_EQ(L.LastError(), MPEG_INCORRECT_MODE) << "play while playing";
    L.Pause(1);
    EXPECT_EQ(L.LastError(), MPEG_OK) << "resuming what plays changes nothing";

    L.Close();
    EXPECT_EQ(L.LastError(), MPEG_OK);
    EXPECT_EQ(stream.closes, 1);
    const std::pair<const char *, std::function<void()>> whileClosed[] = {
        {"close", [&] { L.Close(); }},
        {"seek", [&] { L.Seek(10); }},
        {"play", [&] { EXPECT_EQ(L.Play(0, 0, &ended), 0); }},
        {"restart", [&] { L.Restart(); }},
        {"position", [&] { L.GetCurrentPos(); }},
    };
    for (const auto &[name, call] : whileClosed) {
        call();
        EXPECT_EQ(L.LastError(), MPEG_INCORRECT_MODE) << name;
    }
}

TEST_F(MpegDll, OutputDeviceFailures)
{
    struct Case {
        const char *name;
        int device;
        const char *file;
        int setError;
    };
    const QString unwritable = QDir::tempPath() + "/no-such-dir-for-zemlo/out.wav";
    const QByteArray unwritableName = unwritable.toUtf8();
    const Case cases[] = {
        {"unknown device", 1, "x.wav", MPEG_OUTPUT_ERROR},
        {"negative device", -1, nullptr, MPEG_OUTPUT_ERROR},
        {"file without a name", 2, "", MPEG_OUTPUT_ERROR},
        {"file with no name at all", 2, nullptr, MPEG_OUTPUT_ERROR},
        {"file in a missing directory", 2, unwritableName.constData(), MPEG_OK},
    };
    OpenFile(Mp3File(Mp3Kind::Cbr));
    for (const Case &c : cases) {
        L.SetOutputDevice(c.device, c.file);
        EXPECT_EQ(L.LastError(), c.setError) << c.name;
    }
    // The last device set is the unwritable file.
    EXPECT_EQ(L.Play(0, 0, &ended), 0);
    EXPECT_EQ(L.LastError(), MPEG_OUTPUT_ERROR);
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_STOPPED);
    EXPECT_EQ(PlayToEnd().Ms(), 4000) << "a good device afterwards plays";
}

TEST_F(MpegDll, SoundOutputWithoutSoundCardFails)
{
    if (MayHaveSoundOutput())
        GTEST_SKIP() << "this machine may have a sound output; the test must not play to it";
    OpenFile(Mp3File(Mp3Kind::Cbr));
    L.SetOutputDevice(MPEG_DEVICE_SOUND, nullptr);
    EXPECT_EQ(L.LastError(), MPEG_OK);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(L.Play(0, 0, &ended), 0);
    EXPECT_EQ(L.LastError(), MPEG_OUTPUT_ERROR);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << "no driver may wait for long";
    EXPECT_EQ(L.GetPlayerMode(), MPEG_MODE_STOPPED);
}

TEST_F(MpegDll, SeekableStreamPlaysLikeTheFile)
{
    for (Mp3Kind kind : {Mp3Kind::Cbr, Mp3Kind::Vbr, Mp3Kind::CbrNoTag, Mp3Kind::Mono}) {
        SCOPED_TRACE(int(kind));
        OpenFile(Mp3File(kind));
        const int fileLength = L.GetLength();
        const QByteArray fileSound = PlayToEnd().data;
        L.Close();

        MemoryStream &stream = NewStream(ReadFileBytes(Mp3File(kind)));
        OpenStream(stream);
        ASSERT_EQ(L.LastError(), MPEG_OK);
        EXPECT_EQ(stream.opens, 1);
        EXPECT_EQ(L.GetLength(), fileLength);
        EXPECT_TRUE(PlayToEnd().data == fileSound);
        L.Seek(500);
        EXPECT_EQ(L.LastError(), MPEG_OK);
        L.Close();
        EXPECT_EQ(stream.closes, 1);
    }
}

TEST_F(MpegDll, NonSeekableStreamRestartsThroughItsCallback)
{
    const QByteArray full = FullDecode(Mp3Kind::Cbr);
    MemoryStream &stream = NewStream(ReadFileBytes(Mp3File(Mp3Kind::Cbr)), true);
    OpenStream(stream);
    ASSERT_EQ(L.LastError(), MPEG_OK);
    EXPECT_EQ(L.GetLength(), 4000) << "from the Info header";
    L.Seek(1000);
    EXPECT_EQ(L.LastError(), MPEG_NON_SEEKABLE);
    EXPECT_TRUE(PlayToEnd().data == full);

    const QString wav = ScratchDir() + "/again.wav";
    L.SetOutputDevice(MPEG_DEVICE_WAVFILE, wav.toUtf8().constData());
    L.Restart();
    EXPECT_EQ(L.LastError(), MPEG_OK);
    EXPECT_EQ(stream.restarts, 1);
    ASSERT_TRUE(WaitFor([this] { return ended != 0; }, 10000));
    EXPECT_TRUE(ReadWav(wav).data == full);

    stream.SetRestartResult(false);
    L.Restart();
    EXPECT_EQ(L.LastError(), MPEG_NON_SEEKABLE);
    EXPECT_EQ(L.Play(500, 0, &ended), 0) << "no way to a later start";
    EXPECT_EQ(L.LastError(), MPEG_NON_SEEKABLE);
}

TEST_F(MpegDll, NonSeekableStreamWithoutHeaderHasAnEstimatedLength)
{
    OpenFile(Mp3File(Mp3Kind::CbrNoTag));
    const int exact = L.GetLength();
    L.Close();
    MemoryStream &stream = NewStream(ReadFileBytes(Mp3File(Mp3Kind::CbrNoTag)), true);
    OpenStream(stream);
    ASSERT_EQ(L.LastError(), MPEG_OK);
    EXPECT_NEAR(L.GetLength(), exact, exact / 50);
}

TEST_F(MpegDll, StreamFailuresAreInputStreamErrors)
{
    const QByteArray cbr = ReadFileBytes(Mp3File(Mp3Kind::Cbr));
    MemoryStream &failing = NewStream(cbr);
    failing.FailReadsFrom(0);
    OpenStream(failing);
    EXPECT_EQ(L.LastError(), MPEG_INPUT_ERROR) << "read fails";
    EXPECT_EQ(failing.opens, 1);
    EXPECT_EQ(failing.closes, 1) << "what was opened is closed again";

    MemoryStream &text = NewStream("plain text, no sound\n");
    OpenStream(text);
    EXPECT_EQ(L.LastError(), MPEG_INPUT_ERROR) << "text";

    MemoryStream &whole = NewStream(cbr);
    L.Open(nullptr, 1, OpenCb, CloseCb, RestartCb, nullptr, SeekCb, SizeCb, &whole);
    EXPECT_EQ(L.LastError(), MPEG_INPUT_ERROR) << "no read callback";
    EXPECT_EQ(whole.opens, 0);
}

// The nice value of each thread of this process.
std::vector<int> ThreadNiceValues()
{
    std::vector<int> values;
    for (const QString &tid : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray stat = ReadFileBytes("/proc/self/task/" + tid + "/stat");
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 16)
            values.push_back(fields[16].toInt()); // field 19 of stat
    }
    return values;
}

TEST_F(MpegDll, PriorityIsThePlaybackThreadsNiceValue)
{
    MemoryStream &stream = NewStream(ReadFileBytes(Mp3File(Mp3Kind::Cbr)));
    OpenStream(stream);
    stream.SetPace(SlowPace);
    L.SetPriority(-1);
    EXPECT_EQ(L.LastError(), MPEG_OK);
    StartPlaying();
    auto has = [](int nice) {
        return WaitFor([nice] { const auto v = ThreadNiceValues(); return std::count(v.begin(), v.end(), nice) == 1; }, 2000);
    };
    EXPECT_TRUE(has(5)) << "BelowNormal";
    // Lowering is open to every user; raising may need a privilege, so it is not tested here.
    L.SetPriority(-15);
    EXPECT_EQ(L.LastError(), MPEG_OK);
    EXPECT_TRUE(has(19)) << "Idle, changed while playing";
    L.Stop();
}

} // namespace
