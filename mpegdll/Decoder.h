#pragma once
// One open MPEG audio stream: its decoder handle, format and exact length. Positions count
// samples per channel.

#include "Input.h"

#include <mpg123.h>

#include <cstdint>
#include <memory>

class Decoder {
public:
    // nullptr on failure, with error set to an MPEG_* code.
    static std::unique_ptr<Decoder> Open(std::unique_ptr<Input> input, int &error);
    ~Decoder();
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    long Rate() const { return rate_; }
    int Channels() const { return channels_; }
    int FrameBytes() const { return channels_ * 2; } // signed 16-bit samples
    int64_t Length() const { return length_; }
    int Layer() const { return layer_; }
    int Bitrate() const { return bitrate_; }
    bool Seekable() const { return input_->Seekable(); }

    // Sample-exact on seekable inputs.
    bool SeekTo(int64_t sample);
    int64_t Tell() const;
    // To the first sample; a non-seekable input is asked to start over.
    bool Rewind();
    // mpg123_read: MPG123_OK, MPG123_DONE, or an error code.
    int Read(unsigned char *buf, size_t size, size_t &done);

private:
    Decoder() = default;
    bool Attach(int &error);

    std::unique_ptr<Input> input_;
    mpg123_handle *mh_ = nullptr;
    long rate_ = 0;
    int channels_ = 0;
    int64_t length_ = 0;
    int layer_ = 0;
    int bitrate_ = 0;
};

int64_t SamplesToMs(int64_t samples, long rate);
// Rounded up, so that SamplesToMs gives back the same milliseconds.
int64_t MsToSamples(int64_t ms, long rate);
