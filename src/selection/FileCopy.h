#pragma once
// Copies one file without ever leaving a partial file under the target's name: the data goes to
// a hidden temporary file beside the target, which takes the target's name only when complete.
// An existing target is never replaced.

#include <QString>

class ProgressView;

// false with the reason in `error` when the file could not be copied whole (the temporary file
// is removed then). The progress view is kept responsive between chunks of a big file.
bool CopyFileData(const QString &source, const QString &target, ProgressView &progress, QString &error);
