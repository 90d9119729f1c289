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

QString KeyLine(const QString &key, QString value)
{
    // A line break would end the value and start a line of its own in the file.
    value.replace('\r', ' ').replace('\n', ' ');
    return key + "=" + value;
}
} // namespace

IniFile::IniFile(const QString &path, std::unique_ptr<QIODevice> device) : path_(path)
{
    TextLineReader reader(SIZE_MAX);  // keep long lines whole: they are written back
    if (!reader.open(path, std::move(device))) {
        readFailed_ = reader.failed();
        return;
    }
    exists_ = true;
    std::string line;
    while (reader.readLine(line))
        lines_.append(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    readFailed_ = reader.failed();
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
            if (inSection)
                loc.sectionLine = i;
            continue;
        }
        QString k;
        if (inSection && loc.keyLine < 0 && SplitKeyLine(trimmed, &k, nullptr)
            && k.compare(key, Qt::CaseInsensitive) == 0)
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

int IniFile::sectionLine(const QString &section)
{
    const Location loc = locate(section, QString());
    if (loc.sectionLine >= 0)
        return loc.sectionLine;
    if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
        lines_.append(QString());
    lines_.append("[" + section + "]");
    return static_cast<int>(lines_.size()) - 1;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    replaceKeys(section, {key}, {{key, value}});
}

void IniFile::replaceKeys(const QString &section, const QStringList &keys,
                          const std::vector<std::pair<QString, QString>> &values)
{
    int insertAt = -1;
    int sectionEnd = sectionLine(section) + 1;  // after the last line that is not blank
    for (int i = sectionEnd; i < lines_.size();) {
        const QString trimmed = lines_[i].trimmed();
        QString name, key;
        if (IsSectionLine(trimmed, &name))
            break;
        if (SplitKeyLine(trimmed, &key, nullptr) && keys.contains(key, Qt::CaseInsensitive)) {
            if (insertAt < 0)
                insertAt = i;
            lines_.removeAt(i);
            continue;
        }
        ++i;
        if (!trimmed.isEmpty())
            sectionEnd = i;
    }
    if (insertAt < 0)
        insertAt = sectionEnd;
    for (const auto &[key, value] : values)
        lines_.insert(insertAt++, KeyLine(key, value));
}

bool IniFile::save() const
{
    return !readFailed_ && WriteTextFile(path_, lines_);
}
