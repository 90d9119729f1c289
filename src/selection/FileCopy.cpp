#include "selection/FileCopy.h"

#include "app/ProgressView.h"
#include "util/LongPaths.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {
// Large enough that a file costs few system calls, small enough that the window is served
// often while a big file is copied.
constexpr size_t ChunkSize = 1 << 20;
constexpr int TemporaryNameTries = 100;

// Creates a new hidden file beside target, named after it so a user who sees one knows what it
// was; a name left by an interrupted copy is never reused.
bool CreateTemporaryBeside(const QString &target, QFile &file)
{
    const QString base = WithTrailingSeparator(DirPartOf(target)) + "." + FileNamePartOf(target) + ".part";
    for (int i = 0; i < TemporaryNameTries; ++i) {
        file.setFileName(i == 0 ? base : base + QString::number(i));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        const QFileInfo taken(file.fileName());
        if (!taken.exists() && !taken.isSymLink())
            return false;
    }
    return false;
}

QString SystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Through a buffer, for file systems that cannot copy in the kernel.
bool CopyThroughBuffer(int in, int out, ProgressView &progress, QString &error)
{
    // Kept from file to file: a fresh megabyte would cost its page faults for every file.
    static std::vector<char> buffer(ChunkSize);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got < 0)
                error = SystemError();
            return got == 0;
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t n = ::write(out, buffer.data() + written, static_cast<size_t>(got - written));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error = n < 0 ? SystemError() : QStringLiteral("nothing written");
                return false;
            }
            written += n;
        }
        progress.keepResponsive();
    }
}

// In the kernel where the file systems allow it: the data is not carried through the program.
bool CopyData(int in, int out, ProgressView &progress, QString &error)
{
    for (bool first = true;; first = false) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, ChunkSize, 0);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (first && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
                return CopyThroughBuffer(in, out, progress, error);
            error = SystemError();
            return false;
        }
        progress.keepResponsive();
    }
}
} // namespace

bool CopyFileData(const QString &source, const QString &target, ProgressView &progress, QString &error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = in.errorString();
        return false;
    }
    QFile out;
    if (!CreateTemporaryBeside(target, out)) {
        error = out.errorString();
        return false;
    }
    bool copied = CopyData(in.handle(), out.handle(), progress, error);
    out.close();
    if (copied && out.error() != QFileDevice::NoError) {
        error = out.errorString();
        copied = false;
    }
    // rename() refuses a target that exists by now.
    if (copied && !out.rename(target)) {
        error = out.errorString();
        copied = false;
    }
    if (!copied)
        out.remove();
    return copied;
}
