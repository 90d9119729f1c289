// A scripted stand-in for the decoder library, for the component's tests: it logs every call with
// its arguments and reports what the test scripts through fakeLength, fakePosition and the Fake*
// functions. Built without GetBitrate when FAKE_WITHOUT_GETBITRATE is defined.

#include "mpegdll.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

int32_t fakeLength, fakePosition; // what GetLength and GetCurrentPos return

static char callLog[8192];
static int32_t lastError;
static char failEntry[32];
static int32_t failCode;
static uint8_t *endedFlag;

__attribute__((format(printf, 1, 2))) static void Log(const char *format, ...)
{
    size_t used = strlen(callLog);
    va_list args;
    va_start(args, format);
    vsnprintf(callLog + used, sizeof callLog - used, format, args);
    va_end(args);
}

// Every entry point but LastError ends here: true when the failure of this entry was scripted.
static int Done(const char *entry)
{
    const int scripted = strcmp(entry, failEntry) == 0;
    lastError = scripted ? failCode : 0;
    if (scripted)
        failEntry[0] = 0;
    return scripted;
}

void FakeReset(void)
{
    callLog[0] = failEntry[0] = 0;
    lastError = fakeLength = fakePosition = 0;
    endedFlag = NULL;
}

// The calls logged since the last look.
const char *FakeCalls(void)
{
    static char calls[sizeof callLog];
    memcpy(calls, callLog, sizeof calls);
    callLog[0] = 0;
    return calls;
}

// The next call of entry reports code; init then fails, and so does Play when code is 0.
void FakeFailNext(const char *entry, int32_t code)
{
    snprintf(failEntry, sizeof failEntry, "%s", entry);
    failCode = code;
}

// What the playback thread of the real library does at the end of the data.
void FakeEnd(void)
{
    if (endedFlag)
        __atomic_store_n(endedFlag, (uint8_t)1, __ATOMIC_RELEASE);
}

int32_t init(void)
{
    Log("init;");
    return !Done("init");
}

void deinit(void) { Log("deinit;"); Done("deinit"); }

void Open(const char *fileName, int32_t stream, mpeg_open_cb o, mpeg_close_cb c, mpeg_restart_cb r,
          mpeg_read_cb rd, mpeg_seek_cb s, mpeg_getsize_cb g, void *context)
{
    int callbacks = (o != NULL) + (c != NULL) + (r != NULL) + (rd != NULL) + (s != NULL) + (g != NULL);
    Log("Open(%s,%d,%d,%s);", fileName ? fileName : "-", stream, callbacks, context ? "ctx" : "-");
    Done("Open");
}

void Pause(int32_t resume) { Log("Pause(%d);", resume); Done("Pause"); }
void Restart(void) { Log("Restart;"); Done("Restart"); }
void Stop(void) { Log("Stop;"); Done("Stop"); }
void SetPriority(int32_t priority) { Log("SetPriority(%d);", priority); Done("SetPriority"); }

void SetOutputDevice(int32_t device, const char *outFileName)
{
    Log("SetOutputDevice(%d,%s);", device, outFileName ? outFileName : "-");
    Done("SetOutputDevice");
}

int32_t Play(int32_t startPos, int32_t endPos, uint8_t *ended)
{
    Log("Play(%d,%d);", startPos, endPos);
    endedFlag = ended;
    return !(Done("Play") && lastError == 0);
}

void Close(void) { Log("Close;"); Done("Close"); }
int32_t GetFrequency(void) { Done("GetFrequency"); return 44100; }
#ifndef FAKE_WITHOUT_GETBITRATE
int32_t GetBitrate(void) { Done("GetBitrate"); return 128; }
#endif
int32_t GetLayer(void) { Done("GetLayer"); return 3; }
int32_t GetPlayerMode(void) { Done("GetPlayerMode"); return 0; }
int32_t GetCurrentPos(void) { Done("GetCurrentPos"); return fakePosition; }
int32_t GetLength(void) { Done("GetLength"); return fakeLength; }
void ResetPlayerMode(void) { Done("ResetPlayerMode"); }
void Seek(int32_t milliseconds) { Log("Seek(%d);", milliseconds); Done("Seek"); }
int32_t LastError(void) { return lastError; }
