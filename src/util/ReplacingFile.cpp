#include "util/ReplacingFile.h"

#include "util/BackgroundSync.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {
const QByteArray TemporaryMark = ".zemlo-save-";
constexpr int RandomLength = 6;
constexpr size_t ToDiskStep = size_t(8) << 20;
constexpr size_t LargeFileBytes = size_t(8) << 20;
const char RandomChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsRandomChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The temporary name must fit where the target's does: a long target name is cut, at the start
// of a character, to leave room for the mark and the random letters.
QByteArray TemporaryPrefix(const QByteArray &targetName)
{
    const auto room = static_cast<qsizetype>(NAME_MAX - 1 - TemporaryMark.size() - RandomLength);
    qsizetype kept = std::min(targetName.size(), room);
    while (kept > 0 && kept < targetName.size() && (static_cast<unsigned char>(targetName[kept]) & 0xC0) == 0x80)
        --kept;
    return '.' + targetName.left(kept) + TemporaryMark;
}

// The file that is replaced: a symbolic link is followed so that it stays a link.
QString FinalTarget(const QString &path)
{
    QFileInfo info(path);
    int depth = 128;
    while (--depth > 0 && info.isSymLink())
        info.setFile(info.symLinkTarget());
    return depth > 0 ? info.absoluteFilePath() : QFileInfo(path).absoluteFilePath();
}

// The directory entry of a rename reaches the disk only with the directory synced.
void SyncDirectory(const QByteArray &dir)
{
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

void CloseInBackground(int fd)
{
    try {
        std::thread([fd] { ::close(fd); }).detach();
    } catch (const std::system_error &) {
        ::close(fd);
    }
}
} // namespace

ReplacingFile::ReplacingFile(const QString &path) : path_(path) {}

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::IsTemporaryNameFor(const QByteArray &fileName, const QByteArray &targetName)
{
    const QByteArray prefix = TemporaryPrefix(targetName);
    if (fileName.size() != prefix.size() + RandomLength || !fileName.startsWith(prefix))
        return false;
    for (const char c : fileName.mid(prefix.size()))
        if (!IsRandomChar(c))
            return false;
    return true;
}

bool ReplacingFile::open()
{
    const QFileInfo target(FinalTarget(path_));
    dir_ = QFile::encodeName(target.absolutePath());
    name_ = QFile::encodeName(target.fileName());
    target_ = dir_ + '/' + name_;
    const QByteArray prefix = dir_ + '/' + TemporaryPrefix(name_);
    struct stat existing {};
    const bool exists = ::stat(target_.constData(), &existing) == 0;
    replacesLarge_ = exists && existing.st_size >= static_cast<off_t>(LargeFileBytes);
    // The rename would replace a file the user may not write; refuse as writing in place would.
    if (exists && ::access(target_.constData(), W_OK) != 0)
        return fail();
    // A new file gets the usual mode less the umask; an existing one keeps its own.
    const mode_t createMode = exists ? S_IRUSR | S_IWUSR : 0666;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = prefix;
        for (int i = 0; i < RandomLength; ++i)
            temporary_ += RandomChars[QRandomGenerator::global()->bounded(int(sizeof RandomChars - 1))];
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        return fail();
    }
    if (exists && ::fchmod(fd_, existing.st_mode & 07777) != 0) {
        fail();
        discard();
        return false;
    }
    return true;
}

bool ReplacingFile::write(const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        data += n;
        size -= static_cast<size_t>(n);
        written_ += static_cast<size_t>(n);
    }
    // The disk starts on what is written while the rest is still being made, so that the sync
    // on commit has little left to wait for. Only advice: a failure shows in that sync.
    if (written_ - startedToDisk_ >= ToDiskStep) {
        ::sync_file_range(fd_, static_cast<off_t>(startedToDisk_), static_cast<off_t>(written_ - startedToDisk_),
                          SYNC_FILE_RANGE_WRITE);
        startedToDisk_ = written_;
        if (!sync_)
            sync_ = std::make_unique<BackgroundSync>(fd_);
        sync_->more();
    }
    return true;
}

bool ReplacingFile::commit()
{
    if (fd_ < 0)
        return false;
    const int fd = fd_;
    fd_ = -1;
    // A large old file stays open over the rename and is let go on a thread of its own: freeing
    // its blocks takes the file system a while, which the save need not wait for.
    const int oldFd = replacesLarge_ ? ::open(target_.constData(), O_RDONLY | O_CLOEXEC) : -1;
    // A sync along the way that failed fails the save: the final one would not see its error.
    const int failedOnTheWay = sync_ ? sync_->finish() : 0;
    sync_.reset();
    errno = failedOnTheWay;
    // Synced before the rename: after a crash the name never stands for a file not yet written.
    const bool synced = failedOnTheWay == 0 && SyncData(fd);
    if (!synced || ::close(fd) != 0 || ::rename(temporary_.constData(), target_.constData()) != 0) {
        fail();
        // Closed also after a failed sync: the removed file's blocks are freed only then.
        if (!synced)
            ::close(fd);
        ::unlink(temporary_.constData());
        temporary_.clear();
        if (oldFd >= 0)
            ::close(oldFd);
        return false;
    }
    if (oldFd >= 0)
        CloseInBackground(oldFd);
    temporary_.clear();
    SyncDirectory(dir_);
    removeLeftovers();
    return true;
}

// Only regular files named exactly as this writer names them for the same target are removed.
void ReplacingFile::removeLeftovers() const
{
    DIR *dir = ::opendir(dir_.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat info {};
        if (IsTemporaryNameFor(entry->d_name, name_)
            && ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

bool ReplacingFile::fail()
{
    error_ = qt_error_string(errno);
    return false;
}

void ReplacingFile::discard()
{
    sync_.reset();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) {
        ::unlink(temporary_.constData());
        temporary_.clear();
    }
}
