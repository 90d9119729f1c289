// The bytes of an INI file, read, then changed the way Setup changes it. Every value written
// must read back, and every other key found in the file must keep the value it had.

#include "FuzzSupport.h"
#include "app/IniFile.h"

#include <QStringList>
#include <algorithm>
#include <utility>
#include <vector>

namespace {
const QString Section = QStringLiteral("ZEMLO");

// Section and key names as they appear in the text, whatever the reader makes of them.
std::vector<std::pair<QString, QString>> NamesIn(const QByteArray &text)
{
    std::vector<std::pair<QString, QString>> names;
    QString section;
    for (const QByteArray &raw : QByteArray(text).replace('\r', '\n').split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const int close = line.indexOf(']');
        if (line.startsWith('[') && close > 0)
            section = line.mid(1, close - 1).trimmed();
        else if (line.indexOf('=') > 0)
            names.emplace_back(section, line.left(line.indexOf('=')).trimmed());
    }
    return names;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    IniFile ini(StandInFile(), MemoryDevice(data, size));
    FUZZ_CHECK(ini.exists() && !ini.readFailed());

    const QStringList oldKeys = {"CD", "CD2", "CD3", "CD4"};
    const std::vector<std::pair<QString, QString>> written = {
        {"CD", "/media/cdrom/"}, {"CD2", "/mnt/cd 2/"}, {"CopyPath", "/home/u/copy/"}, {"Player", "mpv %1"}};
    std::vector<std::pair<std::pair<QString, QString>, QString>> kept;
    for (const auto &name : NamesIn(InputBytes(data, size))) {
        const bool changed = name.first.compare(Section, Qt::CaseInsensitive) == 0
                             && (oldKeys.contains(name.second, Qt::CaseInsensitive)
                                 || std::any_of(written.begin(), written.end(), [&](const auto &w) {
                                        return w.first.compare(name.second, Qt::CaseInsensitive) == 0;
                                    }));
        if (!changed)
            kept.push_back({name, ini.readString(name.first, name.second)});
    }

    ini.replaceKeys(Section, oldKeys, {written[0], written[1]});
    ini.writeString(Section, written[2].first, written[2].second);
    ini.writeString(Section, written[3].first, written[3].second);

    for (const auto &[key, value] : written)
        FUZZ_CHECK(ini.readString(Section, key) == value);
    for (const auto &[name, value] : kept)
        FUZZ_CHECK(ini.readString(name.first, name.second) == value);
    return 0;
}
