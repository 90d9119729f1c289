#include "selection/CopyToDisk.h"

#include "app/Config.h"
#include "app/Dialogs.h"
#include "app/ProgressView.h"
#include "selection/ConversionBatch.h"
#include "selection/CopyOrder.h"
#include "selection/FileCopy.h"
#include "selection/Selection.h"
#include "selection/TrackFileLocator.h"
#include "util/LongPaths.h"

#include <QFileInfo>

namespace {
// What is copied, taken from the records before the first file: while a copy runs the window
// keeps repainting, and nothing of it may depend on records staying as they were.
struct CopyItem {
    QString fileName;
    QString cdId;
};

// The message of a copy that did not end well: the failed files by name, the first few of them.
QString FailureMessage(const QString &dir, const QStringList &failed)
{
    QString text = "Error copying files to " + dir + " !";
    if (failed.isEmpty())
        return text;
    text += "\n" + QString::number(failed.size()) + (failed.size() == 1 ? " file" : " files") + " not copied:";
    for (const QString &f : failed.mid(0, CopyToDisk::NamedFailures))
        text += "\n" + f;
    if (failed.size() > CopyToDisk::NamedFailures)
        text += "\n... and " + QString::number(failed.size() - CopyToDisk::NamedFailures) + " more";
    return text;
}
} // namespace

void CopyToDisk::CopytoDisk1Click()
{
    const QString batch = dialogs_.SaveFileName("Select path & convert batch",
                                                "MP3 conver bat (*.bat);;Shell script (*.sh)", "bat",
                                                config_.CopyPath.toQString(), true);
    if (batch.isEmpty())
        return;
    const QString dir = WithTrailingSeparator(DirPartOf(batch));
    if (!WriteConversionBatch(batch, selection_.sel().songs()))
        dialogs_.ShowError("Error writing conversion batch " + batch + " !");
    const Outcome outcome = CopySelectionFiles(dir);
    if (outcome.finished && outcome.failed.isEmpty())
        dialogs_.ShowInformation("Files copied to " + dir);
    else
        dialogs_.ShowError(FailureMessage(dir, outcome.failed));
}

CopyToDisk::Outcome CopyToDisk::CopySelectionFiles(const QString &dir)
{
    std::vector<CopyItem> items;
    for (const TSong *track : CopyOrder(selection_.sel().songs()))
        items.push_back({track->FileName().toQString(), track->CDID().toQString()});

    Outcome outcome;
    const auto progress = dialogs_.Progress("Copying files", static_cast<int>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        const QString bareName = FileNamePartOf(items[i].fileName);
        progress->setProgress(static_cast<int>(i), bareName);
        const QString target = dir + bareName;
        if (!QFileInfo::exists(target)) {
            QString source = items[i].fileName;
            if (!locator_.EnsureTrackFile(source, items[i].cdId)) {
                outcome.finished = false;
                return outcome;
            }
            QString error;
            if (!CopyFileData(source, target, *progress, error))
                outcome.failed << bareName + " (" + error + ")";
        }
        if (progress->cancelRequested()) {
            outcome.finished = false;
            return outcome;
        }
    }
    return outcome;
}
