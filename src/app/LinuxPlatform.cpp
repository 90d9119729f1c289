#include "app/LinuxPlatform.h"

#include <QDir>
#include <QProcess>
#include <QStorageInfo>
#include <alsa/asoundlib.h>
#include <memory>

namespace {
struct MixerCloser {
    void operator()(snd_mixer_t *mixer) const { snd_mixer_close(mixer); }
};
using Mixer = std::unique_ptr<snd_mixer_t, MixerCloser>;

// ALSA reports a missing card on stderr; here that only means "no mixer".
void IgnoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

// Opens the default card's mixer afresh on every call, so a card that comes or goes while the
// program runs is simply found or not found.
Mixer OpenMixer()
{
    snd_lib_error_set_handler(IgnoreAlsaError);
    snd_mixer_t *raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0)
        return nullptr;
    Mixer mixer(raw);
    if (snd_mixer_attach(raw, "default") < 0 || snd_mixer_selem_register(raw, nullptr, nullptr) < 0
        || snd_mixer_load(raw) < 0)
        return nullptr;
    return mixer;
}

snd_mixer_elem_t *VolumeElement(snd_mixer_t *mixer)
{
    for (const char *name : {"Master", "PCM"}) {
        snd_mixer_selem_id_t *id = nullptr;
        snd_mixer_selem_id_alloca(&id);
        snd_mixer_selem_id_set_name(id, name);
        snd_mixer_elem_t *elem = snd_mixer_find_selem(mixer, id);
        if (elem && snd_mixer_selem_has_playback_volume(elem))
            return elem;
    }
    return nullptr;
}

uint16_t ToChannel(long value, long min, long max)
{
    if (max <= min)
        return 0;
    return static_cast<uint16_t>((value - min) * 65535 / (max - min));
}

long FromChannel(uint16_t value, long min, long max)
{
    return min + (static_cast<long>(value) * (max - min) + 32767) / 65535;
}
} // namespace

StereoVolume AlsaVolumeMixer::volume()
{
    const Mixer mixer = OpenMixer();
    snd_mixer_elem_t *elem = mixer ? VolumeElement(mixer.get()) : nullptr;
    long min = 0, max = 0, left = 0, right = 0;
    if (!elem || snd_mixer_selem_get_playback_volume_range(elem, &min, &max) < 0
        || snd_mixer_selem_get_playback_volume(elem, SND_MIXER_SCHN_FRONT_LEFT, &left) < 0)
        return remembered_;
    if (snd_mixer_selem_is_playback_mono(elem)
        || snd_mixer_selem_get_playback_volume(elem, SND_MIXER_SCHN_FRONT_RIGHT, &right) < 0)
        right = left;
    return {ToChannel(left, min, max), ToChannel(right, min, max)};
}

void AlsaVolumeMixer::setVolume(StereoVolume volume)
{
    remembered_ = volume;
    const Mixer mixer = OpenMixer();
    snd_mixer_elem_t *elem = mixer ? VolumeElement(mixer.get()) : nullptr;
    long min = 0, max = 0;
    if (!elem || snd_mixer_selem_get_playback_volume_range(elem, &min, &max) < 0)
        return;
    snd_mixer_selem_set_playback_volume(elem, SND_MIXER_SCHN_FRONT_LEFT, FromChannel(volume.left, min, max));
    if (!snd_mixer_selem_is_playback_mono(elem))
        snd_mixer_selem_set_playback_volume(elem, SND_MIXER_SCHN_FRONT_RIGHT, FromChannel(volume.right, min, max));
}

bool QtProcessStarter::startDetached(const QString &commandLine, const QStringList &arguments)
{
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        return false;
    const QString program = parts.takeFirst();
    return QProcess::startDetached(program, parts + arguments);
}

QList<MountedVolume> LinuxMountedVolumes::volumes()
{
    QList<MountedVolume> out;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        const QString root = storage.rootPath();
        out.push_back({root, storage.isValid() && storage.isReady() && QDir(root).isReadable()});
    }
    return out;
}
