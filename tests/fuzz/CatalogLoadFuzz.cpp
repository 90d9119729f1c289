// The bytes of a catalog file, loaded the way the program loads its catalog at start-up: every
// message box is answered, the tracks are sorted, and each record gives its list row and the line
// a save would write.

#include "FuzzSupport.h"
#include "app/NullDialogs.h"
#include "catalog/Catalog.h"
#include "catalog/TSong.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    NullDialogs dialogs;
    Catalog catalog(dialogs, "/nonexistent", "ZEMLO");
    catalog.openCatalogDevice = [data, size](const QString &) { return MemoryDevice(data, size); };
    FUZZ_CHECK(catalog.LoadCatalog(StandInFile()));
    FUZZ_CHECK(!catalog.readIncomplete());
    for (const TSong *song : catalog.all().songs()) {
        song->CatalogRow();
        if (song->CanWriteLine())
            song->CatalogLine();
    }
    return 0;
}
