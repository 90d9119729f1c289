// The bytes of a text file, read line by line with the catalog's line limit, and without one (as
// the INI reader does) in reads of a few bytes. The lines must be those of a plain reference
// split: the text ends at the first Ctrl+Z, lines end at CR LF, CR or LF, and the text is
// Windows-1252 when it is not UTF-8.

#include "FuzzSupport.h"
#include "util/TextLineReader.h"
#include "util/Utf8.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {
std::vector<std::string> ReferenceLines(std::string_view bytes, size_t maxLineBytes)
{
    const std::string_view text = bytes.substr(0, bytes.find('\x1a'));
    const bool cp1252 = !IsValidUtf8(text);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        std::string line(text.substr(start, std::min(end - start, maxLineBytes)));
        lines.push_back(cp1252 ? Cp1252ToUtf8(line) : line);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

void CheckReader(const uint8_t *data, size_t size, size_t maxLineBytes, std::unique_ptr<QIODevice> device)
{
    TextLineReader reader(maxLineBytes);
    FUZZ_CHECK(reader.open(StandInFile(), std::move(device)));
    // Both kinds of readLine, taking turns.
    std::vector<std::string> lines;
    std::string line;
    std::string_view view;
    while (lines.size() % 2 ? reader.readLine(line) : (reader.readLine(view) && (line = view, true)))
        lines.push_back(line);
    FUZZ_CHECK(!reader.failed());
    FUZZ_CHECK(lines == ReferenceLines(std::string_view(reinterpret_cast<const char *>(data), size), maxLineBytes));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CheckReader(data, size, TextLineReader::ShortLineBytes, MemoryDevice(data, size));
    CheckReader(data, size, SIZE_MAX, std::make_unique<ChunkedDevice>(data, size, 1 + size % 16));
    return 0;
}
