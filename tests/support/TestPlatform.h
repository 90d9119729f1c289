#pragma once
// Platform ports for tests: errors go to the scripted dialogs, no list has the focus unless a
// test says so, the volume lives in memory, started programs are only recorded, and "/" is the
// one mounted volume unless a test mounts others.

#include "app/ErrorReporter.h"
#include "app/ListFocus.h"
#include "app/PlatformPorts.h"
#include "app/ZemloCore.h"

struct TestPlatform : ListFocus, VolumeMixer, ProcessStarter, MountedVolumes {
    explicit TestPlatform(Dialogs &dialogs) : errors(dialogs) {}

    DialogsErrorReporter errors;
    const ListModel *focused = nullptr;
    StereoVolume level;
    QStringList started;  // command line and arguments of each start, joined by "|"
    QList<MountedVolume> mounted{{"/", true}};

    const ListModel *focusedList() const override { return focused; }
    void focusList(const ListModel &list) override { focused = &list; }
    StereoVolume volume() override { return level; }
    void setVolume(StereoVolume volume) override { level = volume; }
    bool startDetached(const QString &commandLine, const QStringList &arguments) override
    {
        started << (QStringList{commandLine} + arguments).join('|');
        return true;
    }
    QList<MountedVolume> volumes() override { return mounted; }

    PlatformPorts ports() { return {errors, *this, *this, *this, *this}; }
};
