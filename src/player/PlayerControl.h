#pragma once
// The player bar's commands: playing a track of either list, the selection list from its first
// row or on the external player, pause, stop, next and previous, seeking, the output volume,
// and walking on through the selection list when a track ends. The bar's texts and slider
// values live here; the window shows them whenever barChanged is announced and hands the
// sliders' values to the handlers.

#include "app/PlatformPorts.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

struct Config;
class Catalog;
class Dialogs;
class ExternalPlayer;
class ListFocus;
class ListModel;
class PlayLists;
class Selection;
class SongList;
class TMPEGPlayer;
class TSong;
class TrackFileLocator;

// What the player bar shows.
struct PlayerBar {
    QString PlayingTrackName;
    QString PlayOfs = QStringLiteral("00:00");
    QString PlayLen = QStringLiteral("00:00");
    // The position slider, in milliseconds once a track reports its length.
    int positionMax = 100;
    int positionIncrement = 10;
    int position = 0;
    // The volume slider, 0 to 100.
    int volume = 0;
};

struct PlayerControlParts {
    TMPEGPlayer &mp3player;
    Catalog &catalog;
    Selection &selection;
    const TrackFileLocator &locator;
    const PlayLists &playLists;
    ExternalPlayer &externalPlayer;
    const Config &config;
    Dialogs &dialogs;
    ListFocus &focus;
    VolumeMixer &mixer;
};

class PlayerControl : public QObject {
    Q_OBJECT
public:
    // Becomes the player's position and end-of-play handler.
    explicit PlayerControl(const PlayerControlParts &parts, QObject *parent = nullptr);

    const PlayerBar &bar() const { return bar_; }
    // The track last started, until a track ends without a successor or its record is released.
    const TSong *CurrentSong() const { return CurrentSong_; }

    void PlayTrack(TSong *T);
    void BtnPlayClick();
    // fromSender: the internal player; without it the list goes to the external player.
    void PlayfromCD1Click(bool fromSender);
    void PlayExternal1Click() { PlayfromCD1Click(false); }
    void BtnPauseClick();
    void btnStopClick();
    void btnNextClic();
    void btnPrevClick();
    // value: the position slider's value when the user let go of its thumb.
    void Slider1StopTracking(int value);
    // value: the volume slider's new value.
    void VolumeChange(int value);
    void mp3playerPosUpdate(int32_t Pos, int32_t Len);
    void mp3playerPlayEnd();
    void ShowDeviceVolume();

    // "mm:ss" of a number of milliseconds; the minutes take as many digits as they need.
    static QString MinutesAndSeconds(int32_t milliseconds);
    // The volume slider's value of a device channel (0..65535) and back.
    static int VolumePercent(uint16_t channel);
    static uint16_t ChannelVolume(int percent);

signals:
    void barChanged();

private:
    // Plays row `row` of the selection list, wrapped into its rows.
    void playSelectionRow(int row);
    // Plays row `row` of the catalog list, wrapped: the row that was current is unselected.
    void playCatalogRow(int row);
    // Steps from the current song by delta rows through the list it stands in.
    void stepCurrentSong(int delta);
    void forgetReleased(const std::vector<TSong *> &tracks);
    void resetBar();

    TMPEGPlayer &mp3player_;
    Catalog &catalog_;
    Selection &selection_;
    const TrackFileLocator &locator_;
    const PlayLists &playLists_;
    ExternalPlayer &externalPlayer_;
    const Config &config_;
    Dialogs &dialogs_;
    ListFocus &focus_;
    VolumeMixer &mixer_;
    PlayerBar bar_;
    TSong *CurrentSong_ = nullptr;
    // Set while ShowDeviceVolume hands the value it read to the slider: showing the device's
    // volume never writes it back.
    bool showingVolume_ = false;
    // False once the bar was cleared: the next track shows its length even when it is as long
    // as the last one.
    bool lengthShown_ = false;
};
