#include "player/PlayerControl.h"

#include "app/Config.h"
#include "app/Dialogs.h"
#include "app/ListFocus.h"
#include "catalog/Catalog.h"
#include "player/TMPEGPlayer.h"
#include "selection/ExternalPlayer.h"
#include "selection/PlayLists.h"
#include "selection/Selection.h"
#include "selection/TrackFileLocator.h"
#include "util/Rounding.h"
#include "util/ShortStrings.h"

#include <QScopedValueRollback>
#include <algorithm>

PlayerControl::PlayerControl(const PlayerControlParts &parts, QObject *parent)
    : QObject(parent), mp3player_(parts.mp3player), catalog_(parts.catalog), selection_(parts.selection),
      locator_(parts.locator), playLists_(parts.playLists), externalPlayer_(parts.externalPlayer),
      config_(parts.config), dialogs_(parts.dialogs), focus_(parts.focus), mixer_(parts.mixer)
{
    mp3player_.OnPosUpdate = [this](int32_t Pos, int32_t Len) { mp3playerPosUpdate(Pos, Len); };
    mp3player_.OnPlayEnd = [this](QObject *) { mp3playerPlayEnd(); };
    connect(&catalog_, &Catalog::tracksReleasing, this, &PlayerControl::forgetReleased);
    connect(&catalog_, &Catalog::allTracksReleasing, this, [this] { CurrentSong_ = nullptr; });
}

QString PlayerControl::MinutesAndSeconds(int32_t milliseconds)
{
    const int32_t s = milliseconds / 1000;
    return (IntToZeroPadded(s / 60, 2) + ShortStr(":") + IntToZeroPadded(s % 60, 2)).toQString();
}

int PlayerControl::VolumePercent(uint16_t channel)
{
    return NearestRatio(int64_t(channel) * 100, 65535);
}

uint16_t PlayerControl::ChannelVolume(int percent)
{
    return static_cast<uint16_t>(NearestRatio(int64_t(std::clamp(percent, 0, 100)) * 65535, 100));
}

void PlayerControl::PlayTrack(TSong *T)
{
    QString name = T->FileName().toQString();
    if (!locator_.EnsureTrackFile(name, T->CDID().toQString()))
        return;
    mp3player_.SetStreamName(name);
    ShowDeviceVolume();
    mp3player_.Play();
    bar_.PlayingTrackName = T->FullName().toQString();
    CurrentSong_ = T;
    emit barChanged();
}

void PlayerControl::BtnPlayClick()
{
    SongList &sel = selection_.sel();
    SongList &L = focus_.focusedList() == &sel ? sel : catalog_.all();
    if (L.count() == 0 || L.currentRow() < 0)
        return;
    focus_.focusList(L);
    PlayTrack(L.song(L.currentRow()));
}

void PlayerControl::PlayfromCD1Click(bool fromSender)
{
    const SongList &sel = selection_.sel();
    if (sel.count() == 0)
        return;
    if (fromSender) {
        PlayTrack(sel.song(0));
        return;
    }
    // The first non-empty CD ID against every later one, letter case counting.
    QString firstCD;
    bool severalCDs = false;
    for (const TSong *song : sel.songs()) {
        const QString cd = song->CDID().toQString();
        if (firstCD.isEmpty())
            firstCD = cd;
        else if (cd != firstCD)
            severalCDs = true;
    }
    if (severalCDs
        && dialogs_.MessageBox(MsgDlgType::Confirmation, "More then one CD used ! Play from CD ?",
                               ButtonSet({mbYes, mbNo})) != mrYes)
        return;
    // The whole path: a name cut short would write the playlist somewhere else.
    const QString list = config_.PlayPath.toQString() + "playlist.m3u";
    playLists_.WritePlayList(list, true);
    externalPlayer_.RunExternalPlayer(list);
}

void PlayerControl::BtnPauseClick()
{
    mp3player_.SetPaused(!mp3player_.Paused());
}

void PlayerControl::btnStopClick()
{
    mp3player_.Stop();
    mp3player_.Close();
}

void PlayerControl::playSelectionRow(int row)
{
    SongList &sel = selection_.sel();
    const int k = (row % sel.count() + sel.count()) % sel.count();
    sel.setCurrentRow(k);
    sel.setSelected(k, true);
    focus_.focusList(sel);
    PlayTrack(sel.song(k));
}

void PlayerControl::playCatalogRow(int row)
{
    SongList &all = catalog_.all();
    const int k = (row % all.count() + all.count()) % all.count();
    if (all.currentRow() >= 0)
        all.setSelected(all.currentRow(), false);
    all.setSelected(k, true);
    all.setCurrentRow(k);
    focus_.focusList(all);
    PlayTrack(all.song(k));
}

void PlayerControl::stepCurrentSong(int delta)
{
    const SongList &sel = selection_.sel();
    if (!CurrentSong_) {
        if (sel.count() > 0)
            playSelectionRow(delta > 0 ? 0 : sel.count() - 1);
        return;
    }
    if (const int i = sel.indexOf(CurrentSong_); i >= 0) {
        playSelectionRow(i + delta);
        return;
    }
    if (const int j = catalog_.all().indexOf(CurrentSong_); j >= 0)
        playCatalogRow(j + delta);
}

void PlayerControl::btnNextClic()
{
    stepCurrentSong(1);
}

void PlayerControl::btnPrevClick()
{
    stepCurrentSong(-1);
}

void PlayerControl::Slider1StopTracking(int value)
{
    mp3player_.Seek(value);
}

void PlayerControl::VolumeChange(int value)
{
    bar_.volume = value;
    if (showingVolume_)
        return;
    const uint16_t v = ChannelVolume(value);
    mixer_.setVolume({v, v});
}

void PlayerControl::ShowDeviceVolume()
{
    bar_.volume = VolumePercent(mixer_.volume().right);
    // The window hands the shown value back as a change, which must not be written back.
    const QScopedValueRollback<bool> showing(showingVolume_, true);
    emit barChanged();
}

void PlayerControl::mp3playerPosUpdate(int32_t Pos, int32_t Len)
{
    if (bar_.positionMax != Len || !lengthShown_) {
        lengthShown_ = true;
        bar_.positionMax = Len;
        bar_.positionIncrement = Len / 10;
        bar_.PlayLen = MinutesAndSeconds(Len);
    }
    bar_.position = Pos;
    bar_.PlayOfs = MinutesAndSeconds(Pos);
    emit barChanged();
}

void PlayerControl::mp3playerPlayEnd()
{
    if (!CurrentSong_)
        return;
    const SongList &sel = selection_.sel();
    if (const int i = sel.indexOf(CurrentSong_); i >= 0 && i + 1 < sel.count()) {
        playSelectionRow(i + 1);
        return;
    }
    CurrentSong_ = nullptr;
    resetBar();
}

void PlayerControl::resetBar()
{
    bar_.PlayingTrackName.clear();
    bar_.position = 0;
    bar_.PlayOfs = bar_.PlayLen = MinutesAndSeconds(0);
    lengthShown_ = false;
    emit barChanged();
}

void PlayerControl::forgetReleased(const std::vector<TSong *> &tracks)
{
    if (std::find(tracks.begin(), tracks.end(), CurrentSong_) != tracks.end())
        CurrentSong_ = nullptr;
}
