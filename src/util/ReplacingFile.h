#pragma once
// A file written under a temporary name beside its target and renamed over the target on commit,
// so that the target is at every moment either the old file or the whole new one, also when the
// program is killed. The temporary file is named ".<name>.zemlo-save-XXXXXX" (six letters or
// digits; a name too long to leave room for that is cut), so that one left behind by a killed
// program is recognisable; a successful commit removes such leftovers for the same target.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <memory>

class BackgroundSync;

class ReplacingFile {
public:
    explicit ReplacingFile(const QString &path);
    ~ReplacingFile();  // an uncommitted temporary file is removed
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    // Creates the temporary file; it takes the mode of an existing target.
    bool open();
    bool isOpen() const { return fd_ >= 0; }
    bool write(const char *data, size_t size);
    // Syncs the data and renames the temporary file over the target.
    bool commit();
    QString fileName() const { return path_; }
    QString errorString() const { return error_; }

    // Whether fileName is the name a temporary file for a target named targetName has.
    static bool IsTemporaryNameFor(const QByteArray &fileName, const QByteArray &targetName);

private:
    bool fail();
    void discard();
    void removeLeftovers() const;

    QString path_;
    // With symbolic links followed: the link stays, the file it names is replaced.
    QByteArray dir_;
    QByteArray name_;
    QByteArray target_;
    QByteArray temporary_;
    int fd_ = -1;
    bool replacesLarge_ = false;
    size_t written_ = 0;
    size_t startedToDisk_ = 0;  // the bytes that the disk was asked to take so far
    std::unique_ptr<BackgroundSync> sync_;  // a large file is synced along the way
    QString error_;
};
