// The player component over the real decoder library, with its position timer on the event loop.

#include "PlayerMedia.h"
#include "player/TMPEGPlayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {
// Stream events over a MemoryStream.
void UseStream(TMPEGPlayer &p, MemoryStream &s)
{
    p.SetFromStream(true);
    p.OnOpenStream = [&s](bool &nonSeekable, void *&context) { ++s.opens; nonSeekable = s.NonSeekable(); context = &s; };
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
        p.SetPathToDLL(ShortStr::fromQString(BinDir()));
        p.SetTimerFreq(20);
        p.SetOutputDevice(TOutputDevice::pcmfile);
        p.SetOutFilename(ShortStr::fromQString(wav));
        p.OnPosUpdate = [this](int32_t pos, int32_t len) { reports.push_back({pos, len}); };
        p.OnPlayEnd = [this](QObject *sender) {
            EXPECT_EQ(sender, &p);
            ++ends;
        };
    }

    // Streams outlive the player, which closes its stream when it is destroyed.
    MemoryStream &NewStream(QByteArray bytes)
    {
        streams.push_back(std::make_unique<MemoryStream>(std::move(bytes)));
        return *streams.back();
    }

    Watchdog dog{40};
    std::vector<std::unique_ptr<MemoryStream>> streams;
    TMPEGPlayer p;
    QString wav = ScratchDir() + "/out.wav";
    std::vector<std::pair<int, int>> reports;
    int ends = 0;
};

TEST_F(Player, LoadsFromPathToDLLOrByBareName)
{
    const std::pair<const char *, QString> paths[] = {
        {"directory", BinDir()},
        {"directory with separator", BinDir() + "/"},
        {"missing directory: bare name", "/no/such/zemlo/dir"},
        {"no directory: bare name", ""},
    };
    for (const auto &[name, path] : paths) {
        p.SetPathToDLL(ShortStr::fromQString(path));
        EXPECT_EQ(ErrorOf([&] { p.InitLibrary(); }), "") << name;
        EXPECT_TRUE(p.LibraryLoaded()) << name;
        EXPECT_EQ(p.TrackLen(), 0);
        p.DoneLibrary();
        EXPECT_FALSE(p.LibraryLoaded()) << name;
    }
}

TEST_F(Player, PlaysToTheEndReportingOnTheEventLoop)
{
    p.InitLibrary();
    p.SetStreamName(ShortStr::fromQString(Mp3File(Mp3Kind::Cbr)));
    p.Play();
    EXPECT_TRUE(p.Playing());
    EXPECT_EQ(p.PlayedXTimes(), 2);
    EXPECT_EQ(p.TrackLen(), 4000);
    ASSERT_FALSE(reports.empty()) << "Play reports at once";
    ASSERT_TRUE(RunUntil([&] { return ends == 1; }, 10000));
    EXPECT_FALSE(p.Playing());
    EXPECT_FALSE(p.Ended()) << "cleared for OnPlayEnd";
    EXPECT_EQ(reports.back(), std::make_pair(4000, 4000)) << "the final position comes before the end";
    for (size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GE(reports[i].first, reports[i - 1].first);
        EXPECT_EQ(reports[i].second, 4000);
    }
    EXPECT_EQ(ReadWav(wav).Ms(), 4000);

    const size_t count = reports.size();
    RunUntil([] { return false; }, 100);
    EXPECT_EQ(reports.size(), count) << "the timer has stopped";

    p.Play(); // played since it was opened: starts over
    EXPECT_EQ(p.PlayedXTimes(), 3);
    ASSERT_TRUE(RunUntil([&] { return ends == 2; }, 10000));
    EXPECT_EQ(ReadWav(wav).Ms(), 4000);
}

TEST_F(Player, MeasuresTracksAndRefusesBadFiles)
{
    p.InitLibrary();
    const std::pair<Mp3Kind, int> good[] = {{Mp3Kind::Cbr, 4000}, {Mp3Kind::Vbr, 4000}};
    for (const auto &[kind, length] : good) {
        p.SetStreamName(ShortStr::fromQString(Mp3File(kind)));
        p.Open();
        EXPECT_TRUE(p.Opened());
        EXPECT_EQ(p.PlayedXTimes(), 1);
        EXPECT_EQ(p.TrackLen(), length);
    }
    const QByteArray cbr = ReadFileBytes(Mp3File(Mp3Kind::Cbr));
    const QString bad[] = {WriteScratchFile("empty.mp3", ""), WriteScratchFile("text.mp3", "hello"),
                           WriteScratchFile("cut.mp3", cbr.left(cbr.size() / 3)), ScratchDir() + "/none.mp3"};
    for (const QString &path : bad) {
        p.SetStreamName(ShortStr::fromQString(path));
        EXPECT_FALSE(p.Opened()) << "setting the name closes";
        int code = -1;
        EXPECT_EQ(ErrorOf([&] { p.Open(); }, &code), "Input stream error") << path.toStdString();
        EXPECT_EQ(code, 3);
        EXPECT_FALSE(p.Opened());
        EXPECT_EQ(p.TrackLen(), 4000) << "kept from the last file that opened";
    }
    p.SetStreamName("");
    int code = -1;
    EXPECT_EQ(ErrorOf([&] { p.Play(); }, &code), "Can't play non-specified stream");
    EXPECT_EQ(code, 254);
}

TEST_F(Player, PauseResumeStopAndPlayAgain)
{
    MemoryStream &stream = NewStream(ReadFileBytes(Mp3File(Mp3Kind::Cbr)));
    UseStream(p, stream);
    p.InitLibrary();
    p.Open();
    EXPECT_EQ(p.TrackLen(), 4000);
    stream.SetPace(20000);
    p.Play();
    ASSERT_TRUE(RunUntil([&] { return !reports.empty() && reports.back().first > 0; }, 5000));

    p.SetPaused(true);
    EXPECT_TRUE(p.Paused());
    RunUntil([] { return false; }, 150);
    const int held = p.GetPosition();
    RunUntil([] { return false; }, 250);
    EXPECT_EQ(p.GetPosition(), held);
    p.Play(); // resumes
    EXPECT_FALSE(p.Paused());
    EXPECT_EQ(p.PlayedXTimes(), 2);

    p.Seek(3000);
    EXPECT_GE(p.GetPosition(), 3000);
    p.Stop();
    EXPECT_FALSE(p.Playing());
    EXPECT_EQ(ErrorOf([&] { p.Stop(); }), "Incorrect mode");
    EXPECT_EQ(ends, 0);

    stream.SetPace(0);
    p.Play();
    EXPECT_EQ(p.PlayedXTimes(), 3);
    ASSERT_TRUE(RunUntil([&] { return ends == 1; }, 10000));
    EXPECT_EQ(ReadWav(wav).Ms(), 4000) << "played from the start again";
    p.Close();
    EXPECT_EQ(stream.opens, 1);
    EXPECT_EQ(stream.closes, 1);
}

TEST_F(Player, OperationsInTheWrongState)
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
    EXPECT_FALSE(p.Paused());
    EXPECT_EQ(ErrorOf([&] { p.Stop(); }), "Incorrect mode");
    EXPECT_EQ(ErrorOf([&] { p.Restart(); }), "Incorrect mode");
    EXPECT_EQ(ErrorOf([&] { p.Close(); }), "Incorrect mode") << "the library has nothing open";

    p.SetFromStream(true); // without stream events nothing can be read
    EXPECT_EQ(ErrorOf([&] { p.Open(); }), "Input stream error");
}

TEST_F(Player, SoundOutputWithoutSoundCard)
{
    if (MayHaveSoundOutput())
        GTEST_SKIP() << "this machine may have a sound output; the test must not play to it";
    p.SetOutputDevice(TOutputDevice::wavemapper);
    p.InitLibrary();
    p.SetStreamName(ShortStr::fromQString(Mp3File(Mp3Kind::Cbr)));
    int code = -1;
    EXPECT_EQ(ErrorOf([&] { p.Play(); }, &code), "Output device failure");
    EXPECT_EQ(code, 5);
    EXPECT_FALSE(p.Playing());
}

TEST_F(Player, WithoutTimerNoEventFires)
{
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"UseTimer off", [&] { p.SetUseTimer(false); }},
        {"TimerFreq 0", [&] { p.SetTimerFreq(0); }},
    };
    for (const auto &[name, turnOff] : ways) {
        turnOff();
        p.InitLibrary();
        p.SetStreamName(ShortStr::fromQString(Mp3File(Mp3Kind::Mono)));
        p.Play();
        ASSERT_TRUE(RunUntil([&] { return p.Ended(); }, 10000)) << name;
        RunUntil([] { return false; }, 100);
        EXPECT_TRUE(reports.empty()) << name;
        EXPECT_EQ(ends, 0) << name;
        p.DoneLibrary();
        p.SetUseTimer(true);
        p.SetTimerFreq(20);
    }
}

TEST_F(Player, UnloadingWhilePlayingEndsPlayback)
{
    MemoryStream &stream = NewStream(ReadFileBytes(Mp3File(Mp3Kind::Cbr)));
    stream.SetPace(20000);
    {
        TMPEGPlayer doomed;
        UseStream(doomed, stream);
        doomed.SetPathToDLL(ShortStr::fromQString(BinDir()));
        doomed.SetOutputDevice(TOutputDevice::pcmfile);
        doomed.SetOutFilename(ShortStr::fromQString(ScratchDir() + "/doomed.wav"));
        doomed.InitLibrary();
        doomed.Play();
        EXPECT_TRUE(doomed.Playing());
    } // destroyed while playing: the library stops before the flag goes
    EXPECT_EQ(stream.closes, 1);

    UseStream(p, stream);
    p.InitLibrary();
    p.Play();
    p.DoneLibrary();
    EXPECT_FALSE(p.LibraryLoaded());
    EXPECT_FALSE(p.Opened());
    EXPECT_EQ(stream.closes, 2);
}

} // namespace
