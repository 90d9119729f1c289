#pragma once
// What the program asks of the system beside its windows and dialogs: the output volume, starting
// another program, and the mounted volumes that stand for drives. The core is given these ports;
// tests give it fakes, the program the Linux implementations.

#include <QString>
#include <QStringList>
#include <cstdint>

// The output volume of the sound card: 0 to 65535 for each channel.
struct StereoVolume {
    uint16_t left = 0;
    uint16_t right = 0;
};

class VolumeMixer {
public:
    virtual ~VolumeMixer() = default;
    virtual StereoVolume volume() = 0;
    virtual void setVolume(StereoVolume volume) = 0;
};

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts commandLine (split like a shell would, but never run by one) with the extra
    // arguments after its own, without waiting; false when it could not be started.
    virtual bool startDetached(const QString &commandLine, const QStringList &arguments) = 0;
};

struct MountedVolume {
    QString root;  // "/" or the mount point
    bool ready = false;  // can be read
};

class MountedVolumes {
public:
    virtual ~MountedVolumes() = default;
    virtual QList<MountedVolume> volumes() = 0;
};
