#include "selection/FileCopy.h"

#include "app/ProgressView.h"
#include "util/LongPaths.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {
// Large enough that a file costs few system calls, small enough that the window is served
// often while a big file is copied.
constexpr qint64 ChunkSize = 1 << 20;
constexpr int TemporaryNameTries = 100;

// Creates a new hidden file beside target, named after it so a user who sees one knows what it
// was; a name left by an interrupted copy is never reused.
bool CreateTemporaryBeside(const QString &target, QFile &file)
{
    const QString base = WithTrailingSeparator(DirPartOf(target)) + "." + FileNamePartOf(target) + ".part";
    for (int i = 0; i < TemporaryNameTries; ++i) {
        const QString name = i == 0 ? base : base + QString::number(i);
        if (QFileInfo::exists(name) || QFileInfo(name).isSymLink())
            continue;
        file.setFileName(name);
        return file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
    }
    return false;
}

bool CopyData(QFile &in, QFile &out, ProgressView &progress, QString &error)
{
    const auto buffer = std::make_unique<char[]>(ChunkSize);
    for (;;) {
        const qint64 got = in.read(buffer.get(), ChunkSize);
        if (got < 0) {
            error = in.errorString();
            return false;
        }
        if (got == 0)
            return true;
        if (out.write(buffer.get(), got) != got) {
            error = out.errorString();
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
        error = out.fileName().isEmpty() ? QStringLiteral("no temporary name free") : out.errorString();
        return false;
    }
    bool copied = CopyData(in, out, progress, error);
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
