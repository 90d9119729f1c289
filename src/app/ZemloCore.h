#pragma once
// The program: it owns the configuration, the catalog, the selection list, the command objects
// and the player component, and runs start-up, the close query and shutdown. The main window
// takes it by reference and only lays out and wires; tests drive it without a display.

#include "app/Config.h"
#include "app/HandlerGuard.h"
#include "app/SetupCommand.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogCommands.h"
#include "catalog/CatalogSearch.h"
#include "catalog/TrackEditing.h"
#include "import/CatalogMeasurement.h"
#include "import/CDImport.h"
#include "import/ImportFormats.h"
#include "import/TrackMeasurement.h"
#include "player/PlayerControl.h"
#include "player/TMPEGPlayer.h"
#include "selection/CopyToDisk.h"
#include "selection/ExternalPlayer.h"
#include "selection/PlayLists.h"
#include "selection/Selection.h"
#include "selection/SelectionFile.h"
#include "selection/TrackFileLocator.h"

#include <QObject>
#include <QStringList>

class Dialogs;
class ErrorReporter;
class ListFocus;
class MountedVolumes;
class ProcessStarter;
class StartupView;
class VolumeMixer;

// The ports through which the core reaches the platform; owned by the caller, they must outlive
// the core.
struct PlatformPorts {
    ErrorReporter &errors;
    ListFocus &focus;
    VolumeMixer &mixer;
    ProcessStarter &processes;
    MountedVolumes &volumes;
};

class ZemloCore : public QObject {
    Q_OBJECT
public:
    static constexpr const char *BaseCaption = "ZEMLO";

    ZemloCore(Dialogs &dialogs, const PlatformPorts &ports, QObject *parent = nullptr);
    // Shutdown: never throws.
    ~ZemloCore() override;

    // Program start: the window's creation steps (FormCreate), the splash window, the catalog
    // named at start and its first row. arguments: the command line, program name first.
    void Start(const QStringList &arguments, StartupView &view);
    // The creation steps alone, in their order; an error ends them and is reported.
    void FormCreate(const QStringList &arguments, StartupView &view);
    // Whether the main window may close: asks about unsaved changes.
    bool FormCloseQuery() { return commands_.FormCloseQuery(); }
    // Unloads the decoder library and releases every track; errors are reported, never thrown.
    void FormDestroy() noexcept;

    // Edits the current track of the list that has the focus.
    void EditTrackBtnClick();
    void Context1Click();

    Dialogs &dialogs() { return dialogs_; }
    const PlatformPorts &ports() const { return ports_; }
    const HandlerGuard &guard() const { return guard_; }
    const Config &config() const { return config_; }
    SetupCommand &setup() { return setup_; }
    Catalog &catalog() { return catalog_; }
    Selection &selection() { return selection_; }
    SelectionFile &selectionFile() { return selectionFile_; }
    CatalogSearch &search() { return search_; }
    TrackEditing &editing() { return editing_; }
    CatalogCommands &commands() { return commands_; }
    TMPEGPlayer &player() { return mp3player; }
    const TrackFileLocator &locator() const { return locator_; }
    TrackMeasurement &measurement() { return measurement_; }
    CatalogMeasurement &catalogMeasurement() { return catalogMeasurement_; }
    PlayLists &playLists() { return playLists_; }
    CopyToDisk &copyToDisk() { return copyToDisk_; }
    ExternalPlayer &externalPlayer() { return externalPlayer_; }
    ImportFormats &importFormats() { return importFormats_; }
    CDImport &cdImport() { return cdImport_; }
    PlayerControl &playerControl() { return playerControl_; }

private:
    Dialogs &dialogs_;
    PlatformPorts ports_;
    HandlerGuard guard_;
    Config config_;
    SetupCommand setup_{dialogs_, ports_.volumes, config_};
    Catalog catalog_;
    Selection selection_;
    SelectionFile selectionFile_{catalog_, selection_, dialogs_};
    CatalogSearch search_;
    TrackEditing editing_;
    CatalogCommands commands_;
    TMPEGPlayer mp3player;
    TrackFileLocator locator_;
    TrackMeasurement measurement_{locator_, mp3player, catalog_};
    CatalogMeasurement catalogMeasurement_{catalog_, selection_, measurement_, mp3player, dialogs_};
    PlayLists playLists_;
    CopyToDisk copyToDisk_;
    ExternalPlayer externalPlayer_;
    ImportFormats importFormats_;
    CDImport cdImport_{config_, catalog_, measurement_, importFormats_, dialogs_};
    PlayerControl playerControl_{{mp3player, catalog_, selection_, locator_, playLists_, externalPlayer_, config_,
                                  dialogs_, ports_.focus, ports_.mixer}};
    bool destroyed_ = false;
};
