#pragma once
// Reads a text file line by line for the program's own files (catalog, selection lists, INI).
// A line ends at CR, CR LF or LF; a Ctrl+Z ends the file. The file is UTF-8; when it is not
// valid UTF-8 it is read as Windows-1252, so no byte is lost. Lines come out as UTF-8; by default
// they are cut to the 255 characters that a short string holds. Only regular files are read:
// a pipe or a device would never end.

#include <QIODevice>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

// Whether a path can be read as one of the program's text files, found without reading it.
enum class TextFileState { Readable, Missing, NotRegularFile, Unreadable };
TextFileState CheckTextFile(const QString &path);

class TextLineReader {
public:
    static constexpr size_t ShortLineBytes = 255 * 4;
    explicit TextLineReader(size_t maxLineBytes = ShortLineBytes) : maxLineBytes_(maxLineBytes) {}

    // False when the path is not a readable regular file; state() tells why. The text is read
    // from device when one is given (not yet open, random access), otherwise from the file.
    bool open(const QString &path, std::unique_ptr<QIODevice> device = nullptr);
    // False at the end of the file and after a read error; failed() tells them apart.
    bool readLine(std::string &line);
    // The same line without a copy where it lies whole in the buffer: valid until the next call.
    bool readLine(std::string_view &line);
    bool failed() const { return failed_; }
    // The file's size in bytes when it was opened.
    qint64 size() const { return size_; }
    TextFileState state() const { return state_; }
    bool isCp1252() const { return cp1252_; }

private:
    bool fill();
    void keepPart(const char *part, size_t size);
    bool scanIsUtf8(const QString &path, bool ownFile);
    qint64 readChunk(char *data, qint64 size);

    std::unique_ptr<QIODevice> device_;
    std::unique_ptr<char[]> buffer_;
    size_t chunkSize_ = 0;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    bool failed_ = false;
    bool cp1252_ = false;
    // A CR ended the last chunk: an LF at the start of the next one belongs to it.
    bool crAtChunkEnd_ = false;
    // The line when it spans chunks or is converted from Windows-1252.
    std::string kept_;
    TextFileState state_ = TextFileState::Missing;
    size_t maxLineBytes_;
    qint64 size_ = 0;
};
