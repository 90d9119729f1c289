#ifndef MPEGDLL_H
#define MPEGDLL_H
/*
 * The MPEG audio decoder library: one stream at a time, decoded with libmpg123 and played through
 * libout123 on a thread of the library. Every call records its outcome, read back with LastError.
 *
 * Threads: the entry points may be called from any one thread at a time (they are serialised by
 * a lock). While playback runs, its thread alone uses the decoder handle: no entry point touches
 * the handle then. Calls that need it (Play, Restart, Close, deinit) first stop and join the
 * playback thread; the others read only what Open measured, or hand the playback thread a
 * request (Pause, Seek, SetPriority) that it takes between blocks.
 *
 * Loaders that bind the entry points by name define MPEGDLL_TYPES_ONLY before including this
 * header: they get the constants and the function types without the prototypes.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* LastError codes. */
enum {
    MPEG_OK = 0,
    MPEG_INTERNAL_ERROR = 1, /* "Internal decoder error" */
    MPEG_INCORRECT_MODE = 2, /* "Incorrect mode": the call does not fit the current state */
    MPEG_INPUT_ERROR = 3,    /* "Input stream error": missing, empty, truncated or not MPEG audio */
    MPEG_NON_SEEKABLE = 4,   /* "Input stream is non-seekable" */
    MPEG_OUTPUT_ERROR = 5    /* "Output device failure" */
};

/* GetPlayerMode results. */
enum {
    MPEG_MODE_CLOSED = 0,
    MPEG_MODE_STOPPED = 1, /* opened, not playing */
    MPEG_MODE_PLAYING = 2,
    MPEG_MODE_PAUSED = 3,
    MPEG_MODE_ENDED = 4 /* the data has been used up; ResetPlayerMode goes back to stopped */
};

/* SetOutputDevice devices. */
enum {
    MPEG_DEVICE_SOUND = 0,  /* the sound output, through libout123's drivers */
    MPEG_DEVICE_WAVFILE = 2 /* a WAV file named by outFileName, written as fast as it decodes */
};

/* moveMethod of the seek callback. */
enum { MPEG_SEEK_SET = 0, MPEG_SEEK_CUR = 1, MPEG_SEEK_END = 2 };

/* Stream mode callbacks. component is the context given to Open; context is the pointer that the
   open callback stored. They may be called on the library's playback thread and must not call
   back into the library. */
typedef void (*mpeg_open_cb)(void *component, uint8_t *nonSeekable, void **context);
typedef void (*mpeg_close_cb)(void *component, void *context);
typedef void (*mpeg_restart_cb)(void *component, void *context, uint8_t *result);
typedef void (*mpeg_read_cb)(void *component, void *context, void *buffer,
                             int32_t bytesToRead, int32_t *bytesRead, uint8_t *result);
typedef void (*mpeg_seek_cb)(void *component, void *context, int32_t numBytes,
                             int32_t moveMethod, int32_t *result);
typedef void (*mpeg_getsize_cb)(void *component, void *context, int32_t *result);

/* Function types of the nineteen entry points, for loaders. */
typedef int32_t mpeg_init_fn(void);
typedef void mpeg_deinit_fn(void);
typedef void mpeg_Open_fn(const char *fileName, int32_t stream,
                          mpeg_open_cb, mpeg_close_cb, mpeg_restart_cb,
                          mpeg_read_cb, mpeg_seek_cb, mpeg_getsize_cb, void *context);
typedef void mpeg_Pause_fn(int32_t resume);
typedef void mpeg_Restart_fn(void);
typedef void mpeg_Stop_fn(void);
typedef void mpeg_SetPriority_fn(int32_t priority);
typedef void mpeg_SetOutputDevice_fn(int32_t device, const char *outFileName);
typedef int32_t mpeg_Play_fn(int32_t startPos, int32_t endPos, uint8_t *ended);
typedef void mpeg_Close_fn(void);
typedef int32_t mpeg_GetFrequency_fn(void);
typedef int32_t mpeg_GetBitrate_fn(void);
typedef int32_t mpeg_GetLayer_fn(void);
typedef int32_t mpeg_GetPlayerMode_fn(void);
typedef int32_t mpeg_GetCurrentPos_fn(void);
typedef int32_t mpeg_GetLength_fn(void);
typedef void mpeg_ResetPlayerMode_fn(void);
typedef void mpeg_Seek_fn(int32_t milliseconds);
typedef int32_t mpeg_LastError_fn(void);

#ifndef MPEGDLL_TYPES_ONLY

#if defined(MPEGDLL_BUILD)
#define MPEGDLL_API __attribute__((visibility("default")))
#else
#define MPEGDLL_API
#endif

/* Non-zero on success. Any other call before init fails with MPEG_INCORRECT_MODE. */
MPEGDLL_API int32_t init(void);
/* Closes an open stream and ends the session; init starts a new one. */
MPEGDLL_API void deinit(void);
/* File mode (stream 0): fileName is a UTF-8 path, the callbacks and context are unused.
   Stream mode (stream 1): fileName is unused; the bytes come through the callbacks, each called
   with context as its first argument. The length is measured here: from the Xing/Info header
   when there is one, else by a scan of every frame. */
MPEGDLL_API void Open(const char *fileName, int32_t stream,
                      mpeg_open_cb, mpeg_close_cb, mpeg_restart_cb,
                      mpeg_read_cb, mpeg_seek_cb, mpeg_getsize_cb, void *context);
/* 0 pauses, 1 resumes. */
MPEGDLL_API void Pause(int32_t resume);
/* Plays the stream again from startPos with the arguments of the last Play. */
MPEGDLL_API void Restart(void);
MPEGDLL_API void Stop(void);
/* Windows thread priorities: -15, -2, -1, 0, 1, 2, 15; mapped to the playback thread's nice
   value. Raising it needs the privilege to do so; without it the thread keeps its priority. */
MPEGDLL_API void SetPriority(int32_t priority);
/* 0 sound output, 2 WAV file outFileName; taken by the next Play or Restart. */
MPEGDLL_API void SetOutputDevice(int32_t device, const char *outFileName);
/* Positions in milliseconds. startPos > 0 seeks there first, else playback goes on from the
   current position; endPos > 0 ends playback there, else at the end of the data. *ended is
   cleared here and set to 1 by the playback thread once playback has ended (and a WAV file is
   complete); both stores are __atomic_store_n, so the caller polls it with __atomic_load_n
   (acquire) from its own thread. 0: failure. */
MPEGDLL_API int32_t Play(int32_t startPos, int32_t endPos, uint8_t *ended);
MPEGDLL_API void Close(void);
MPEGDLL_API int32_t GetFrequency(void);  /* Hz */
MPEGDLL_API int32_t GetBitrate(void);    /* kbit/s: the nominal rate, for VBR the average */
MPEGDLL_API int32_t GetLayer(void);      /* 1, 2 or 3 */
MPEGDLL_API int32_t GetPlayerMode(void); /* MPEG_MODE_* */
MPEGDLL_API int32_t GetCurrentPos(void); /* milliseconds */
MPEGDLL_API int32_t GetLength(void);     /* milliseconds */
MPEGDLL_API void ResetPlayerMode(void);
MPEGDLL_API void Seek(int32_t milliseconds);
MPEGDLL_API int32_t LastError(void);     /* of the latest call: 0 none, else MPEG_* code */

#endif /* MPEGDLL_TYPES_ONLY */

#ifdef __cplusplus
}
#endif

#endif /* MPEGDLL_H */
