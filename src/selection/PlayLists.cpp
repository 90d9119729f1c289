#include "selection/PlayLists.h"

#include "app/Config.h"
#include "app/Dialogs.h"
#include "selection/Selection.h"
#include "util/LongPaths.h"
#include "util/TextFileWriter.h"

bool PlayLists::WritePlayList(const QString &listName, bool cdPaths) const
{
    const QString firstCDPath = config_.CDPaths[1].toQString();
    const QString listDir = WithTrailingSeparator(DirPartOf(listName));
    QStringList lines;
    for (const TSong *track : selection_.sel().songs()) {
        const QString stored = track->FileName().toQString();
        lines << (cdPaths ? firstCDPath + QString(stored).replace('\\', '/') : listDir + FileNamePartOf(stored));
    }
    return WriteTextFile(listName, lines, LineEnd::CrLf);
}

void PlayLists::CreatePlayList1Click(bool cdPaths)
{
    const QString name =
        dialogs_.SaveFileName("Select Play list FileName", "MP3 Play list (*.m3u)", "m3u", QString(), true);
    if (name.isEmpty())
        return;
    if (!WritePlayList(name, cdPaths))
        dialogs_.ShowInformation("Error creating playlist " + name + " !");
}
