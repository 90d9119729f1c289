#pragma once
// Media for the player tests: MP3 files encoded by lame from tones written here, WAV inspection,
// an in-memory byte stream for stream mode, and waiting on the playback thread.

#include "support/TempDir.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <unistd.h>

enum class Mp3Kind {
    Cbr,      // 4 s, 44.1 kHz stereo, 128 kbit/s, Info header
    Vbr,      // 4 s, 44.1 kHz stereo, VBR, Xing header
    CbrNoTag, // 4 s, 44.1 kHz stereo, 128 kbit/s, no header: measured by a frame scan
    Mono,     // 3 s, 22.05 kHz mono; its frames are too small for an Info header
};

// The file of that kind in a directory of this process, encoded on first use.
QString Mp3File(Mp3Kind kind);
QByteArray Mp3Bytes(Mp3Kind kind);
// A tone of exactly that many seconds, 16 kHz mono, at 64 kbit/s or VBR, with the encoder's
// header that gives the exact length; encoded on first use.
QString Mp3OfLength(int seconds, bool vbr);
// A fresh directory of this process for output files.
QString ScratchDir();
// A file with the given bytes in a fresh scratch directory.
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
// ends must fail the run, not hang it.
struct Watchdog {
    explicit Watchdog(unsigned seconds)
    {
        signal(SIGALRM, [](int) {
            static const char message[] = "test did not finish in time\n";
            [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
            _exit(1);
        });
        alarm(seconds);
    }
    ~Watchdog() { alarm(0); }
};

// True when this machine may have a sound output, so that a test must not play to it.
bool MayHaveSoundOutput();

// The component's timer needs an application object; made once per test program.
void EnsureApp();
// Polls until cond holds or the time is up, running this thread's events; returns cond().
bool WaitFor(const std::function<bool()> &cond, int timeoutMs);
void RunFor(int ms);
// What the text of a TMPEGError raised by op is, "" when none was raised.
std::string ErrorOf(const std::function<void()> &op, int *code = nullptr);

// Bytes served from memory, optionally slowly, with a count of each kind of call. Thread-safe:
// the library reads on its playback thread.
class MemoryStream {
public:
    explicit MemoryStream(QByteArray bytes, bool noSeeking = false) : nonSeekable(noSeeking), bytes_(std::move(bytes)) {}

    bool Read(void *buffer, int32_t count, int32_t &read);
    int32_t Seek(int32_t offset, int32_t method); // -1 on failure
    int32_t Size() const { return int32_t(bytes_.size()); }
    bool Restart();

    const bool nonSeekable;
    // Each read then waits this long per kilobyte, so that playback into a file lasts long
    // enough to be paused and stopped.
    std::atomic<int> pace{0};
    std::atomic<bool> restartOk{true}, readsFail{false};
    std::atomic<int> opens{0}, closes{0}, restarts{0};
    // For callbacks that hand out a context of their own and check what comes back.
    char context = 0;
    std::atomic<int> wrongArguments{0};

private:
    QByteArray bytes_;
    std::mutex mutex_;
    int64_t pos_ = 0;
};
