// An import's name formats and names, one per line: the file-name format, the path format, the
// directory and the file name. A field that its format names once must be a piece of the name,
// and every column of a translated row holds at least one character.

#include "FuzzSupport.h"
#include "import/FileNamePattern.h"
#include "import/NameTranslation.h"
#include "util/ShortStrings.h"

#include <QList>
#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QList<QByteArray> parts = InputBytes(data, size).split('\n');
    parts.resize(4);
    auto part = [&parts](int n) { return ShortStr::fromUtf8(std::string_view(parts[n].constData(), parts[n].size())); };
    const ShortStr format = part(0), pathFormat = part(1), importDir = part(2), fileName = part(3);

    const CompiledPattern pattern = CompilePattern(format);
    FieldBuffers buffers;
    MatchPattern(fileName, pattern, buffers);
    for (NameField field : {ArtistField, AlbumField, TrackField}) {
        const auto named = std::count_if(pattern.elements.begin(), pattern.elements.end(), [field](const PatternElement &e) {
            return e.kind == PatternElement::Placeholder && e.field == field;
        });
        if (named == 1 && !buffers[field].empty())
            FUZZ_CHECK(fileName.pos(buffers[field]) > 0);
        if (named == 0)
            FUZZ_CHECK(buffers[field].empty());
    }

    const PathValues path = MatchPathFormat(importDir, CompilePattern(pathFormat));
    for (const ShortStr &force : {ShortStr(), ShortStr("Forced")}) {
        const NameColumns columns = TranslateRow(fileName, pattern, path, force, force);
        FUZZ_CHECK(!columns.artist.empty() && !columns.album.empty() && !columns.track.empty());
        RowText(fileName, columns);
    }
    return 0;
}
