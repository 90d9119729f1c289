#include "Decoder.h"

#include "InfoHeader.h"

#include <cstdio>

namespace {
mpg123_handle *NewHandle()
{
    int err = MPG123_OK;
    mpg123_handle *mh = mpg123_new(nullptr, &err);
    if (!mh)
        return nullptr;
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_SKIP_ID3V2 | MPG123_GAPLESS, 0);
    // A seek decodes this many frames ahead of its target: low-rate VBR frames draw on the bit
    // reservoir of several frames before them, and with fewer the first frames come out wrong.
    mpg123_param(mh, MPG123_PREFRAMES, 32, 0);
    // 16-bit output at the stream's own rate, whatever the outputs would take.
    mpg123_format_none(mh);
    const long *rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    return mh;
}
} // namespace

int64_t SamplesToMs(int64_t samples, long rate)
{
    return rate > 0 ? samples * 1000 / rate : 0;
}

int64_t MsToSamples(int64_t ms, long rate)
{
    return (ms * rate + 999) / 1000;
}

std::unique_ptr<Decoder> Decoder::Open(std::unique_ptr<Input> input, int &error)
{
    std::unique_ptr<Decoder> d(new Decoder);
    d->input_ = std::move(input);
    InfoHeader info;
    bool hasInfo = false;
    if (d->input_->Seekable()) {
        Input &in = *d->input_;
        hasInfo = ReadInfoHeader([&in](int64_t pos, void *buf, size_t n) { return in.ReadAt(pos, buf, n); }, info);
        // A file cut short would otherwise report the length of the whole.
        const int64_t size = in.Size();
        if (hasInfo && info.bytes >= 0 && size >= 0 && size - info.frameOffset < info.bytes) {
            error = MPEG_INPUT_ERROR;
            return nullptr;
        }
        if (!in.Rewind()) {
            error = MPEG_INPUT_ERROR;
            return nullptr;
        }
    }
    if (!d->Attach(error))
        return nullptr;
    if (d->Seekable() && !(hasInfo && info.frames > 0) && mpg123_scan(d->mh_) != MPG123_OK) {
        error = MPEG_INPUT_ERROR;
        return nullptr;
    }
    const off_t length = mpg123_length(d->mh_);
    d->length_ = length > 0 ? length : 0;
    if (d->Seekable() && d->length_ == 0) { // no whole frame
        error = MPEG_INPUT_ERROR;
        return nullptr;
    }
    mpg123_frameinfo2 fi;
    if (mpg123_info2(d->mh_, &fi) == MPG123_OK) {
        d->layer_ = fi.layer;
        d->bitrate_ = fi.vbr == MPG123_CBR ? fi.bitrate : 0;
    }
    if (d->bitrate_ == 0 && d->length_ > 0) {
        const int64_t bytes = hasInfo && info.bytes > 0 ? info.bytes : d->input_->Size();
        const int64_t ms = SamplesToMs(d->length_, d->rate_);
        if (bytes > 0 && ms > 0)
            d->bitrate_ = int(bytes * 8 / ms);
    }
    return d;
}

Decoder::~Decoder()
{
    if (mh_)
        mpg123_delete(mh_);
}

bool Decoder::Attach(int &error)
{
    mh_ = NewHandle();
    if (!mh_) {
        error = MPEG_INTERNAL_ERROR;
        return false;
    }
    int encoding = 0;
    if (!input_->Attach(mh_) || mpg123_getformat(mh_, &rate_, &channels_, &encoding) != MPG123_OK) {
        error = MPEG_INPUT_ERROR;
        return false;
    }
    // Later frames in another format are converted to this one: the output stays as opened.
    mpg123_format_none(mh_);
    mpg123_format(mh_, rate_, channels_, MPG123_ENC_SIGNED_16);
    // Once the stream has proved to be MPEG audio, damage of any size is skipped over; before,
    // the default limit keeps a file of something else from being searched to its end.
    mpg123_param(mh_, MPG123_RESYNC_LIMIT, -1, 0);
    return true;
}

// A non-seekable input whose restart has failed halfway has no handle left: it reads nothing.

bool Decoder::SeekTo(int64_t sample)
{
    return mh_ && mpg123_seek(mh_, off_t(sample), SEEK_SET) >= 0;
}

int64_t Decoder::Tell() const
{
    const off_t pos = mh_ ? mpg123_tell(mh_) : -1;
    return pos < 0 ? 0 : pos;
}

bool Decoder::Rewind()
{
    if (Seekable())
        return SeekTo(0);
    if (!input_->Rewind())
        return false;
    mpg123_delete(mh_);
    mh_ = nullptr;
    int error = 0;
    return Attach(error);
}

int Decoder::Read(unsigned char *buf, size_t size, size_t &done)
{
    done = 0;
    return mh_ ? mpg123_read(mh_, buf, size, &done) : MPG123_ERR;
}
