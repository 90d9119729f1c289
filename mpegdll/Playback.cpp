#include "Playback.h"

#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {
// Drivers that report a missing sound device: libout123's default list without its last
// resorts, nas (which waits seconds for a network server) and openal (which falls back to a
// silent null device and so would hide the failure).
constexpr const char *SoundDrivers = "pulse,alsa,oss,jack,portaudio";
constexpr double DeviceBufferSeconds = 0.5; // bounds the delay of pause, stop and the last drain
constexpr size_t BlockBytes = 16384;

// Windows thread priorities to nice values.
int NiceFor(int priority)
{
    switch (priority) {
    case -2: return 10;
    case -1: return 5;
    case 0: return 0;
    case 1: return -5;
    case 2: return -10;
    default: return priority < 0 ? 19 : -20;
    }
}

out123_handle *OpenOutput(const OutputTarget &target, const Decoder &decoder)
{
    out123_handle *ao = out123_new();
    if (!ao)
        return nullptr;
    out123_param_int(ao, OUT123_FLAGS, OUT123_QUIET);
    out123_param_float(ao, OUT123_DEVICEBUFFER, DeviceBufferSeconds);
    const bool wav = target.device == MPEG_DEVICE_WAVFILE;
    if (out123_open(ao, wav ? "wav" : SoundDrivers, wav ? target.fileName.c_str() : nullptr) != 0
        || out123_start(ao, decoder.Rate(), decoder.Channels(), MPG123_ENC_SIGNED_16) != 0) {
        out123_del(ao);
        return nullptr;
    }
    return ao;
}
} // namespace

std::unique_ptr<Playback> Playback::Start(Decoder &decoder, const OutputTarget &target, int priority,
                                          int64_t startSample, int64_t endSample,
                                          uint8_t *ended, int &error)
{
    out123_handle *ao = OpenOutput(target, decoder);
    if (!ao) {
        error = MPEG_OUTPUT_ERROR;
        return nullptr;
    }
    if (ended)
        __atomic_store_n(ended, uint8_t(0), __ATOMIC_RELEASE);
    std::unique_ptr<Playback> p(new Playback(decoder, ao, startSample, endSample, ended));
    p->thread_ = std::thread(&Playback::Run, p.get(), priority);
    return p;
}

Playback::Playback(Decoder &decoder, out123_handle *ao, int64_t start, int64_t end, uint8_t *ended)
    : decoder_(decoder), ao_(ao), end_(end), ended_(ended), position_(start)
{
}

Playback::~Playback()
{
    Stop();
    out123_del(ao_);
}

void Playback::SetPaused(bool paused)
{
    std::lock_guard<std::mutex> lock(mutex_);
    paused_ = paused;
    wake_.notify_all();
}

bool Playback::Paused() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return paused_;
}

int64_t Playback::Position() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return position_;
}

void Playback::SeekTo(int64_t sample)
{
    std::lock_guard<std::mutex> lock(mutex_);
    seekPending_ = true;
    seekTarget_ = sample;
    position_ = sample;
    ++generation_;
}

void Playback::SetPriority(int priority)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (tid_)
        ApplyPriority(priority);
}

void Playback::ApplyPriority(int priority)
{
    // Per-thread nice value; raising the priority may be refused to an ordinary user, and then
    // playback goes on at the priority it has.
    setpriority(PRIO_PROCESS, id_t(tid_), NiceFor(priority));
}

void Playback::Stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        wake_.notify_all();
    }
    if (thread_.joinable())
        thread_.join();
}

void Playback::Run(int priority)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tid_ = int(gettid());
        ApplyPriority(priority);
    }
    std::vector<unsigned char> block(BlockBytes);
    const int frameBytes = decoder_.FrameBytes();
    bool finished = false;
    for (;;) {
        uint64_t generation;
        int64_t position;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (paused_ && !stop_) {
                out123_pause(ao_);
                wake_.wait(lock, [this] { return !paused_ || stop_; });
                out123_continue(ao_);
            }
            if (stop_)
                break;
            if (seekPending_) {
                seekPending_ = false;
                out123_drop(ao_);
                decoder_.SeekTo(seekTarget_);
            }
            generation = generation_;
            position = position_;
        }
        size_t bytes = 0;
        const int rc = end_ >= 0 && position >= end_ ? MPG123_DONE : decoder_.Read(block.data(), block.size(), bytes);
        bytes -= bytes % frameBytes;
        if (end_ >= 0 && position + int64_t(bytes / frameBytes) > end_)
            bytes = size_t(end_ - position) * frameBytes;
        // A device that takes less than it is given has failed: playback ends there.
        if (bytes > 0 && out123_play(ao_, block.data(), bytes) < bytes) {
            finished = true;
            break;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (generation == generation_)
                position_ += int64_t(bytes / frameBytes);
        }
        // The end of the data; a stream that cannot be decoded any further ends the same way.
        if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) {
            finished = true;
            break;
        }
    }
    if (finished)
        out123_drain(ao_);
    else
        out123_drop(ao_);
    out123_close(ao_); // completes a WAV file before anyone is told
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tid_ = 0;
    }
    if (finished) {
        finished_ = true;
        if (ended_) // released after the output is closed: the caller may read a WAV file at once
            __atomic_store_n(ended_, uint8_t(1), __ATOMIC_RELEASE);
    }
}
