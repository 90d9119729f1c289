#include "app/SetupForm.h"
#include "app/ZemloCore.h"
#include "import/ImportInfoForm.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"
#include "widgets/THeader.h"
#include "widgets/QtListFocus.h"
#include "widgets/TMainForm.h"
#include "widgets/TSlider.h"
#include "widgets/TTabListBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
// The program as main() puts it together, on the scripted dialogs.
struct Program {
    explicit Program(ScriptedDialogs &dialogs)
        : platform(dialogs), core(dialogs, {platform.errors, focus, platform, platform, platform}), form(core)
    {
    }
    void create(const QStringList &arguments) { core.FormCreate(arguments, form); }
    TestPlatform platform;
    QtListFocus focus;
    ZemloCore core;
    TMainForm form;
};

struct MainFormFixture : ::testing::Test {
    MainFormFixture() { qputenv("ZEMLO_HOME", home.path().toUtf8()); }
    ~MainFormFixture() override { qunsetenv("ZEMLO_HOME"); }
    // The program started in `home`, its window shown; `setup` runs before the start.
    TMainForm &start(const std::function<void(Program &)> &setup = {})
    {
        program = std::make_unique<Program>(dialogs);
        if (setup)
            setup(*program);
        program->create({"zemlo"});
        program->form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&program->form));
        return program->form;
    }
    template <class T>
    T *child(TMainForm &form, const char *name)
    {
        T *w = form.findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    std::unique_ptr<Program> program;
};
} // namespace

// Start-up errors and the caption are the end-to-end tests' (tests/e2e/startup.sh); here the
// window's own parts: the totals, keys and commands, and the layout on resize.
TEST_F(MainFormFixture, TotalsShowTheCatalogAndTheSelection)
{
    WriteFileBytes(home.filePath("ZEMLO.INI"), "[ZEMLO]\r\nCD=/media/cd\r\nList=Main.lst\r\n");
    WriteFileBytes(home.filePath("Main.lst"), CatalogFileBytes({"CD1; 01:00; 1000; A; B; C; x.mp3"}));
    TMainForm &form = start();
    EXPECT_TRUE(dialogs.asked.empty());
    ASSERT_TRUE(program->core.catalog().LoadCatalog(program->core.catalog().DBFileName()));
    EXPECT_EQ(form.windowTitle(), "ZEMLO - MAIN.LST");
    EXPECT_EQ(child<QLabel>(form, "AllTotal")->text(), "1 files,      0MB, 00:01:00 total.");
    EXPECT_EQ(child<QLabel>(form, "Total")->text(), program->core.selection().total());
}

TEST_F(MainFormFixture, CentredHelpAndCommands)
{
    TMainForm &form = start();
    dialogs.asked.clear();
    form.activateWindow();
    const QRect screen = form.screen()->geometry();
    EXPECT_LE((form.frameGeometry().center() - screen.center()).manhattanLength(), 2);

    QTest::keyClick(&form, Qt::Key_F1);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Information);
    EXPECT_TRUE(dialogs.asked[0].text.startsWith("No way I'm gona write HELP"));
    // F11 runs the measurement of the catalog, which a new catalog, not sorted by CD, refuses.
    dialogs.asked.clear();
    QTest::keyClick(&form, Qt::Key_F11);
    EXPECT_EQ(dialogs.textsAsked(), QStringList{"You must sort the tracks by CD first (Database->Sort)"});
    // The export commands, the list keys and Alt+S are driven by keyboard in tests/e2e/export.sh.
    dialogs.asked.clear();
    dialogs.onForm<SetupForm>([](SetupForm &setup) { setup.CancelBtnClick(); });
    child<QToolButton>(form, "SetupBtn")->click();
    EXPECT_EQ(dialogs.textsAsked(), QStringList{"Setup for ZEMLO"});
    dialogs.asked.clear();
    dialogs.onForm<ImportInfoForm>([](ImportInfoForm &info) { info.BitBtn2Click(); });
    QTest::keyClick(&form, Qt::Key_F12);
    EXPECT_EQ(dialogs.textsAsked(), QStringList{"Import new Tracks"});
}

// The player bar shows what the player control reports and hands it the buttons and sliders;
// playing itself is tests/e2e/player.sh's, with a sound server.
TEST_F(MainFormFixture, PlayerBarShowsAndDrivesThePlayer)
{
    TMainForm &form = start([](Program &p) { p.platform.level = {1000, 40000}; });
    auto *volume = child<TSlider>(form, "Volume");
    EXPECT_EQ(volume->Value(), 61);
    EXPECT_EQ(program->platform.level.left, 1000) << "start-up only reads the volume";

    volume->setFocus();
    QTest::keyClick(volume, Qt::Key_Right);
    EXPECT_EQ(volume->Value(), 80);
    EXPECT_EQ(program->platform.level.left, PlayerControl::ChannelVolume(80));
    EXPECT_EQ(program->platform.level.right, PlayerControl::ChannelVolume(80));

    program->core.playerControl().mp3playerPosUpdate(12500, 245000);
    auto *position = child<TSlider>(form, "Slider1");
    EXPECT_EQ(QStringList({child<QLabel>(form, "PlayOfs")->text(), child<QLabel>(form, "PlayLen")->text()}),
              QStringList({"00:12", "04:05"}));
    EXPECT_EQ(std::make_tuple(position->MaxValue(), position->Increment(), position->Value()),
              std::make_tuple(245000, 24500, 12500));

    dialogs.asked.clear();
    QTest::keyClick(&form, Qt::Key_F9);
    QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(dialogs.asked.empty()) << "empty lists play nothing";
    child<QToolButton>(form, "btnStop")->click();
    EXPECT_EQ(dialogs.textsAsked(), QStringList{"Incorrect mode"});
}

// The buttons read and write a selection list file as F3 and F2 do; after either, closing the
// window asks nothing.
TEST_F(MainFormFixture, SelectionListFileKeysAndButtons)
{
    WriteFileBytes(home.filePath("ZEMLO.INI"), "[ZEMLO]\r\nList=Main.lst\r\n");
    WriteFileBytes(home.filePath("Main.lst"), CatalogFileBytes({"CD1; 01:00; 1; A; B; C; x.mp3", "CD1; 01:00; 1; D; E; F; y.mp3"}));
    const QByteArray listBytes = "CD1\ty.mp3\r\nCD1\tx.mp3\r\n";
    WriteFileBytes(home.filePath("in.m3c"), listBytes);
    TMainForm &form = start();
    ASSERT_TRUE(program->core.catalog().LoadCatalog(program->core.catalog().DBFileName()));
    Selection &selection = program->core.selection();
    const QString fileDialog = "Select CD List FileName|MP3 CD List (*.m3c)";
    struct Case { const char *name; std::function<void()> press; bool load; QString chosen; };
    const Case cases[] = {
        {"LoadListBtn", [&] { child<QToolButton>(form, "LoadListBtn")->click(); }, true, home.filePath("in.m3c")},
        {"SaveListBtn", [&] { child<QToolButton>(form, "SaveListBtn")->click(); }, false, home.filePath("btn.m3c")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form.show();  // again after the case before closed it
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        if (c.load)
            selection.ClearSelection();
        else
            ASSERT_TRUE(program->core.selectionFile().ReadSelectionFile(home.filePath("in.m3c")));
        selection.setSelModified(true);  // as after a drop
        dialogs.asked.clear();
        dialogs.results = {mrYes};
        dialogs.texts = {c.chosen};
        c.press();
        EXPECT_EQ(dialogs.textsAsked(), c.load ? QStringList({"List is not saved. Load anyway ?", fileDialog})
                                               : QStringList{fileDialog});
        EXPECT_EQ(selection.sel().count(), 2);
        EXPECT_EQ(ReadFileBytes(c.chosen), listBytes);
        EXPECT_FALSE(selection.SelModified());
        dialogs.results.clear();
        dialogs.asked.clear();
        EXPECT_TRUE(form.close());
        EXPECT_TRUE(dialogs.asked.empty());
    }
}

// The layout rules are MainLayout's; here resizing and the splitter must reach them, and the
// lists' headers follow their lists.
TEST_F(MainFormFixture, ResizeAndSplitterKeepTheLayoutRules)
{
    TMainForm &form = start();
    auto *total = child<QLabel>(form, "Total");
    auto *all = child<TTabListBox>(form, "all");
    auto *sel = child<TTabListBox>(form, "sel");
    const int totalTop = total->y(), allWidth = all->width(), selWidth = sel->width(),
              listHeight = all->height();

    form.resize(form.width() + 100, form.height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(total->y(), totalTop + 100);
    EXPECT_EQ(all->height(), listHeight + 100);
    EXPECT_EQ(sel->width(), selWidth + 100);
    EXPECT_EQ(child<THeader>(form, "Header2")->width(), sel->width());

    // Drag the splitter 40 pixels to the right.
    auto *splitter = child<QWidget>(form, "Splitter1");
    const QPoint grab(splitter->width() / 2, splitter->height() / 2), to = grab + QPoint(40, 0);
    QTest::mousePress(splitter, Qt::LeftButton, {}, grab);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), splitter->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(splitter, &move);
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, to);
    QApplication::processEvents();
    EXPECT_EQ(all->width(), allWidth + 40);
    EXPECT_EQ(child<THeader>(form, "Header1")->width(), all->width());
    EXPECT_EQ(sel->width(), selWidth + 100 - 40);
    EXPECT_EQ(total->x(), sel->x() + child<QWidget>(form, "Panel1")->x());
}
