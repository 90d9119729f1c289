// The player component over a scripted fake of the decoder library: what it passes to each entry
// point, how it turns codes into errors, and its timer rules, including what the real library
// never does (a missing entry point, a failing init, codes above the table).

#include "PlayerMedia.h"
#include "player/TMPEGPlayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {
QString FakeDir(const char *name = "fakempegdll")
{
    return BinDir() + "/" + name;
}

// The fake's control functions, through a handle of the test's own on the library file that
// the component loads.
struct Fake {
    Fake()
    {
        handle = dlopen((FakeDir() + "/libmpegdll.so").toUtf8().constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            throw std::runtime_error(dlerror());
        Bind("FakeReset", Reset);
        Bind("FakeLog", Log);
        Bind("FakeClearLog", ClearLog);
        Bind("FakeSetInit", SetInit);
        Bind("FakeSetPlayResult", SetPlayResult);
        Bind("FakeSetLength", SetLength);
        Bind("FakeSetPosition", SetPosition);
        Bind("FakeFailNext", FailNext);
        Bind("FakeEnd", End);
        Reset();
    }
    ~Fake() { dlclose(handle); }
    template <typename Fn>
    void Bind(const char *name, Fn *&fn)
    {
        fn = reinterpret_cast<Fn *>(dlsym(handle, name));
        if (!fn)
            throw std::runtime_error(name);
    }
    // The calls logged since the last look.
    std::string Calls()
    {
        std::string s = Log();
        ClearLog();
        return s;
    }

    void *handle;
    void (*Reset)();
    const char *(*Log)();
    void (*ClearLog)();
    void (*SetInit)(int32_t, int32_t);
    void (*SetPlayResult)(int32_t);
    void (*SetLength)(int32_t);
    void (*SetPosition)(int32_t);
    void (*FailNext)(const char *, int32_t);
    void (*End)();
};

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
        fake.SetLength(length);
        p.SetStreamName("/music/a.mp3");
        p.Open();
        fake.ClearLog();
    }

    Watchdog dog{30};
    Fake fake;
    TMPEGPlayer p;
    std::vector<std::string> events;
};

TEST_F(FakePlayer, LoadingRules)
{
    struct Case {
        const char *name;
        QString path;
        const char *error;
    };
    const Case cases[] = {
        {"directory", FakeDir(), ""},
        {"directory with separator", FakeDir() + "/", ""},
        {"missing directory, no library by the bare name", "/no/such/zemlo/dir", "Can't load MPEG library"},
        {"no directory, no library by the bare name", "", "Can't load MPEG library"},
        {"an entry point missing", FakeDir("fakempegdll-nobitrate"), "MPEG library not loaded"},
    };
    for (const Case &c : cases) {
        p.SetPathToDLL(ShortStr::fromQString(c.path));
        int code = -1;
        EXPECT_EQ(ErrorOf([&] { p.InitLibrary(); }, &code), c.error) << c.name;
        EXPECT_EQ(p.LibraryLoaded(), !*c.error) << c.name;
        if (*c.error) {
            EXPECT_EQ(code, 0) << c.name;
        } else {
            p.DoneLibrary();
        }
    }
    const QByteArray nobitrate = (FakeDir("fakempegdll-nobitrate") + "/libmpegdll.so").toUtf8();
    EXPECT_EQ(dlopen(nobitrate.constData(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "refused library is unloaded";
    EXPECT_EQ(fake.Calls(), "init;deinit;init;deinit;");
}

TEST_F(FakePlayer, FailingInit)
{
    const std::pair<int32_t, const char *> cases[] = {
        {3, "Input stream error"},
        {0, "MPEG library not loaded"},
        {9, "Unknown decoder error 9"},
        {-1, "Unknown decoder error -1"},
    };
    for (const auto &[error, text] : cases) {
        fake.SetInit(0, error);
        EXPECT_EQ(ErrorOf([&] { p.InitLibrary(); }), text);
        EXPECT_FALSE(p.LibraryLoaded());
        EXPECT_EQ(p.LastErrorCode(), error);
        EXPECT_EQ(ErrorOf([&] { p.Open(); }), "MPEG library not loaded") << "the library is forgotten";
    }
    EXPECT_EQ(fake.Calls(), "init;init;init;init;") << "never deinit after a failed init";
}

TEST_F(FakePlayer, LibraryCodesBecomeErrors)
{
    struct Case {
        const char *entry;
        int32_t code;
        const char *text;
        int errorCode;
    };
    const Case cases[] = {
        {"Open", 1, "Internal decoder error", 1},     {"Open", 2, "Incorrect mode", 2},
        {"Open", 3, "Input stream error", 3},         {"Open", 4, "Input stream is non-seekable", 4},
        {"Open", 5, "Output device failure", 5},      {"Open", 6, "Unknown decoder error 6", 6},
        {"Open", 300, "Unknown decoder error 300", 300 & 0xFF},
        {"SetPriority", 7, "Unknown decoder error 7", 7}, {"SetOutputDevice", 5, "Output device failure", 5},
        {"Play", 8, "Unknown decoder error 8", 8},
    };
    p.InitLibrary();
    p.SetStreamName("/music/a.mp3");
    for (const Case &c : cases) {
        fake.FailNext(c.entry, c.code);
        int code = -1;
        EXPECT_EQ(ErrorOf([&] { p.Play(); }, &code), c.text) << c.entry << " " << c.code;
        EXPECT_EQ(code, c.errorCode) << c.entry << " " << c.code;
        EXPECT_EQ(p.LastErrorCode(), c.code);
        EXPECT_FALSE(p.Playing());
    }
    fake.SetPlayResult(0);
    EXPECT_EQ(ErrorOf([&] { p.Play(); }), "MPEG library not loaded") << "a failed Play without a code";
    fake.FailNext("Open", -4);
    p.Close();
    EXPECT_EQ(ErrorOf([&] { p.Open(); }), "") << "negative codes are not errors";
}

TEST_F(FakePlayer, WhatEachOperationPassesOn)
{
    p.InitLibrary();
    EXPECT_EQ(fake.Calls(), "init;");
    fake.SetLength(245000);
    p.SetStreamName("/müsic/Ärtist – ǅ.mp3");
    p.Open();
    EXPECT_EQ(fake.Calls(), "Open(/müsic/Ärtist – ǅ.mp3,0,0,-);");
    EXPECT_EQ(p.TrackLen(), 245000);
    EXPECT_EQ(p.PlayedXTimes(), 1);

    p.SetStartPos(100);
    p.SetEndPos(200);
    p.SetOutputDevice(TOutputDevice::pcmfile);
    p.SetOutFilename("/tmp/o.wav");
    p.SetUseTimer(false);
    const std::pair<std::function<void()>, const char *> steps[] = {
        {[&] { p.Play(); }, "SetPriority(1);SetOutputDevice(2,/tmp/o.wav);Play(100,200);"},
        {[&] { p.Play(); }, ""},
        {[&] { p.SetPaused(true); }, "Pause(0);"},
        {[&] { p.Play(); }, "Pause(1);"},
        {[&] { p.Seek(1234); }, "Seek(1234);"},
        {[&] { p.Stop(); }, "Stop;"},
        {[&] { p.Play(); }, "Restart;"},
        {[&] { p.Close(); }, "Close;"},
    };
    for (const auto &[step, calls] : steps) {
        step();
        EXPECT_EQ(fake.Calls(), calls);
    }
    EXPECT_EQ(p.PlayedXTimes(), 0);

    p.SetFromStream(true);
    p.Open();
    EXPECT_EQ(fake.Calls(), "Open(-,1,6,ctx);");
}

TEST_F(FakePlayer, PriorityAndDeviceValues)
{
    const std::pair<TPlayPriority, int> priorities[] = {
        {TPlayPriority::Idle, -15},   {TPlayPriority::Lowest, -2},  {TPlayPriority::BelowNormal, -1},
        {TPlayPriority::Normal, 0},   {TPlayPriority::AboveNormal, 1}, {TPlayPriority::Highest, 2},
        {TPlayPriority::TimeCritical, 15},
    };
    p.SetPlayerPriority(TPlayPriority::Idle);
    EXPECT_EQ(p.PlayerPriority(), TPlayPriority::Idle) << "kept while no library is loaded";
    OpenTrack();
    for (const auto &[priority, value] : priorities) {
        p.SetPlayerPriority(priority);
        EXPECT_EQ(fake.Calls(), "SetPriority(" + std::to_string(value) + ");");
        EXPECT_EQ(p.PlayerPriority(), priority);
    }
    fake.FailNext("SetPriority", 1);
    EXPECT_EQ(ErrorOf([&] { p.SetPlayerPriority(TPlayPriority::Normal); }), "Internal decoder error");
    EXPECT_EQ(fake.Calls(), "SetPriority(0);");

    p.SetOutputDevice(TOutputDevice::wavemapper);
    EXPECT_EQ(p.OutputDevice(), TOutputDevice::wavemapper);
    p.SetUseTimer(false);
    p.Play();
    EXPECT_EQ(fake.Calls(), "SetPriority(0);SetOutputDevice(0,);Play(0,0);");
}

TEST_F(FakePlayer, TimerReportsPositionThenEnd)
{
    OpenTrack(5000);
    fake.SetPosition(1000);
    p.Play();
    EXPECT_EQ(events, std::vector<std::string>{"pos 1000/5000"}) << "Play reports at once";
    fake.SetPosition(6000);
    EXPECT_TRUE(RunUntil([&] { return events.back() == "pos 0/5000"; }, 2000)) << "beyond the length reads as 0";
    fake.SetPosition(5000);
    fake.End();
    ASSERT_TRUE(RunUntil([&] { return events.back() == "end"; }, 2000));
    EXPECT_EQ(events[events.size() - 2], "pos 5000/5000") << "the final position comes first";
    EXPECT_FALSE(p.Playing());
    EXPECT_FALSE(p.Ended());
    const size_t count = events.size();
    RunFor(60);
    EXPECT_EQ(events.size(), count) << "the timer is off";
}

TEST_F(FakePlayer, EndWithoutOnPlayEnd)
{
    p.OnPlayEnd = nullptr;
    OpenTrack();
    p.Play();
    fake.End();
    EXPECT_TRUE(RunUntil([&] { return !p.Playing(); }, 2000));
    EXPECT_TRUE(p.Ended()) << "nobody took the end";
    EXPECT_EQ(ErrorOf([&] { p.SetPaused(true); }), "Incorrect mode");

    // A new stream is not ended by the flag the old one left.
    p.SetStreamName("/music/b.mp3");
    p.Play();
    RunFor(60);
    EXPECT_TRUE(p.Playing());
}

TEST_F(FakePlayer, AutoPlayStartsOnce)
{
    p.SetAutoPlay(true);
    p.SetUseTimer(false);
    p.InitLibrary();
    p.SetStreamName("/music/a.mp3");
    p.Play();
    EXPECT_EQ(fake.Calls(), "init;Open(/music/a.mp3,0,0,-);SetPriority(1);SetOutputDevice(0,);Play(0,0);");
    EXPECT_EQ(p.PlayedXTimes(), 2);
    EXPECT_TRUE(p.Playing());
}

TEST_F(FakePlayer, StreamNameTimerFreqAndUnloading)
{
    OpenTrack();
    p.SetStreamName("/music/b.mp3");
    EXPECT_EQ(fake.Calls(), "Close;");
    EXPECT_FALSE(p.Opened());
    p.SetStreamName("/music/c.mp3");
    EXPECT_EQ(fake.Calls(), "") << "nothing open, nothing closed";

    p.SetTimerFreq(0);
    EXPECT_FALSE(p.UseTimer());

    p.Open();
    p.InitLibrary(); // a second load unloads the first
    EXPECT_EQ(fake.Calls(), "Open(/music/c.mp3,0,0,-);Close;deinit;init;");
    p.Open();
    p.DoneLibrary();
    EXPECT_EQ(fake.Calls(), "Open(/music/c.mp3,0,0,-);Close;deinit;");
    EXPECT_EQ(ErrorOf([&] { p.DoneLibrary(); }), "MPEG library not loaded");
    {
        TMPEGPlayer owned;
        owned.SetPathToDLL(ShortStr::fromQString(FakeDir()));
        owned.InitLibrary();
        owned.SetStreamName("/music/d.mp3");
        owned.Open();
    }
    EXPECT_EQ(fake.Calls(), "init;Open(/music/d.mp3,0,0,-);Close;deinit;") << "destruction unloads";
}

} // namespace
