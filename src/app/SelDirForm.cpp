#include "app/SelDirForm.h"

#include "app/Config.h"
#include "app/Dialogs.h"
#include "app/PlatformPorts.h"
#include "util/ShortStr.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
QString CleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

bool IsReadableDir(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

bool Holds(const QString &root, const QString &path)
{
    return root == "/" || path == root || path.startsWith(root + '/');
}
} // namespace

SelDirForm::SelDirForm(Dialogs &dialogs, MountedVolumes &volumes) : DialogForm(dialogs, mrCancel)
{
    drives_.push_back({"/", true});
    for (const MountedVolume &volume : volumes.volumes()) {
        const QString root = CleanAbsolute(volume.root);
        if (root == "/") {
            drives_.front().ready = volume.ready;
            continue;
        }
        if (std::none_of(drives_.begin(), drives_.end(), [&root](const Drive &d) { return d.root == root; }))
            drives_.push_back({root, volume.ready});
    }
    SetStartPath(QDir::currentPath());
}

QStringList SelDirForm::Drives() const
{
    QStringList roots;
    for (const Drive &d : drives_)
        roots << d.root;
    return roots;
}

int SelDirForm::DriveHolding(const QString &path) const
{
    int best = 0;
    for (int i = 1; i < static_cast<int>(drives_.size()); ++i)
        if (Holds(drives_[i].root, path) && drives_[i].root.size() > drives_[best].root.size())
            best = i;
    return best;
}

void SelDirForm::PointAt(int drive, const QString &dir)
{
    drive_ = drive;
    driveReady_ = drives_[drive].ready && IsReadableDir(dir);
    dirs_ = driveReady_ ? dir : QString();
}

void SelDirForm::SetStartPath(const QString &path)
{
    if (!GoToPath(path))
        GoToPath(QDir::currentPath());
}

bool SelDirForm::GoToPath(const QString &path)
{
    const QString dir = CleanAbsolute(path);
    if (path.isEmpty() || !QFileInfo(dir).isDir())
        return false;
    PointAt(DriveHolding(dir), dir);
    return true;
}

void SelDirForm::DriveComboBox1Change(int index)
{
    if (index >= 0 && index < static_cast<int>(drives_.size()))
        PointAt(index, drives_[index].root);
}

void SelDirForm::DirsChange(const QString &dir)
{
    // Browsing the tree of "/" into a mount point stays in that tree.
    const QString clean = CleanAbsolute(dir);
    if (driveReady_ && Holds(drives_[drive_].root, clean) && IsReadableDir(clean))
        dirs_ = clean;
}

QString SelDirForm::GetChosenPath() const
{
    return driveReady_ ? dirs_ : drives_[drive_].root;
}

bool SelectDir(Dialogs &dialogs, MountedVolumes &volumes, QString &path)
{
    SelDirForm form(dialogs, volumes);
    if (!path.isEmpty())
        form.SetStartPath(path);
    dialogs.SelectPath(form);
    if (form.Choice() != mrOk)
        return false;
    path = ShortStr::fromQString(form.GetChosenPath()).left(ConfigValueLen).toQString();
    return true;
}
