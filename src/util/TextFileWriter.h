#pragma once
// Writes the program's text files (catalog, selection lists, playlists, batch files): UTF-8,
// CR LF line ends (LF for shell scripts), buffered so that a million lines cost a few large
// writes. The file is written to a temporary file beside it and renamed over the old one only
// when every write succeeded, so a failed or killed save leaves the user's file as it was.

#include "util/ReplacingFile.h"

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

enum class LineEnd { CrLf, Lf };

class TextFileWriter {
public:
    explicit TextFileWriter(const QString &path, LineEnd lineEnd = LineEnd::CrLf);
    TextFileWriter(const TextFileWriter &) = delete;
    TextFileWriter &operator=(const TextFileWriter &) = delete;

    // False when the file cannot be created; an existing path that is not a regular file (a
    // directory, device or pipe) is never replaced.
    bool open();
    // A failure is remembered and reported by commit().
    void writeLine(std::string_view utf8);
    void writeLine(const QString &text);
    // Whole lines at once, each followed by lineEndText() already: a large file made in batches
    // goes to the file without a copy line by line.
    void writeLines(std::string_view utf8);
    std::string_view lineEndText() const { return lineEnd_ == LineEnd::CrLf ? "\r\n" : "\n"; }
    // Writes what is buffered and replaces the file; false (file untouched) when anything failed.
    bool commit();
    QString errorString() const { return error_; }

private:
    bool flush();
    void fail(const QString &what);

    ReplacingFile file_;
    LineEnd lineEnd_;
    std::string buffer_;
    bool ok_ = false;
    QString error_;
};

// Writes the lines as a whole file; false when the file could not be written.
bool WriteTextFile(const QString &path, const QStringList &lines, LineEnd lineEnd = LineEnd::CrLf);
