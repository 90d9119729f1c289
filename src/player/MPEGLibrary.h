#pragma once
// The decoder library's nineteen entry points, bound by their exact names.

#ifndef MPEGDLL_TYPES_ONLY
#define MPEGDLL_TYPES_ONLY
#endif
#include "../../mpegdll/mpegdll.h"

// The library's file name; the directory comes from PathToDLL or the system's search.
extern const char *const MPEGLibraryName;

struct MPEGEntryPoints {
    mpeg_init_fn *init = nullptr;
    mpeg_deinit_fn *deinit = nullptr;
    mpeg_Open_fn *Open = nullptr;
    mpeg_Pause_fn *Pause = nullptr;
    mpeg_Restart_fn *Restart = nullptr;
    mpeg_Stop_fn *Stop = nullptr;
    mpeg_SetPriority_fn *SetPriority = nullptr;
    mpeg_SetOutputDevice_fn *SetOutputDevice = nullptr;
    mpeg_Play_fn *Play = nullptr;
    mpeg_Close_fn *Close = nullptr;
    mpeg_GetFrequency_fn *GetFrequency = nullptr;
    mpeg_GetBitrate_fn *GetBitrate = nullptr;
    mpeg_GetLayer_fn *GetLayer = nullptr;
    mpeg_GetPlayerMode_fn *GetPlayerMode = nullptr;
    mpeg_GetCurrentPos_fn *GetCurrentPos = nullptr;
    mpeg_GetLength_fn *GetLength = nullptr;
    mpeg_ResetPlayerMode_fn *ResetPlayerMode = nullptr;
    mpeg_Seek_fn *Seek = nullptr;
    mpeg_LastError_fn *LastError = nullptr;
};

// Looks every entry point up in the loaded library; false when any one is missing, and then
// entries is left empty.
bool BindEntryPoints(void *libHandle, MPEGEntryPoints &entries);
