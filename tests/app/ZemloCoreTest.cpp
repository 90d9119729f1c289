// The whole program without a display: start-up, a deletion, New and shutdown, driven through
// the core object as the window drives it; an error in the start-up steps is left to the
// end-to-end start-up run, which makes one by taking the decoder library away.

#include "app/StartupView.h"
#include "app/ZemloCore.h"
#include "selection/SelectionHelpers.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
struct CountingView : StartupView {
    QStringList calls;
    void AdjustListsToFont() override { calls << "AdjustListsToFont"; }
    void ShowSplash() override { calls << "ShowSplash"; }
};

struct CoreFixture : ::testing::Test {
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    TestPlatform platform{dialogs};
    CountingView view;

    CoreFixture()
    {
        static int argc = 1;
        static char name[] = "ZemloCoreTest";
        static char *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);  // the player's timer and the program's directory
        qputenv("ZEMLO_HOME", home.path().toUtf8());
    }
    ~CoreFixture() override { qunsetenv("ZEMLO_HOME"); }
};
} // namespace

// The parts share one catalog, selection list and configuration: start-up fills them, a deletion
// in the catalog reaches the selection list, New saves the list first, and shutdown asks nothing.
TEST_F(CoreFixture, StartDeleteNewAndClose)
{
    WriteFileBytes(home.filePath("ZEMLO.INI"), "[ZEMLO]\r\nCD=/media/cd\r\n");
    WriteFileBytes(home.filePath("main.lst"), CatalogFileBytes({"CD1; 01:00; 1000; Delta; D; d; d.mp3",
                                                                "CD1; 02:00; 2000; Alpha; A; a; a.mp3",
                                                                "CD2; 04:00; 4000; Bravo; B; b; b.mp3"}));
    auto core = std::make_unique<ZemloCore>(dialogs, platform.ports());
    core->Start({"zemlo", "main.lst"}, view);
    EXPECT_EQ(view.calls, (QStringList{"AdjustListsToFont", "ShowSplash"}));
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(core->player().LibraryLoaded());
    EXPECT_EQ(core->config().CDPaths[1].toQString(), "/media/cd/");
    Catalog &catalog = core->catalog();
    SongList &all = catalog.all();
    SongList &sel = core->selection().sel();
    EXPECT_EQ(catalog.caption(), "ZEMLO - MAIN.LST");
    ASSERT_EQ(all.count(), 3);
    EXPECT_EQ(all.currentRow(), 0);
    EXPECT_EQ(all.song(0)->Artist(), ShortStr("Alpha"));  // sorted by Artist at load

    // Alpha and Bravo listed, then Bravo deleted from the catalog.
    all.setSelected(0, true);
    all.setSelected(1, true);
    core->selection().selDragDrop(&all, 0);
    all.clearSelection();
    all.setCurrentRow(1);
    all.setSelected(1, true);
    dialogs.results = {mrYes};
    EXPECT_TRUE(core->editing().allKeyDown(Qt::Key_Delete));
    ASSERT_TRUE(SelNumInvariant(all, sel));
    EXPECT_EQ(all.count(), 2);
    EXPECT_EQ(sel.count(), 1);

    // New: the catalog is not saved, the unsaved list is; so closing asks nothing more.
    dialogs.asked.clear();
    dialogs.results = {mrNo, mrYes};
    dialogs.texts = {home.filePath("sel.m3c")};
    core->commands().NewDBClick();
    const QStringList asked{home.filePath("main.lst") + " has been modified. Save ?", "Save selection list ?",
                            "Select CD List FileName|MP3 CD List (*.m3c)"};
    EXPECT_EQ(dialogs.textsAsked(), asked);
    EXPECT_EQ(ReadFileBytes(home.filePath("sel.m3c")), "CD1\ta.mp3\r\n");
    EXPECT_EQ(all.count(), 0);
    EXPECT_EQ(sel.count(), 0);

    EXPECT_TRUE(core->FormCloseQuery());
    core.reset();  // shutdown asks nothing and writes nothing
    EXPECT_EQ(dialogs.textsAsked(), asked);
}

TEST_F(CoreFixture, GuardReportsWhatEscapesAHandler)
{
    ZemloCore core(dialogs, platform.ports());
    struct Case { std::function<void()> handler; QString reported; };
    const Case cases[] = {
        {[] {}, QString()},
        {[] { throw std::runtime_error("Disk full"); }, "Disk full"},
        {[] { throw 42; }, "Unknown error"},
        // The player's errors, e.g. a command in the wrong state.
        {[&core] { core.player().Stop(); }, "Incorrect mode"},
    };
    for (const auto &c : cases) {
        dialogs.asked.clear();
        core.guard().run(c.handler);
        EXPECT_EQ(dialogs.textsAsked(), c.reported.isNull() ? QStringList() : QStringList{c.reported});
    }
}
