#pragma once
// The MPEG player component: loads the decoder library at run time, keeps the state of one open
// stream, turns the library's error codes into TMPEGError, and reports the play position and
// the end of playback on the GUI thread through a Qt timer.
//
// Events are std::function members; an event counts as assigned when it holds a target. The
// stream events may be called on the library's playback thread; an exception thrown by one of
// them is taken as that call's failure.

#include "player/MPEGLibrary.h"
#include "player/TMPEGError.h"
#include "util/ShortStr.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class HandlerGuard;
class QTimer;

enum class TPlayPriority { Idle, Lowest, BelowNormal, Normal, AboveNormal, Highest, TimeCritical };
enum class TOutputDevice { wavemapper, pcmfile };

using TOpenStreamEvent = std::function<void(bool &Nonseekable, void *&Context)>;
using TCloseStreamEvent = std::function<void(void *Context)>;
using TRestartStreamEvent = std::function<void(void *Context, bool &res)>;
using TGetStreamSizeEvent = std::function<void(void *Context, int32_t &res)>;
using TSeekStreamEvent = std::function<void(void *Context, int32_t numbytes, int32_t MoveMethod, int32_t &res)>;
using TReadStreamEvent = std::function<void(void *Context, void *read_buffer, int32_t nNumberOfBytesToRead,
                                            int32_t &nNumberOfBytesRead, bool &res)>;
using TPosUpdateEvent = std::function<void(int32_t Pos, int32_t Len)>;
using TNotifyEvent = std::function<void(QObject *Sender)>;

class TMPEGPlayer : public QObject {
    Q_OBJECT
public:
    explicit TMPEGPlayer(QObject *owner = nullptr);
    // Unloads a library still loaded, so that no playback thread outlives the flag it writes.
    ~TMPEGPlayer() override;

    bool Seekable() const { return Seekable_; }
    void SetSeekable(bool value) { Seekable_ = value; }
    bool FromStream() const { return FromStream_; }
    void SetFromStream(bool value) { FromStream_ = value; }
    TPlayPriority PlayerPriority() const;
    void SetPlayerPriority(TPlayPriority value);
    bool UseTimer() const { return UseTimer_; }
    void SetUseTimer(bool value) { UseTimer_ = value; }
    int TimerFreq() const { return TimerFreq_; }
    void SetTimerFreq(int value);
    bool AutoPlay() const { return AutoPlay_; }
    void SetAutoPlay(bool value) { AutoPlay_ = value; }
    // The whole path: a full name of a file on a CD path may be longer than a short string.
    const QString &StreamName() const { return StreamName_; }
    void SetStreamName(const QString &value);
    TOutputDevice OutputDevice() const;
    void SetOutputDevice(TOutputDevice value);
    const ShortStr &OutFilename() const { return OutFilename_; }
    void SetOutFilename(const ShortStr &value) { OutFilename_ = value; }
    // Errors of the timer's events (position, end of play) are reported through this guard.
    void SetHandlerGuard(const HandlerGuard *guard) { guard_ = guard; }
    const ShortStr &PathToDLL() const { return PathToDLL_; }
    void SetPathToDLL(const ShortStr &value) { PathToDLL_ = value; }
    int32_t StartPos() const { return StartPos_; }
    void SetStartPos(int32_t value) { StartPos_ = value; }
    int32_t EndPos() const { return EndPos_; }
    void SetEndPos(int32_t value) { EndPos_ = value; }
    int32_t PlayedXTimes() const { return PlayedXTimes_; }

    TOpenStreamEvent OnOpenStream;
    TCloseStreamEvent OnCloseStream;
    TRestartStreamEvent OnRestartStream;
    TGetStreamSizeEvent OnGetStreamSize;
    TSeekStreamEvent OnSeekStream;
    TReadStreamEvent OnReadStream;
    TPosUpdateEvent OnPosUpdate;
    TNotifyEvent OnPlayEnd;

    void InitLibrary();
    void DoneLibrary();
    void Open();
    void Play();
    void Restart();
    void SetPaused(bool P);
    bool Paused() const { return Paused_; }
    void Stop();
    void Close();
    void Seek(int32_t M);
    int32_t GetPosition();
    int32_t GetTrackLength();
    virtual void TimerTick(QObject *Sender);

    // Length in milliseconds taken at Open; 0 until then.
    int32_t TrackLen() const { return TrackLen_; }
    int32_t LastErrorCode() const { return LastErrorCode_; }
    bool LibraryLoaded() const { return LibHandle_ != nullptr; }
    bool Opened() const { return Opened_; }
    bool Playing() const { return Playing_; }
    bool Ended() const { return __atomic_load_n(&Ended_, __ATOMIC_ACQUIRE) != 0; }

private:
    void RequireLibrary() const;
    // LastErrorCode := the library's LastError; raises it when greater than 0.
    void CheckError();
    void StartTimer();
    void onTimer();
    void ClearEnded() { __atomic_store_n(&Ended_, uint8_t(0), __ATOMIC_RELEASE); }

    static void OpenStreamCb(void *component, uint8_t *nonSeekable, void **context);
    static void CloseStreamCb(void *component, void *context);
    static void RestartStreamCb(void *component, void *context, uint8_t *result);
    static void ReadStreamCb(void *component, void *context, void *buffer, int32_t bytesToRead,
                             int32_t *bytesRead, uint8_t *result);
    static void SeekStreamCb(void *component, void *context, int32_t numBytes, int32_t moveMethod,
                             int32_t *result);
    static void GetStreamSizeCb(void *component, void *context, int32_t *result);

    bool Seekable_ = false;
    bool FromStream_ = false;
    int32_t PriorityValue_ = 1; // AboveNormal
    bool UseTimer_ = true;
    int TimerFreq_ = 1000;
    bool AutoPlay_ = false;
    QString StreamName_;
    int32_t DeviceValue_ = 0;
    ShortStr OutFilename_;
    ShortStr PathToDLL_;
    int32_t StartPos_ = 0;
    int32_t EndPos_ = 0;
    int32_t PlayedXTimes_ = 0;

    void *LibHandle_ = nullptr;
    MPEGEntryPoints lib_;
    bool Opened_ = false;
    bool Playing_ = false;
    bool Paused_ = false;
    // Set by the library's playback thread: every access is atomic, through Ended() and
    // ClearEnded().
    uint8_t Ended_ = 0;
    int32_t TrackLen_ = 0;
    int32_t LastErrorCode_ = 0;
    QTimer *timer_ = nullptr;
    const HandlerGuard *guard_ = nullptr;
};
