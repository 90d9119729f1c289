/* A scripted stand-in for the decoder library, for the component's tests: it logs every call
   with its arguments and reports the results and error codes that the test sets through the
   Fake* functions. Built without GetBitrate when FAKE_WITHOUT_GETBITRATE is defined. */

#include "mpegdll.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

static char callLog[8192];
static int32_t lastError;
static int32_t initResult = 1;
static int32_t initError;
static int32_t playResult = 1;
static int32_t length;
static int32_t position;
static char failEntry[32];
static int32_t failCode;
static volatile uint8_t *endedFlag;

__attribute__((format(printf, 1, 2))) static void Log(const char *format, ...)
{
    size_t used = strlen(callLog);
    va_list args;
    va_start(args, format);
    vsnprintf(callLog + used, sizeof callLog - used, format, args);
    va_end(args);
}

/* Every entry point but LastError ends here: the scripted failure of that entry, if any. */
static void Done(const char *entry)
{
    lastError = 0;
    if (strcmp(entry, failEntry) == 0) {
        lastError = failCode;
        failEntry[0] = 0;
    }
}

void FakeReset(void)
{
    callLog[0] = 0;
    lastError = 0;
    initResult = 1;
    initError = 0;
    playResult = 1;
    length = 0;
    position = 0;
    failEntry[0] = 0;
    failCode = 0;
    endedFlag = NULL;
}

const char *FakeLog(void) { return callLog; }
void FakeClearLog(void) { callLog[0] = 0; }
void FakeSetInit(int32_t result, int32_t error) { initResult = result; initError = error; }
void FakeSetPlayResult(int32_t result) { playResult = result; }
void FakeSetLength(int32_t ms) { length = ms; }
void FakeSetPosition(int32_t ms) { position = ms; }
/* The next call of entry reports code. */
void FakeFailNext(const char *entry, int32_t code)
{
    snprintf(failEntry, sizeof failEntry, "%s", entry);
    failCode = code;
}
/* What the playback thread of the real library does at the end of the data. */
void FakeEnd(void)
{
    if (endedFlag)
        *endedFlag = 1;
}

int32_t init(void)
{
    Log("init;");
    lastError = initResult ? 0 : initError;
    return initResult;
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

int32_t Play(int32_t startPos, int32_t endPos, volatile uint8_t *ended)
{
    Log("Play(%d,%d);", startPos, endPos);
    endedFlag = ended;
    Done("Play");
    return playResult;
}

void Close(void) { Log("Close;"); Done("Close"); }
int32_t GetFrequency(void) { Done("GetFrequency"); return 44100; }
#ifndef FAKE_WITHOUT_GETBITRATE
int32_t GetBitrate(void) { Done("GetBitrate"); return 128; }
#endif
int32_t GetLayer(void) { Done("GetLayer"); return 3; }
int32_t GetPlayerMode(void) { Done("GetPlayerMode"); return 0; }
int32_t GetCurrentPos(void) { Done("GetCurrentPos"); return position; }
int32_t GetLength(void) { Done("GetLength"); return length; }
void ResetPlayerMode(void) { Done("ResetPlayerMode"); }
void Seek(int32_t milliseconds) { Log("Seek(%d);", milliseconds); Done("Seek"); }
int32_t LastError(void) { return lastError; }
