#pragma once
// One run of playback: a thread that decodes from the current position and hands the sound to
// libout123, until the data or the requested range is used up or it is stopped. While the thread
// runs it alone uses the decoder; the other members hand it requests under mutex_.

#include "Decoder.h"

#include <out123.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

struct OutputTarget {
    int device = MPEG_DEVICE_SOUND;
    std::string fileName; // the WAV file of MPEG_DEVICE_WAVFILE
};

class Playback {
public:
    // Opens the output and starts the thread at the decoder's position. endSample < 0 plays to
    // the end of the data. nullptr on failure, with error set to an MPEG_* code.
    static std::unique_ptr<Playback> Start(Decoder &decoder, const OutputTarget &target, int priority,
                                           int64_t startSample, int64_t endSample,
                                           uint8_t *ended, int &error);
    // Stops the thread if it still runs.
    ~Playback();
    Playback(const Playback &) = delete;
    Playback &operator=(const Playback &) = delete;

    void SetPaused(bool paused);
    bool Paused() const;
    // The data is used up (or the output failed); the thread has ended.
    bool Finished() const { return finished_; }
    // Samples handed to the output so far, counted from the start of the stream.
    int64_t Position() const;
    // Taken by the thread before its next block.
    void SeekTo(int64_t sample);
    void SetPriority(int priority);
    // Ends the thread, dropping what the output still holds.
    void Stop();

private:
    Playback(Decoder &decoder, out123_handle *ao, int64_t start, int64_t end, uint8_t *ended);
    void Run(int priority);
    void ApplyPriority(int priority);

    Decoder &decoder_;
    out123_handle *ao_;
    const int64_t end_;
    uint8_t *const ended_; // the caller's flag, stored atomically

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool paused_ = false;
    bool stop_ = false;
    bool seekPending_ = false;
    int64_t seekTarget_ = 0;
    int64_t position_;
    uint64_t generation_ = 0; // counts seeks, so a block decoded before one is not counted
    int tid_ = 0;             // the thread's id while it runs, for its priority
    std::atomic<bool> finished_{false};
    std::thread thread_;
};
