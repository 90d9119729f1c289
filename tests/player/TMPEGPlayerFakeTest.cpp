// The player component over a scripted fake of the decoder library: what it passes to each entry
// point, how it turns codes into errors, and its timer rules, including what the real library
// never does (a missing entry point, a failing init, codes above the table).

#include "FakeMpegControls.h"
#include "player/TMPEGPlayer.h"

#include <algorithm>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {
class FakePlayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApp();
        p.SetPathToDLL(ShortStr::fromQString(FakeDir()));
        p.SetTimerFreq(20);
        p.OnPosUpdate = [this](int32_t pos, int32_t len) { events.push_back("pos " + std::to_string(pos) + "/" + std::to_string(len)); };
        p.OnPlayEnd = [this](QObject *sender) { events.push_back(sender == &p ? "end" : "end from elsewhere"); };
    }
    // Loaded, with a stream of the given length open.
    void OpenTrack(int32_t length = 5000)
    {
        p.InitLibrary();
        fake.length = length;
        p.SetStreamName("/music/a.mp3");
        p.Open();
        fake.Calls();
    }

    Watchdog dog{30};
    Fake fake;
    TMPEGPlayer p;
    std::vector<std::string> events;
};

// What InitLibrary makes of each way of finding and starting the library. A library that was
// refused is unloaded; one whose init failed is forgotten, and never deinit.
TEST_F(FakePlayer, LoadingRules)
{
    constexpr int32_t Starts = INT32_MIN; // init succeeds
    const std::tuple<const char *, QString, int32_t, const char *> cases[] = {
        {"directory", FakeDir(), Starts, ""},
        {"directory with separator", FakeDir() + "/", Starts, ""},
        {"missing directory, no library by the bare name", "/no/such/zemlo/dir", Starts, "Can't load MPEG library"},
        {"no directory, no library by the bare name", "", Starts, "Can't load MPEG library"},
        {"an entry point missing", FakeDir("fakempegdll-nobitrate"), Starts, "MPEG library not loaded"},
        {"init fails with a code", FakeDir(), 3, "Input stream error"},
        {"init fails without one", FakeDir(), 0, "MPEG library not loaded"},
        {"init fails with a code past the table", FakeDir(), 9, "Unknown decoder error 9"},
        {"init fails with a negative code", FakeDir(), -1, "Unknown decoder error -1"},
    };
    for (const auto &[name, path, initCode, error] : cases) {
        p.SetPathToDLL(ShortStr::fromQString(path));
        if (initCode != Starts)
            fake.FailNext("init", initCode);
        int code = -1;
        EXPECT_EQ(ErrorOf([&] { p.InitLibrary(); }, &code), error) << name;
        EXPECT_EQ(p.LibraryLoaded(), !*error) << name;
        if (!*error) {
            p.DoneLibrary();
            continue;
        }
        EXPECT_EQ(code, uint8_t(initCode == Starts ? 0 : initCode)) << name;
        EXPECT_EQ(p.LastErrorCode(), initCode == Starts ? 0 : initCode) << name;
        EXPECT_EQ(ErrorOf([&] { p.Open(); }), "MPEG library not loaded") << name;
    }
    const QByteArray nobitrate = (FakeDir("fakempegdll-nobitrate") + "/libmpegdll.so").toUtf8();
    EXPECT_EQ(dlopen(nobitrate.constData(), RTLD_NOW | RTLD_NOLOAD), nullptr);
    EXPECT_EQ(fake.Calls(), "init;deinit;init;deinit;init;init;init;init;");
}

TEST_F(FakePlayer, LibraryCodesBecomeErrors)
{
    const std::tuple<const char *, int32_t, const char *, int> cases[] = {
        {"Open", 1, "Internal decoder error", 1},     {"Open", 2, "Incorrect mode", 2},
        {"Open", 3, "Input stream error", 3},         {"Open", 4, "Input stream is non-seekable", 4},
        {"Open", 5, "Output device failure", 5},      {"Open", 6, "Unknown decoder error 6", 6},
        {"Open", 300, "Unknown decoder error 300", 300 & 0xFF},
        {"SetPriority", 7, "Unknown decoder error 7", 7}, {"SetOutputDevice", 5, "Output device failure", 5},
        {"Play", 8, "Unknown decoder error 8", 8},
    };
    p.InitLibrary();
    p.SetStreamName("/music/a.mp3");
    for (const auto &[entry, libraryCode, text, errorCode] : cases) {
        fake.FailNext(entry, libraryCode);
        int code = -1;
        EXPECT_EQ(ErrorOf([&] { p.Play(); }, &code), text) << entry << " " << libraryCode;
        EXPECT_EQ(code, errorCode) << entry << " " << libraryCode;
        EXPECT_EQ(p.LastErrorCode(), libraryCode);
        EXPECT_FALSE(p.Playing());
    }
    fake.FailNext("Play", 0);
    EXPECT_EQ(ErrorOf([&] { p.Play(); }), "MPEG library not loaded") << "a failed Play without a code";
    fake.FailNext("Open", -4);
    p.Close();
    EXPECT_EQ(ErrorOf([&] { p.Open(); }), "") << "negative codes are not errors";
}

TEST_F(FakePlayer, WhatEachOperationPassesOn)
{
    fake.length = 245000;
    p.SetStartPos(100);
    p.SetEndPos(200);
    p.SetOutputDevice(TOutputDevice::pcmfile);
    p.SetOutFilename("/tmp/o.wav");
    p.SetUseTimer(false);
    const char *const play = "SetPriority(1);SetOutputDevice(2,/tmp/o.wav);Play(100,200);";
    const std::tuple<const char *, std::function<void()>, std::string, int> steps[] = {
        {"load", [&] { p.InitLibrary(); }, "init;", 0},
        {"open", [&] { p.SetStreamName("/müsic/Ärtist – ǅ.mp3"); p.Open(); }, "Open(/müsic/Ärtist – ǅ.mp3,0,0,-);", 1},
        {"play", [&] { p.Play(); }, play, 2},
        {"play while playing", [&] { p.Play(); }, "", 2},
        {"pause", [&] { p.SetPaused(true); EXPECT_TRUE(p.Paused()); }, "Pause(0);", 2},
        {"resume", [&] { p.Play(); EXPECT_FALSE(p.Paused()); }, "Pause(1);", 2},
        {"seek", [&] { p.Seek(1234); }, "Seek(1234);", 2},
        {"stop", [&] { p.Stop(); }, "Stop;", 2},
        {"play again", [&] { p.Play(); }, "Restart;", 3},
        {"new name", [&] { p.SetStreamName("/music/b.mp3"); EXPECT_FALSE(p.Opened()); }, "Close;", 0},
        {"name while closed", [&] { p.SetStreamName("/music/c.mp3"); }, "", 0},
        {"AutoPlay starts once", [&] { p.SetAutoPlay(true); p.Play(); }, "Open(/music/c.mp3,0,0,-);" + std::string(play), 2},
        {"second load unloads the first", [&] { p.SetAutoPlay(false); p.InitLibrary(); }, "Close;deinit;init;", 0},
        {"open a stream", [&] { p.SetFromStream(true); p.Open(); }, "Open(-,1,6,ctx);", 1},
        {"unload", [&] { p.DoneLibrary(); }, "Close;deinit;", 0},
    };
    for (const auto &[name, step, calls, played] : steps) {
        step();
        EXPECT_EQ(fake.Calls(), calls) << name;
        EXPECT_EQ(p.PlayedXTimes(), played) << name;
    }
    EXPECT_EQ(p.TrackLen(), 245000);
    {
        TMPEGPlayer owned;
        owned.SetPathToDLL(ShortStr::fromQString(FakeDir()));
        owned.InitLibrary();
        owned.SetStreamName("/music/d.mp3");
        owned.Open();
    }
    EXPECT_EQ(fake.Calls(), "init;Open(/music/d.mp3,0,0,-);Close;deinit;") << "destruction unloads";
}

TEST_F(FakePlayer, PriorityAndDeviceValues)
{
    p.SetPlayerPriority(TPlayPriority::Idle); // kept while no library is loaded
    p.SetOutputDevice(TOutputDevice::wavemapper);
    p.SetUseTimer(false);
    OpenTrack();
    p.Play();
    EXPECT_EQ(fake.Calls(), "SetPriority(-15);SetOutputDevice(0,);Play(0,0);");

    const std::pair<TPlayPriority, int> priorities[] = {
        {TPlayPriority::Idle, -15},   {TPlayPriority::Lowest, -2},  {TPlayPriority::BelowNormal, -1},
        {TPlayPriority::Normal, 0},   {TPlayPriority::AboveNormal, 1}, {TPlayPriority::Highest, 2},
        {TPlayPriority::TimeCritical, 15},
    };
    for (const auto &[priority, value] : priorities) {
        p.SetPlayerPriority(priority);
        EXPECT_EQ(fake.Calls(), "SetPriority(" + std::to_string(value) + ");");
    }
    fake.FailNext("SetPriority", 1);
    EXPECT_EQ(ErrorOf([&] { p.SetPlayerPriority(TPlayPriority::Normal); }), "Internal decoder error");
}

TEST_F(FakePlayer, TimerReportsPositionThenEnd)
{
    OpenTrack(5000);
    fake.position = 1000;
    p.Play();
    ASSERT_EQ(events, std::vector<std::string>{"pos 1000/5000"}) << "Play reports at once";
    fake.position = 6000;
    EXPECT_TRUE(WaitFor([&] { return events.back() == "pos 0/5000"; }, 2000)) << "beyond the length reads as 0";
    fake.position = 5000;
    fake.End();
    ASSERT_TRUE(WaitFor([&] { return events.back() == "end"; }, 2000));
    EXPECT_EQ(events[events.size() - 2], "pos 5000/5000") << "the final position comes first";
    EXPECT_FALSE(p.Playing());
    EXPECT_FALSE(p.Ended());
    const size_t count = events.size();
    RunFor(60);
    EXPECT_EQ(events.size(), count) << "the timer is off";
}

// An end that nobody takes leaves the flag set, and the next stream does not inherit it.
TEST_F(FakePlayer, EndThatNobodyTakes)
{
    const std::tuple<const char *, std::function<void()>, bool> ways[] = {
        {"UseTimer off", [&] { p.SetUseTimer(false); }, false},
        {"TimerFreq 0", [&] { p.SetTimerFreq(0); }, false},
        {"no OnPlayEnd", [&] { p.OnPlayEnd = nullptr; }, true},
    };
    for (const auto &[name, way, timer] : ways) {
        p.SetUseTimer(true);
        p.SetTimerFreq(20);
        way();
        events.clear();
        OpenTrack();
        p.Play();
        fake.End();
        RunFor(60);
        EXPECT_TRUE(p.Ended()) << name;
        EXPECT_EQ(events.empty(), !timer) << name << ": no event without the timer";
        EXPECT_EQ(std::count(events.begin(), events.end(), "end"), 0) << name;
        EXPECT_EQ(p.Playing(), !timer) << name << ": the timer sees the end";
    }
    EXPECT_EQ(ErrorOf([&] { p.SetPaused(true); }), "Incorrect mode");
    p.SetStreamName("/music/b.mp3");
    p.Play();
    RunFor(60);
    EXPECT_TRUE(p.Playing()) << "not ended by the flag the old stream left";
}

} // namespace
