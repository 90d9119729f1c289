#pragma once
// Reads a text file line by line for the program's own files (catalog, selection lists, INI).
// A line ends at CR, CR LF or LF; a Ctrl+Z ends the file. The file is UTF-8; when it is not
// valid UTF-8 it is read as Windows-1252, so no byte is lost. Lines come out as UTF-8; by default
// they are cut to the 255 characters that a short string holds.

#include <QFile>
#include <QString>
#include <string>
#include <vector>

class TextLineReader {
public:
    static constexpr size_t ShortLineBytes = 255 * 4;
    explicit TextLineReader(size_t maxLineBytes = ShortLineBytes) : maxLineBytes_(maxLineBytes) {}

    // False when the file cannot be opened for reading (missing, a directory, no permission).
    bool open(const QString &path);
    bool readLine(std::string &line);
    bool isCp1252() const { return cp1252_; }

private:
    bool fill();
    bool scanIsUtf8();

    QFile file_;
    std::vector<char> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    bool cp1252_ = false;
    size_t maxLineBytes_;
};
