#include "player/TMPEGPlayer.h"

#include "app/HandlerGuard.h"
#include "util/ShortStrings.h"

#include <QTimer>
#include <dlfcn.h>
#include <exception>
#include <string>

namespace {
// The Windows thread priorities that the library takes.
struct PriorityPair {
    TPlayPriority priority;
    int32_t value;
};
constexpr PriorityPair Priorities[] = {
    {TPlayPriority::Idle, -15},       {TPlayPriority::Lowest, -2},  {TPlayPriority::BelowNormal, -1},
    {TPlayPriority::Normal, 0},       {TPlayPriority::AboveNormal, 1}, {TPlayPriority::Highest, 2},
    {TPlayPriority::TimeCritical, 15},
};
constexpr int32_t WavemapperValue = 0;
constexpr int32_t PcmfileValue = 2;
} // namespace

TMPEGPlayer::TMPEGPlayer(QObject *owner) : QObject(owner)
{
}

TMPEGPlayer::~TMPEGPlayer()
{
    if (!LibHandle_)
        return;
    try {
        DoneLibrary();
    } catch (const TMPEGError &) {
        // Nothing is left to report to at destruction.
    }
}

TPlayPriority TMPEGPlayer::PlayerPriority() const
{
    for (const auto &p : Priorities)
        if (p.value == PriorityValue_)
            return p.priority;
    return TPlayPriority::Normal;
}

void TMPEGPlayer::SetPlayerPriority(TPlayPriority value)
{
    for (const auto &p : Priorities)
        if (p.priority == value)
            PriorityValue_ = p.value;
    if (LibHandle_) {
        lib_.SetPriority(PriorityValue_);
        CheckError();
    }
}

void TMPEGPlayer::SetTimerFreq(int value)
{
    TimerFreq_ = value;
    if (value == 0)
        UseTimer_ = false;
}

void TMPEGPlayer::SetStreamName(const QString &value)
{
    StreamName_ = value;
    if (Opened_)
        Close();
}

TOutputDevice TMPEGPlayer::OutputDevice() const
{
    return DeviceValue_ == WavemapperValue ? TOutputDevice::wavemapper : TOutputDevice::pcmfile;
}

void TMPEGPlayer::SetOutputDevice(TOutputDevice value)
{
    DeviceValue_ = value == TOutputDevice::wavemapper ? WavemapperValue : PcmfileValue;
}

void TMPEGPlayer::RequireLibrary() const
{
    if (!LibHandle_)
        throw TMPEGError::FromCode(0);
}

void TMPEGPlayer::CheckError()
{
    LastErrorCode_ = lib_.LastError();
    if (LastErrorCode_ > 0)
        throw TMPEGError::FromCode(LastErrorCode_);
}

void TMPEGPlayer::InitLibrary()
{
    if (LibHandle_)
        DoneLibrary(); // a second load would leave the first one's stream and handle behind
    // Built as std::string: a directory near the short-string limit must not cut the name.
    const std::string dir = PathToDLL_.empty() ? std::string() : EnsureTrailingBackslash(PathToDLL_).toUtf8();
    void *handle = dlopen((dir + MPEGLibraryName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle && !PathToDLL_.empty())
        handle = dlopen(MPEGLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw TMPEGError(0, CantLoadLibraryText);
    MPEGEntryPoints entries;
    if (!BindEntryPoints(handle, entries)) {
        dlclose(handle);
        throw TMPEGError::FromCode(0);
    }
    if (!entries.init()) {
        // The library stays loaded, only forgotten: it may have started something at init.
        LastErrorCode_ = entries.LastError();
        throw TMPEGError::FromCode(LastErrorCode_);
    }
    LibHandle_ = handle;
    lib_ = entries;
    delete timer_;
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { onTimer(); });
    timer_->setInterval(UseTimer_ ? TimerFreq_ : 0);
    TrackLen_ = 0;
}

void TMPEGPlayer::DoneLibrary()
{
    RequireLibrary();
    if (Opened_)
        Close();
    lib_.deinit();
    dlclose(LibHandle_);
    LibHandle_ = nullptr;
    lib_ = MPEGEntryPoints();
}

void TMPEGPlayer::Open()
{
    RequireLibrary();
    if (Opened_)
        Close();
    Opened_ = false;
    if (FromStream_) {
        lib_.Open(nullptr, 1, &OpenStreamCb, &CloseStreamCb, &RestartStreamCb, &ReadStreamCb, &SeekStreamCb,
                  &GetStreamSizeCb, this);
    } else {
        if (StreamName_.isEmpty())
            throw TMPEGError(NonSpecifiedStreamCode, NonSpecifiedStreamText);
        const QByteArray name = StreamName_.toUtf8();
        lib_.Open(name.constData(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    CheckError();
    Opened_ = true;
    PlayedXTimes_ = 1;
    TrackLen_ = GetTrackLength();
    if (AutoPlay_)
        Play();
}

void TMPEGPlayer::Play()
{
    RequireLibrary();
    if (Paused_) {
        SetPaused(false);
        return;
    }
    if (Playing_)
        return;
    if (!Opened_) {
        Open();
        // AutoPlay has started it already; going on would restart it at once.
        if (!Opened_ || Playing_)
            return;
    }
    if (PlayedXTimes_ > 1) {
        Restart();
        return;
    }
    lib_.SetPriority(PriorityValue_);
    CheckError();
    const std::string outName = OutFilename_.toUtf8();
    lib_.SetOutputDevice(DeviceValue_, outName.c_str());
    CheckError();
    // A flag left set by an earlier stream would end this one at the first tick.
    ClearEnded();
    const int32_t r = lib_.Play(StartPos_, EndPos_, &Ended_);
    LastErrorCode_ = lib_.LastError();
    if (LastErrorCode_ > 0 || r == 0)
        throw TMPEGError::FromCode(LastErrorCode_);
    Playing_ = true;
    ++PlayedXTimes_;
    StartTimer();
}

void TMPEGPlayer::Restart()
{
    RequireLibrary();
    if (!Opened_)
        throw TMPEGError::FromCode(2);
    ClearEnded();
    lib_.Restart();
    CheckError();
    Playing_ = true;
    ++PlayedXTimes_;
    StartTimer();
}

void TMPEGPlayer::StartTimer()
{
    if (UseTimer_ && timer_ && timer_->interval() != 0) {
        timer_->start();
        TimerTick(timer_);
    }
}

void TMPEGPlayer::SetPaused(bool P)
{
    RequireLibrary();
    if (!Playing_ || Ended()) {
        Paused_ = false;
        if (P)
            throw TMPEGError::FromCode(2);
        return;
    }
    lib_.Pause(P ? 0 : 1);
    CheckError();
    Paused_ = P;
}

void TMPEGPlayer::Stop()
{
    if (!Playing_ || Ended())
        throw TMPEGError::FromCode(2);
    RequireLibrary();
    lib_.Stop();
    CheckError();
    Playing_ = false;
    Paused_ = false;
}

void TMPEGPlayer::Close()
{
    RequireLibrary();
    Opened_ = false;
    Paused_ = false;
    Playing_ = false;
    PlayedXTimes_ = 0;
    lib_.Close();
    CheckError();
}

void TMPEGPlayer::Seek(int32_t M)
{
    RequireLibrary();
    lib_.Seek(M);
    CheckError();
}

int32_t TMPEGPlayer::GetPosition()
{
    RequireLibrary();
    const int32_t pos = lib_.GetCurrentPos();
    CheckError();
    return pos;
}

int32_t TMPEGPlayer::GetTrackLength()
{
    RequireLibrary();
    const int32_t len = lib_.GetLength();
    CheckError();
    return len;
}

void TMPEGPlayer::onTimer()
{
    const auto tick = [this] { TimerTick(timer_); };
    if (guard_) {
        guard_->run(tick);
        return;
    }
    try {
        tick();
    } catch (const std::exception &e) {
        qCritical("%s", e.what());  // no guard to show it, and Qt's frames must not see it
    }
}

void TMPEGPlayer::TimerTick(QObject *)
{
    if (!(Opened_ && Playing_)) {
        if (timer_)
            timer_->stop();
        return;
    }
    int32_t P = GetPosition();
    if (P > TrackLen_)
        P = 0;
    if (OnPosUpdate)
        OnPosUpdate(P, TrackLen_);
    if (Ended()) {
        if (timer_)
            timer_->stop();
        Playing_ = false;
        if (OnPlayEnd) {
            ClearEnded();
            OnPlayEnd(this);
        }
    }
}

// The stream callbacks run on whatever thread the library reads on; an exception must not
// cross the library's C frames, so it becomes the failure result of the call.

void TMPEGPlayer::OpenStreamCb(void *component, uint8_t *nonSeekable, void **context)
{
    auto *self = static_cast<TMPEGPlayer *>(component);
    *context = nullptr;
    if (!self->OnOpenStream)
        return;
    try {
        bool ns = *nonSeekable != 0;
        void *ctx = nullptr;
        self->OnOpenStream(ns, ctx);
        *nonSeekable = ns;
        *context = ctx;
    } catch (...) {
        *context = nullptr;
    }
}

void TMPEGPlayer::CloseStreamCb(void *component, void *context)
{
    auto *self = static_cast<TMPEGPlayer *>(component);
    if (!self->OnCloseStream)
        return;
    try {
        self->OnCloseStream(context);
    } catch (...) {
        // Closing has no result to fail.
    }
}

void TMPEGPlayer::RestartStreamCb(void *component, void *context, uint8_t *result)
{
    auto *self = static_cast<TMPEGPlayer *>(component);
    bool res = false;
    if (self->OnRestartStream) {
        try {
            self->OnRestartStream(context, res);
        } catch (...) {
            res = false;
        }
    }
    *result = res;
}

void TMPEGPlayer::ReadStreamCb(void *component, void *context, void *buffer, int32_t bytesToRead,
                               int32_t *bytesRead, uint8_t *result)
{
    auto *self = static_cast<TMPEGPlayer *>(component);
    bool res = false;
    int32_t read = 0;
    if (self->OnReadStream) {
        try {
            self->OnReadStream(context, buffer, bytesToRead, read, res);
        } catch (...) {
            res = false;
        }
    }
    *bytesRead = read;
    *result = res;
}

void TMPEGPlayer::SeekStreamCb(void *component, void *context, int32_t numBytes, int32_t moveMethod,
                               int32_t *result)
{
    auto *self = static_cast<TMPEGPlayer *>(component);
    int32_t res = -1;
    if (self->OnSeekStream) {
        try {
            self->OnSeekStream(context, numBytes, moveMethod, res);
        } catch (...) {
            res = -1;
        }
    }
    *result = res;
}

void TMPEGPlayer::GetStreamSizeCb(void *component, void *context, int32_t *result)
{
    auto *self = static_cast<TMPEGPlayer *>(component);
    int32_t res = -1;
    if (self->OnGetStreamSize) {
        try {
            self->OnGetStreamSize(context, res);
        } catch (...) {
            res = -1;
        }
    }
    *result = res;
}
