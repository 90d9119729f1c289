#include "app/ZemloCore.h"

#include "app/Dialogs.h"
#include "app/ListFocus.h"
#include "app/Startup.h"
#include "app/StartupView.h"

#include <QCoreApplication>

namespace {
const char *const HelpText =
    "No way I'm gona write HELP for this application. If you're ready to make one.. you're welcomed !";
} // namespace

ZemloCore::ZemloCore(Dialogs &dialogs, const PlatformPorts &ports, QObject *parent)
    : QObject(parent), dialogs_(dialogs), ports_(ports), guard_(ports.errors),
      catalog_(dialogs, ProgramDir(), BaseCaption), selection_(catalog_, dialogs),
      search_(catalog_.all(), dialogs), editing_(catalog_, selection_), commands_(catalog_, selection_, selectionFile_),
      locator_(config_, dialogs), playLists_(config_, selection_, dialogs),
      copyToDisk_(config_, selection_, dialogs, locator_), externalPlayer_(config_, ports.processes, dialogs)
{
    mp3player.SetHandlerGuard(&guard_);
}

ZemloCore::~ZemloCore()
{
    FormDestroy();
}

void ZemloCore::Start(const QStringList &arguments, StartupView &view)
{
    FormCreate(arguments, view);
    view.ShowSplash();
    catalog_.LoadCatalog(catalog_.DBFileName());
    if (catalog_.all().count() > 0)
        catalog_.all().setCurrentRow(0);
}

void ZemloCore::FormCreate(const QStringList &arguments, StartupView &view)
{
    guard_.run([&] {
        for (ShortStr &path : config_.CDPaths)
            path = ShortStr();
        // The decoder library lies beside the executable; a bare name would be resolved from
        // whatever loaded us, which is not always the program. An installed copy finds it by the
        // bare name that InitLibrary tries next, through the executable's RUNPATH.
        mp3player.SetPathToDLL(ShortStr::fromQString(QCoreApplication::applicationDirPath()));
        mp3player.InitLibrary();
        view.AdjustListsToFont();
        selection_.setSelModified(false);
        QString list;
        if (!ReadConfig(IniFileName(), config_, list))
            dialogs_.ShowError("ZEMLO.INI not found !");
        catalog_.setDBFileName(CatalogNameAtStart(list, arguments, ProgramDir()));
        selection_.New1Click();
        playerControl_.ShowDeviceVolume();
    });
}

void ZemloCore::FormDestroy() noexcept
{
    if (destroyed_)
        return;
    destroyed_ = true;
    guard_.run([this] {
        if (mp3player.LibraryLoaded())
            mp3player.DoneLibrary();
    });
    catalog_.ClearCatalog();
}

void ZemloCore::EditTrackBtnClick()
{
    editing_.EditTrackBtnClick(ports_.focus.focusedList());
}

void ZemloCore::Context1Click()
{
    dialogs_.ShowInformation(HelpText);
}
