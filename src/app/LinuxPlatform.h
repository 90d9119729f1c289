#pragma once
// The platform ports on Linux: the ALSA simple mixer of the default card, detached processes
// through QProcess, and the mounted file systems.

#include "app/PlatformPorts.h"

#include <optional>

// "Master", else "PCM", of the default card. Without a mixer (no card, or it went away) the
// value last set is kept and read back, so the volume slider still behaves.
class AlsaVolumeMixer : public VolumeMixer {
public:
    StereoVolume volume() override;
    void setVolume(StereoVolume volume) override;

private:
    StereoVolume remembered_{65535, 65535};
};

class QtProcessStarter : public ProcessStarter {
public:
    bool startDetached(const QString &commandLine, const QStringList &arguments) override;
};

class LinuxMountedVolumes : public MountedVolumes {
public:
    QList<MountedVolume> volumes() override;
};
