#pragma once
// A small reader and writer for INI (profile) files. Sections and keys match without regard to
// letter case, the blanks around a value are dropped, a missing key reads as empty, and a
// malformed or binary file never fails: what cannot be read as key=value is skipped. The writer
// changes only the keys it is asked to and keeps every other line as it was.

#include <QString>
#include <QStringList>
#include <map>

class IniFile {
public:
    // Reads the file; a file that does not exist or cannot be read has no keys.
    explicit IniFile(const QString &path);

    bool exists() const { return exists_; }
    QString readString(const QString &section, const QString &key) const;
    void writeString(const QString &section, const QString &key, const QString &value);
    void deleteKey(const QString &section, const QString &key);
    // Writes the file back atomically; false when it could not be written.
    bool save() const;

private:
    struct Location {
        int sectionLine = -1;  // index of the section header, -1 when absent
        int keyLine = -1;      // index of the key's line, -1 when absent
        int sectionEnd = 0;    // index after the last line of the section
    };
    Location locate(const QString &section, const QString &key) const;

    QString path_;
    bool exists_ = false;
    QStringList lines_;
};
