#pragma once
// A small reader and writer for INI (profile) files. Sections and keys match without regard to
// letter case, the blanks around a value are dropped, a missing key reads as empty, and a
// malformed or binary file never fails: what cannot be read as key=value is skipped. The writer
// changes only the keys it is asked to and keeps every other line as it was.

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

class IniFile {
public:
    // Reads the file (from device when one is given, as TextLineReader does); a file that does
    // not exist or cannot be read has no keys.
    explicit IniFile(const QString &path, std::unique_ptr<QIODevice> device = nullptr);

    const QString &path() const { return path_; }
    bool exists() const { return exists_; }
    // The file exists but could not be read to its end: its keys are only those read so far.
    bool readFailed() const { return readFailed_; }
    QString readString(const QString &section, const QString &key) const;
    // A value is one line: line breaks in it are stored as blanks.
    void writeString(const QString &section, const QString &key, const QString &value);
    // Removes every line of the given keys from the section and puts the new key=value lines
    // where the first of them stood (at the section's end when none was there).
    void replaceKeys(const QString &section, const QStringList &keys,
                     const std::vector<std::pair<QString, QString>> &values);
    // Writes the file back atomically; false when it could not be written, and always after a
    // read error, so a partly read file is never written over with what is left of it.
    bool save() const;

private:
    struct Location {
        int sectionLine = -1;  // index of the section header, -1 when absent
        int keyLine = -1;      // index of the key's line, -1 when absent
    };
    Location locate(const QString &section, const QString &key) const;

    // Ensures the section exists; returns the index of its header line.
    int sectionLine(const QString &section);

    QString path_;
    bool exists_ = false;
    bool readFailed_ = false;
    QStringList lines_;
};
