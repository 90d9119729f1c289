#include "selection/ConversionBatch.h"

#include "util/LongPaths.h"
#include "util/ShortStrings.h"
#include "util/TextFileWriter.h"

#include <QFile>

#include <utility>

namespace {
// Inside double quotes the shell still expands "$" and "`" and ends the text at '"'; a file
// named so must reach conv unchanged, not run as a command. A bare file name holds no "\".
QString ShellQuotedText(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == '$' || c == '`' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

// Whoever may read the script may run it.
bool MakeExecutable(const QString &path)
{
    QFileDevice::Permissions permissions = QFile::permissions(path);
    const std::pair<QFileDevice::Permission, QFileDevice::Permission> readToExe[] = {
        {QFileDevice::ReadOwner, QFileDevice::ExeOwner},
        {QFileDevice::ReadGroup, QFileDevice::ExeGroup},
        {QFileDevice::ReadOther, QFileDevice::ExeOther}};
    for (const auto &[read, exe] : readToExe)
        if (permissions & read)
            permissions |= exe;
    return QFile::setPermissions(path, permissions);
}
} // namespace

bool WriteConversionBatch(const QString &path, const std::vector<TSong *> &rows)
{
    const bool shell = path.endsWith(".sh", Qt::CaseInsensitive);
    QStringList lines;
    if (shell)
        lines << "#!/bin/sh";
    for (size_t i = 0; i < rows.size(); ++i) {
        const QString file = FileNamePartOf(rows[i]->FileName().toQString());
        const QString wav = "song" + IntToZeroPadded(static_cast<int32_t>(i + 1), 2).toQString() + ".wav";
        lines << (shell ? "conv \"" + ShellQuotedText(file) + "\" " + wav : "call conv \"" + file + "\" " + wav);
    }
    if (!WriteTextFile(path, lines, shell ? LineEnd::Lf : LineEnd::CrLf))
        return false;
    return !shell || MakeExecutable(path);
}
