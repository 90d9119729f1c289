// The exported entry points: the state of the one stream, the checks of each call and the code
// that LastError reports. Calls are serialised; the playback thread shares only the Playback.
//
// No entry point touches the decoder handle while playback runs: the playback thread reads and
// seeks it without a lock. An entry point that needs the handle (Play, Restart, Close, deinit,
// through StartPlayback, Decoder::Rewind and CloseStream) calls EndPlayback first, which joins
// the thread; the others use only what Decoder::Open measured (Rate, Length, Layer, Bitrate,
// Seekable) or hand the Playback a request that its thread takes between blocks.

#include "mpegdll.h"

#include "Decoder.h"
#include "Playback.h"

#include <algorithm>
#include <mutex>
#include <type_traits>

#define MPEGDLL_CHECK_TYPE(name) static_assert(std::is_same_v<decltype(name), mpeg_##name##_fn>, #name)
MPEGDLL_CHECK_TYPE(init);
MPEGDLL_CHECK_TYPE(deinit);
MPEGDLL_CHECK_TYPE(Open);
MPEGDLL_CHECK_TYPE(Pause);
MPEGDLL_CHECK_TYPE(Restart);
MPEGDLL_CHECK_TYPE(Stop);
MPEGDLL_CHECK_TYPE(SetPriority);
MPEGDLL_CHECK_TYPE(SetOutputDevice);
MPEGDLL_CHECK_TYPE(Play);
MPEGDLL_CHECK_TYPE(Close);
MPEGDLL_CHECK_TYPE(GetFrequency);
MPEGDLL_CHECK_TYPE(GetBitrate);
MPEGDLL_CHECK_TYPE(GetLayer);
MPEGDLL_CHECK_TYPE(GetPlayerMode);
MPEGDLL_CHECK_TYPE(GetCurrentPos);
MPEGDLL_CHECK_TYPE(GetLength);
MPEGDLL_CHECK_TYPE(ResetPlayerMode);
MPEGDLL_CHECK_TYPE(Seek);
MPEGDLL_CHECK_TYPE(LastError);

namespace {
struct State {
    std::mutex call;
    int lastError = MPEG_OK;
    bool initialised = false;
    OutputTarget output;
    int priority = 0;
    std::unique_ptr<Decoder> decoder;
    std::unique_ptr<Playback> playback;
    int64_t position = 0; // while there is no playback
    // The arguments of the latest Play, for Restart.
    bool played = false;
    int32_t startPos = 0;
    int32_t endPos = 0;
    uint8_t *ended = nullptr;
};

State &S()
{
    static State state;
    return state;
}

// Holds the call lock and records the call's outcome for LastError.
class Call {
public:
    Call() : lock_(S().call) { S().lastError = MPEG_OK; }
    void Fail(int code) { S().lastError = code; }
    // Fails with "Incorrect mode" unless init has been called (and a stream is open).
    bool Require(bool open)
    {
        if (!S().initialised || (open && !S().decoder)) {
            Fail(MPEG_INCORRECT_MODE);
            return false;
        }
        return true;
    }

private:
    std::lock_guard<std::mutex> lock_;
};

int32_t Clamp32(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Ends the playback, if any, keeping its position. After it the decoder handle is free to use.
void EndPlayback()
{
    State &s = S();
    if (!s.playback)
        return;
    s.playback->Stop();
    s.position = s.playback->Position();
    s.playback.reset();
}

void CloseStream()
{
    State &s = S();
    EndPlayback();
    s.decoder.reset();
    s.position = 0;
    s.played = false;
    s.ended = nullptr;
}

// Starts playback with the arguments of the latest Play; false with the call failed.
bool StartPlayback(Call &call)
{
    State &s = S();
    Decoder &d = *s.decoder;
    int64_t start = s.startPos > 0 ? MsToSamples(s.startPos, d.Rate()) : s.position;
    if (d.Seekable()) {
        start = std::min(start, d.Length());
        if (!d.SeekTo(start)) {
            call.Fail(MPEG_INPUT_ERROR);
            return false;
        }
    } else if (start != d.Tell()) {
        call.Fail(MPEG_NON_SEEKABLE);
        return false;
    }
    const int64_t end = s.endPos > 0 ? MsToSamples(s.endPos, d.Rate()) : -1;
    int error = MPEG_OK;
    s.playback = Playback::Start(d, s.output, s.priority, start, end, s.ended, error);
    if (!s.playback) {
        call.Fail(error);
        return false;
    }
    return true;
}
} // namespace

extern "C" {

int32_t init(void)
{
    Call call;
    State &s = S();
    if (!s.initialised) {
        if (mpg123_init() != MPG123_OK) {
            call.Fail(MPEG_INTERNAL_ERROR);
            return 0;
        }
        s.initialised = true;
        s.output = OutputTarget();
        s.priority = 0;
    }
    return 1;
}

void deinit(void)
{
    Call call;
    if (!call.Require(false))
        return;
    CloseStream();
    S().initialised = false;
}

void Open(const char *fileName, int32_t stream, mpeg_open_cb openCb, mpeg_close_cb closeCb,
          mpeg_restart_cb restartCb, mpeg_read_cb readCb, mpeg_seek_cb seekCb,
          mpeg_getsize_cb getSizeCb, void *context)
{
    Call call;
    State &s = S();
    if (!call.Require(false))
        return;
    if (s.decoder) {
        call.Fail(MPEG_INCORRECT_MODE);
        return;
    }
    std::unique_ptr<Input> input = stream
        ? OpenStreamInput({openCb, closeCb, restartCb, readCb, seekCb, getSizeCb, context})
        : OpenFileInput(fileName);
    if (!input) {
        call.Fail(MPEG_INPUT_ERROR);
        return;
    }
    int error = MPEG_OK;
    s.decoder = Decoder::Open(std::move(input), error);
    if (!s.decoder)
        call.Fail(error);
    s.position = 0;
}

void Pause(int32_t resume)
{
    Call call;
    State &s = S();
    if (!call.Require(true))
        return;
    if (!s.playback || s.playback->Finished()) {
        call.Fail(MPEG_INCORRECT_MODE);
        return;
    }
    s.playback->SetPaused(resume == 0);
}

void Restart(void)
{
    Call call;
    State &s = S();
    if (!call.Require(true))
        return;
    if (!s.played) {
        call.Fail(MPEG_INCORRECT_MODE);
        return;
    }
    EndPlayback();
    if (!s.decoder->Rewind()) {
        call.Fail(s.decoder->Seekable() ? MPEG_INPUT_ERROR : MPEG_NON_SEEKABLE);
        return;
    }
    s.position = 0;
    StartPlayback(call);
}

void Stop(void)
{
    Call call;
    if (!call.Require(true))
        return;
    if (!S().playback) {
        call.Fail(MPEG_INCORRECT_MODE);
        return;
    }
    EndPlayback();
}

void SetPriority(int32_t priority)
{
    Call call;
    State &s = S();
    if (!call.Require(false))
        return;
    s.priority = priority;
    if (s.playback)
        s.playback->SetPriority(priority);
}

void SetOutputDevice(int32_t device, const char *outFileName)
{
    Call call;
    State &s = S();
    if (!call.Require(false))
        return;
    const bool wav = device == MPEG_DEVICE_WAVFILE;
    if ((device != MPEG_DEVICE_SOUND && !wav) || (wav && (!outFileName || !*outFileName))) {
        call.Fail(MPEG_OUTPUT_ERROR);
        return;
    }
    s.output.device = device;
    s.output.fileName = wav ? outFileName : "";
}

int32_t Play(int32_t startPos, int32_t endPos, uint8_t *ended)
{
    Call call;
    State &s = S();
    if (!call.Require(true))
        return 0;
    if (s.playback && !s.playback->Finished()) {
        call.Fail(MPEG_INCORRECT_MODE);
        return 0;
    }
    EndPlayback();
    s.played = true;
    s.startPos = startPos;
    s.endPos = endPos;
    s.ended = ended;
    return StartPlayback(call) ? 1 : 0;
}

void Close(void)
{
    Call call;
    if (!call.Require(true))
        return;
    CloseStream();
}

int32_t GetFrequency(void)
{
    Call call;
    return call.Require(true) ? int32_t(S().decoder->Rate()) : 0;
}

int32_t GetBitrate(void)
{
    Call call;
    return call.Require(true) ? S().decoder->Bitrate() : 0;
}

int32_t GetLayer(void)
{
    Call call;
    return call.Require(true) ? S().decoder->Layer() : 0;
}

int32_t GetPlayerMode(void)
{
    Call call;
    State &s = S();
    if (!call.Require(false) || !s.decoder)
        return MPEG_MODE_CLOSED;
    if (!s.playback)
        return MPEG_MODE_STOPPED;
    if (s.playback->Finished())
        return MPEG_MODE_ENDED;
    return s.playback->Paused() ? MPEG_MODE_PAUSED : MPEG_MODE_PLAYING;
}

int32_t GetCurrentPos(void)
{
    Call call;
    State &s = S();
    if (!call.Require(true))
        return 0;
    const int64_t pos = s.playback ? s.playback->Position() : s.position;
    return Clamp32(SamplesToMs(pos, s.decoder->Rate()));
}

int32_t GetLength(void)
{
    Call call;
    State &s = S();
    if (!call.Require(true))
        return 0;
    return Clamp32(SamplesToMs(s.decoder->Length(), s.decoder->Rate()));
}

void ResetPlayerMode(void)
{
    Call call;
    State &s = S();
    if (!call.Require(true))
        return;
    if (s.playback && s.playback->Finished())
        EndPlayback();
}

void Seek(int32_t milliseconds)
{
    Call call;
    State &s = S();
    if (!call.Require(true))
        return;
    if (!s.decoder->Seekable()) {
        call.Fail(MPEG_NON_SEEKABLE);
        return;
    }
    const int64_t target = std::clamp<int64_t>(MsToSamples(milliseconds, s.decoder->Rate()), 0, s.decoder->Length());
    if (s.playback && s.playback->Finished())
        EndPlayback();
    if (s.playback)
        s.playback->SeekTo(target);
    else
        s.position = target;
}

int32_t LastError(void)
{
    std::lock_guard<std::mutex> lock(S().call);
    return S().lastError;
}

} // extern "C"
