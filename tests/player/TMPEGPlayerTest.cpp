// The player component over the real decoder library, with its position timer on the event loop.

#include "PlayerMedia.h"
#include "player/TMPEGPlayer.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {
// Stream events over a MemoryStream.
void UseStream(TMPEGPlayer &p, MemoryStream &s)
{
    p.SetFromStream(true);
    p.OnOpenStream = [&s](bool &nonSeekable, void *&context) { ++s.opens; nonSeekable = s.nonSeekable; context = &s; };
    p.OnCloseStream = [](void *context) { ++static_cast<MemoryStream *>(context)->closes; };
    p.OnReadStream = [](void *context, void *buffer, int32_t count, int32_t &read, bool &res) {
        res = static_cast<MemoryStream *>(context)->Read(buffer, count, read);
    };
    p.OnSeekStream = [](void *context, int32_t offset, int32_t method, int32_t &res) {
        res = static_cast<MemoryStream *>(context)->Seek(offset, method);
    };
    p.OnGetStreamSize = [](void *context, int32_t &res) { res = static_cast<MemoryStream *>(context)->Size(); };
    p.OnRestartStream = [](void *context, bool &res) { res = static_cast<MemoryStream *>(context)->Restart(); };
}

class Player : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApp();
        Prepare(p);
        p.OnPosUpdate = [this](int32_t pos, int32_t len) { reports.push_back({pos, len}); };
        p.OnPlayEnd = [this](QObject *sender) {
            EXPECT_EQ(sender, &p);
            ++ends;
        };
    }
    // The real library, playing into a WAV file.
    void Prepare(TMPEGPlayer &player)
    {
        player.SetPathToDLL(ShortStr::fromQString(BinDir()));
        player.SetTimerFreq(20);
        player.SetOutputDevice(TOutputDevice::pcmfile);
        player.SetOutFilename(ShortStr::fromQString(wav));
    }
    // Streams outlive the player, which closes its stream when it is destroyed.
    MemoryStream &NewStream()
    {
        return *streams.emplace_back(std::make_unique<MemoryStream>(Mp3Bytes(Mp3Kind::Cbr)));
    }

    Watchdog dog{40};
    std::vector<std::unique_ptr<MemoryStream>> streams;
    QString wav = ScratchDir() + "/out.wav";
    TMPEGPlayer p;
    std::vector<std::pair<int, int>> reports;
    int ends = 0;
};

// Without PathToDLL, or where it names no library, the component falls back to the system's
// search by the bare name, which finds the library here through the test's RUNPATH. A sanitizer
// runtime interposes dlopen and so resolves the bare name from itself, without that RUNPATH:
// there the fall-back must fail as plainly as a dlopen of the bare name does.
TEST_F(Player, LoadsFromPathToDLLOrByBareName)
{
    void *bare = dlopen(MPEGLibraryName, RTLD_NOW | RTLD_LOCAL);
    const bool bareNameFound = bare != nullptr;
    if (bare)
        dlclose(bare);
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    EXPECT_TRUE(bareNameFound) << "RUNPATH $ORIGIN finds the library beside the test";
#endif
    for (const QString &path : {BinDir(), QString("/no/such/zemlo/dir"), QString()}) {
        const bool loads = path == BinDir() || bareNameFound;
        p.SetPathToDLL(ShortStr::fromQString(path));
        EXPECT_EQ(ErrorOf([&] { p.InitLibrary(); }), loads ? "" : "Can't load MPEG library") << path.toStdString();
        EXPECT_EQ(p.LibraryLoaded(), loads) << path.toStdString();
        if (p.LibraryLoaded())
            p.DoneLibrary();
    }
}

TEST_F(Player, PlaysAStreamToTheEndReportingOnTheEventLoop)
{
    MemoryStream &stream = NewStream();
    UseStream(p, stream);
    p.InitLibrary();
    p.Play();
    // The file output runs faster than real time: the track may be through at Play's first tick.
    EXPECT_TRUE(p.Playing() || ends == 1);
    EXPECT_EQ(p.TrackLen(), 4000);
    ASSERT_FALSE(reports.empty()) << "Play reports at once";
    ASSERT_TRUE(WaitFor([&] { return ends == 1; }, 10000));
    EXPECT_FALSE(p.Playing());
    EXPECT_FALSE(p.Ended()) << "cleared for OnPlayEnd";
    EXPECT_EQ(reports.back(), std::make_pair(4000, 4000)) << "the final position comes before the end";
    for (size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GE(reports[i].first, reports[i - 1].first);
        EXPECT_EQ(reports[i].second, 4000);
    }
    EXPECT_EQ(ReadWav(wav).Ms(), 4000);

    p.Play(); // played since it was opened: starts over
    ASSERT_TRUE(WaitFor([&] { return ends == 2; }, 10000));
    EXPECT_EQ(ReadWav(wav).Ms(), 4000);
    p.Close();
    EXPECT_EQ(stream.opens, 1);
    EXPECT_EQ(stream.closes, 1);
}

TEST_F(Player, OperationsInTheWrongStateAndFilesThatDoNotOpen)
{
    const std::pair<const char *, std::function<void()>> withoutLibrary[] = {
        {"DoneLibrary", [&] { p.DoneLibrary(); }},   {"Open", [&] { p.Open(); }},
        {"Play", [&] { p.Play(); }},                 {"Restart", [&] { p.Restart(); }},
        {"SetPaused", [&] { p.SetPaused(false); }},  {"Close", [&] { p.Close(); }},
        {"Seek", [&] { p.Seek(0); }},                {"GetPosition", [&] { p.GetPosition(); }},
        {"GetTrackLength", [&] { p.GetTrackLength(); }},
    };
    for (const auto &[name, op] : withoutLibrary)
        EXPECT_EQ(ErrorOf(op), "MPEG library not loaded") << name;
    EXPECT_EQ(ErrorOf([&] { p.Stop(); }), "Incorrect mode") << "Stop looks at the state first";

    p.InitLibrary();
    EXPECT_EQ(ErrorOf([&] { p.SetPaused(true); }), "Incorrect mode");
    EXPECT_EQ(ErrorOf([&] { p.SetPaused(false); }), "") << "resuming what does not play is quiet";
    EXPECT_EQ(ErrorOf([&] { p.Restart(); }), "Incorrect mode");
    EXPECT_EQ(ErrorOf([&] { p.Close(); }), "Incorrect mode") << "the library has nothing open";

    // A file that does not open keeps the length of the last one that did.
    p.SetStreamName(Mp3File(Mp3Kind::Vbr));
    p.Open();
    EXPECT_EQ(p.TrackLen(), 4000);
    p.SetStreamName(WriteScratchFile("text.mp3", "Artist - Title\r\n"));
    int code = -1;
    EXPECT_EQ(ErrorOf([&] { p.Open(); }, &code), "Input stream error");
    EXPECT_EQ(code, 3);
    EXPECT_FALSE(p.Opened());
    EXPECT_EQ(p.TrackLen(), 4000);
    p.SetStreamName("");
    EXPECT_EQ(ErrorOf([&] { p.Play(); }, &code), "Can't play non-specified stream");
    EXPECT_EQ(code, 254);

    p.SetFromStream(true); // without stream events nothing can be read
    EXPECT_EQ(ErrorOf([&] { p.Open(); }), "Input stream error");
}

// Destruction unloads the library, which stops playing before the flag its thread writes goes.
TEST_F(Player, DestroyedWhilePlaying)
{
    MemoryStream &stream = NewStream();
    stream.pace = 20000; // a few seconds of playing into a file
    {
        TMPEGPlayer doomed;
        Prepare(doomed);
        UseStream(doomed, stream);
        doomed.InitLibrary();
        doomed.Play();
        EXPECT_TRUE(doomed.Playing());
    }
    EXPECT_EQ(stream.closes, 1);
}

} // namespace
