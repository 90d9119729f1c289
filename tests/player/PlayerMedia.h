#pragma once
// Media for the player tests: MP3 files encoded by lame from tones written here, damaged
// variants of them, WAV inspection and an in-memory byte stream for stream mode.

#include "support/TempDir.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <string>
#include <mutex>
#include <thread>

enum class Mp3Kind {
    Cbr,      // 4 s, 44.1 kHz stereo, 128 kbit/s, Info header
    Vbr,      // 4 s, 44.1 kHz stereo, VBR, Xing header
    CbrNoTag, // 4 s, 44.1 kHz stereo, 128 kbit/s, no header: measured by a frame scan
    Mono,     // 3 s, 22.05 kHz mono; its frames are too small for an Info header
};

struct Mp3Facts {
    int rate;
    int channels;
    int toneMs; // length of the tone that was encoded
};
Mp3Facts FactsOf(Mp3Kind kind);

// The file of that kind in a directory of this process, encoded on first use.
QString Mp3File(Mp3Kind kind);
// A fresh directory of this process for output files.
QString ScratchDir();
// A file with the given bytes in the scratch directory.
QString WriteScratchFile(const QString &name, const QByteArray &bytes);

struct WavInfo {
    bool valid = false;
    int rate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray data; // the sample bytes
    int64_t Samples() const { return channels > 0 ? data.size() / (channels * 2) : 0; }
    int64_t Ms() const { return rate > 0 ? Samples() * 1000 / rate : 0; }
};
WavInfo ReadWav(const QString &path);

// The directory of the built libraries: ZEMLO_BIN_DIR when set, else the test's own.
QString BinDir();

// Ends the test program when a test has not finished in time: a playback thread that never
// ends must fail the test, not hang the run.
class Watchdog {
public:
    explicit Watchdog(int seconds);
    ~Watchdog();

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

// Polls until cond holds or the time is up; the last result of cond.
bool WaitFor(const std::function<bool()> &cond, int timeoutMs);

// True when this machine may have a sound output, so that a test must not play to it.
bool MayHaveSoundOutput();

// The component's timer needs an application object; made once per test program.
void EnsureApp();
// Runs the event loop until cond holds or the time is up; returns cond().
bool RunUntil(const std::function<bool()> &cond, int timeoutMs);
void RunFor(int ms);
// What the text of a TMPEGError raised by op is, "" when none was raised.
std::string ErrorOf(const std::function<void()> &op, int *code = nullptr);

// Bytes served from memory, optionally slowly, with a count of each kind of call. Thread-safe:
// the library reads on its playback thread.
class MemoryStream {
public:
    explicit MemoryStream(QByteArray bytes, bool nonSeekable = false) : bytes_(std::move(bytes)), nonSeekable_(nonSeekable) {}

    // Each read then waits this long per kilobyte, so playback into a file lasts long enough to
    // be paused and stopped.
    void SetPace(int microsecondsPerKilobyte) { pace_ = microsecondsPerKilobyte; }
    void SetRestartResult(bool ok) { restartOk_ = ok; }
    void FailReadsFrom(int64_t offset) { failFrom_ = offset; }

    bool NonSeekable() const { return nonSeekable_; }
    bool Read(void *buffer, int32_t count, int32_t &read);
    int32_t Seek(int32_t offset, int32_t method); // -1 on failure
    int32_t Size() const { return int32_t(bytes_.size()); }
    bool Restart();

    std::atomic<int> opens{0}, closes{0}, restarts{0};

private:
    QByteArray bytes_;
    bool nonSeekable_;
    std::mutex mutex_;
    int64_t pos_ = 0;
    std::atomic<int> pace_{0};
    std::atomic<bool> restartOk_{true};
    std::atomic<int64_t> failFrom_{-1};
};
