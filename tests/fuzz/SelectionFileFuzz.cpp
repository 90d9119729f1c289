// The bytes of a selection list file (".m3c"), read against a small catalog whose keys the
// corpus names. The list must hold each named track once, numbered in list order.

#include "FuzzSupport.h"
#include "app/NullDialogs.h"
#include "catalog/Catalog.h"
#include "catalog/TSong.h"
#include "selection/Selection.h"
#include "selection/SelectionFile.h"

#include <memory>

namespace {
struct ListReader {
    NullDialogs dialogs;
    Catalog catalog{dialogs, "/nonexistent", "ZEMLO"};
    Selection selection{catalog, dialogs};
    SelectionFile file{catalog, selection, dialogs};

    ListReader()
    {
        for (const char *line : {"CD1       ; 03:25; 00004000; Artist; Album; Song; dir\\a.mp3",
                                 "CD1       ; 01:00; 00001000; Artist; Album; Other; dir\\b.mp3",
                                 "Disc 2    ; 10:00; 00009000; \xc3\x89t\xc3\xa9; Caf\xc3\xa9; Song; a\\b\\c.mp3",
                                 "CD3       ; 00:01; 00000001; A; B; C; \"quoted; name\".mp3"}) {
            auto song = std::make_unique<TSong>();
            song->ParseLine(line);
            catalog.AddTrack(std::move(song));
        }
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ListReader reader;
    reader.file.openListDevice = [data, size](const QString &) { return MemoryDevice(data, size); };
    FUZZ_CHECK(reader.file.ReadSelectionFile(StandInFile()));
    const auto &rows = reader.selection.sel().songs();
    for (size_t i = 0; i < rows.size(); ++i)
        FUZZ_CHECK(rows[i]->SelNum == static_cast<int32_t>(i + 1));
    size_t listed = 0;
    for (const TSong *song : reader.catalog.all().songs())
        listed += song->SelNum != 0;
    FUZZ_CHECK(listed == rows.size());
    FUZZ_CHECK(!reader.selection.SelModified());
    return 0;
}
