#pragma once
// M3U playlists of the selection list: one native full file name per row, in list order, either
// on the first CD path or in the playlist's own directory (for files copied to the disk).

#include <QString>

struct Config;
class Dialogs;
class Selection;

class PlayLists {
public:
    PlayLists(const Config &config, const Selection &selection, Dialogs &dialogs)
        : config_(config), selection_(selection), dialogs_(dialogs) {}

    // cdPaths: every line is the first CD path followed by the track's name; otherwise the
    // playlist's directory followed by the bare file name. No file is looked for. The file is
    // replaced only when it was written whole.
    bool WritePlayList(const QString &listName, bool cdPaths) const;
    // Asks for the playlist's name and writes it; a failure is reported.
    void CreatePlayList1Click(bool cdPaths);
    void savePlayListfromHD1Click() { CreatePlayList1Click(false); }

private:
    const Config &config_;
    const Selection &selection_;
    Dialogs &dialogs_;
};
