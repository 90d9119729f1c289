#include "player/MPEGLibrary.h"

#include <dlfcn.h>

const char *const MPEGLibraryName = "libmpegdll.so";

namespace {
template <typename Fn>
bool Bind(void *libHandle, const char *name, Fn *&entry)
{
    entry = reinterpret_cast<Fn *>(dlsym(libHandle, name));
    return entry != nullptr;
}
} // namespace

bool BindEntryPoints(void *libHandle, MPEGEntryPoints &entries)
{
    MPEGEntryPoints e;
    const bool all = Bind(libHandle, "init", e.init)
        && Bind(libHandle, "deinit", e.deinit)
        && Bind(libHandle, "Open", e.Open)
        && Bind(libHandle, "Pause", e.Pause)
        && Bind(libHandle, "Restart", e.Restart)
        && Bind(libHandle, "Stop", e.Stop)
        && Bind(libHandle, "SetPriority", e.SetPriority)
        && Bind(libHandle, "SetOutputDevice", e.SetOutputDevice)
        && Bind(libHandle, "Play", e.Play)
        && Bind(libHandle, "Close", e.Close)
        && Bind(libHandle, "GetFrequency", e.GetFrequency)
        && Bind(libHandle, "GetBitrate", e.GetBitrate)
        && Bind(libHandle, "GetLayer", e.GetLayer)
        && Bind(libHandle, "GetPlayerMode", e.GetPlayerMode)
        && Bind(libHandle, "GetCurrentPos", e.GetCurrentPos)
        && Bind(libHandle, "GetLength", e.GetLength)
        && Bind(libHandle, "ResetPlayerMode", e.ResetPlayerMode)
        && Bind(libHandle, "Seek", e.Seek)
        && Bind(libHandle, "LastError", e.LastError);
    entries = all ? e : MPEGEntryPoints();
    return all;
}
