#pragma once
// The conversion script written beside copied files: one command per selection row, in list
// order, that converts the row's file to song01.wav, song02.wav, ... A name ending in ".sh" gets a
// POSIX shell script (LF line ends, executable); any other name the batch file form (CR LF).

#include "catalog/TSong.h"

#include <QString>
#include <vector>

// false when the file could not be written whole; an existing file is then left as it was.
bool WriteConversionBatch(const QString &path, const std::vector<TSong *> &rows);
