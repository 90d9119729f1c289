// One catalog line, as the catalog loader hands it to the parser. A record whose line can be
// written must read back from that line as the same record, each value as the reader gives it
// (trimmed: a value cut to its field's width may end in a blank or a control character).

#include "FuzzSupport.h"
#include "catalog/TSong.h"
#include "util/ShortStr.h"
#include "util/ShortStrings.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ShortStr line = ShortStr::fromUtf8(std::string_view(reinterpret_cast<const char *>(data), size));
    TSong song;
    song.ParseLine(line);
    song.CatalogRow();
    song.SelectionRow();
    song.ArtistKey();
    if (!song.CanWriteLine())
        return 0;
    const ShortStr written = song.CatalogLine();
    // A line of the full 255 characters may have lost the end of its file name.
    if (written.length() >= ShortStr::MaxLen)
        return 0;
    TSong back;
    back.ParseLine(written);
    auto asRead = [](const ShortStr &value) { return TrimBlanks(value).empty() ? ShortStr(" ") : TrimBlanks(value); };
    FUZZ_CHECK(back.CDID() == asRead(song.CDID()));
    FUZZ_CHECK(back.PlayTime() == asRead(song.PlayTime()));
    // The seconds come from the play time's text: a blank cut off its end may change them.
    FUZZ_CHECK(back.Seconds == song.Seconds || back.PlayTime() != song.PlayTime());
    // A negative size is written with its zeros before the sign ("000000-3"), which reads as 0.
    FUZZ_CHECK(back.Size == song.Size || song.Size < 0);
    FUZZ_CHECK(back.Artist() == asRead(song.Artist()));
    FUZZ_CHECK(back.Album() == asRead(song.Album()));
    FUZZ_CHECK(back.Track() == asRead(song.Track()));
    FUZZ_CHECK(back.FileName() == asRead(song.FileName()));
    // Read back once, the record writes a line that reads back as itself.
    FUZZ_CHECK(back.CanWriteLine());
    TSong again;
    again.ParseLine(back.CatalogLine());
    FUZZ_CHECK(again.CatalogLine() == back.CatalogLine());
    return 0;
}
