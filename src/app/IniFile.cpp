#include "app/IniFile.h"

#include "util/TextFileWriter.h"
#include "util/TextLineReader.h"

#include <cstdint>

namespace {
bool IsSectionLine(const QString &trimmed, QString *name)
{
    if (!trimmed.startsWith('[') )
        return false;
    const int close = trimmed.indexOf(']');
    if (close < 0)
        return false;
    *name = trimmed.mid(1, close - 1).trimmed();
    return true;
}

bool SplitKeyLine(const QString &line, QString *key, QString *value)
{
    const int eq = line.indexOf('=');
    if (eq <= 0)
        return false;
    *key = line.left(eq).trimmed();
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return !key->isEmpty();
}
} // namespace

IniFile::IniFile(const QString &path) : path_(path)
{
    TextLineReader reader(SIZE_MAX);  // keep long lines whole: they are written back
    if (!reader.open(path))
        return;
    exists_ = true;
    std::string line;
    while (reader.readLine(line))
        lines_.append(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

IniFile::Location IniFile::locate(const QString &section, const QString &key) const
{
    Location loc;
    bool inSection = false;
    for (int i = 0; i < lines_.size(); ++i) {
        const QString trimmed = lines_[i].trimmed();
        QString name;
        if (IsSectionLine(trimmed, &name)) {
            if (inSection)
                return loc;
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection) {
                loc.sectionLine = i;
                loc.sectionEnd = i + 1;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!trimmed.isEmpty())
            loc.sectionEnd = i + 1;
        QString k;
        if (loc.keyLine < 0 && SplitKeyLine(trimmed, &k, nullptr) && k.compare(key, Qt::CaseInsensitive) == 0)
            loc.keyLine = i;
    }
    return loc;
}

QString IniFile::readString(const QString &section, const QString &key) const
{
    const Location loc = locate(section, key);
    QString k, value;
    if (loc.keyLine >= 0 && SplitKeyLine(lines_[loc.keyLine], &k, &value))
        return value;
    return {};
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const Location loc = locate(section, key);
    const QString line = key + "=" + value;
    if (loc.keyLine >= 0) {
        lines_[loc.keyLine] = line;
    } else if (loc.sectionLine >= 0) {
        lines_.insert(loc.sectionEnd, line);
    } else {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_.append(QString());
        lines_.append("[" + section + "]");
        lines_.append(line);
    }
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    const Location loc = locate(section, key);
    if (loc.keyLine >= 0)
        lines_.removeAt(loc.keyLine);
}

bool IniFile::save() const
{
    return WriteTextFile(path_, lines_);
}
