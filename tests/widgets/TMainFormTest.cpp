#include "app/ErrorReporter.h"
#include "app/ZemloCore.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "widgets/THeader.h"
#include "widgets/QtListFocus.h"
#include "widgets/TMainForm.h"
#include "widgets/TTabListBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// The program as main() puts it together, on the scripted dialogs.
struct Program {
    explicit Program(ScriptedDialogs &dialogs) : errors(dialogs), core(dialogs, errors, focus), form(core) {}
    void create(const QStringList &arguments) { core.FormCreate(arguments, form); }
    DialogsErrorReporter errors;
    QtListFocus focus;
    ZemloCore core;
    TMainForm form;
};

struct MainFormFixture : ::testing::Test {
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    MainFormFixture()
    {
        qputenv("ZEMLO_HOME", home.path().toUtf8());
    }
    ~MainFormFixture() override { qunsetenv("ZEMLO_HOME"); }
    template <class T>
    T *child(TMainForm &form, const char *name)
    {
        T *w = form.findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};
} // namespace

TEST_F(MainFormFixture, StartWithoutIniReportsItAndOpensNothing)
{
    Program program(dialogs);
    program.create({"zemlo"});
    TMainForm &form = program.form;
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Error);
    EXPECT_EQ(dialogs.asked[0].text, "ZEMLO.INI not found !");
    EXPECT_EQ(form.core().catalog().DBFileName(), home.path() + "/");
    EXPECT_FALSE(form.core().catalog().LoadCatalog(form.core().catalog().DBFileName()));
    EXPECT_EQ(form.windowTitle(), "ZEMLO - ");
}

TEST_F(MainFormFixture, StartWithIniAndArgument)
{
    WriteFileBytes(home.filePath("ZEMLO.INI"), "[ZEMLO]\r\nCD=/media/cd\r\nList=Main.lst\r\n");
    WriteFileBytes(home.filePath("Main.lst"), CatalogFileBytes({"CD1; 01:00; 1000; A; B; C; x.mp3"}));
    {
        Program program(dialogs);
        program.create({"zemlo"});
        TMainForm &form = program.form;
        EXPECT_TRUE(dialogs.asked.empty());
        EXPECT_EQ(form.core().config().CDPaths[1].toQString(), "/media/cd/");
        ASSERT_TRUE(form.core().catalog().LoadCatalog(form.core().catalog().DBFileName()));
        EXPECT_EQ(form.windowTitle(), "ZEMLO - MAIN.LST");
        EXPECT_EQ(child<QLabel>(form, "AllTotal")->text(), "1 files,      0MB, 00:01:00 total.");
        EXPECT_EQ(child<QLabel>(form, "Total")->text(), form.core().selection().total());
    }
    Program other(dialogs);
    other.create({"zemlo", "Other.lst"});
    EXPECT_EQ(other.core.catalog().DBFileName(), home.filePath("Other.lst"));
}

TEST_F(MainFormFixture, HelpAndDisabledCommands)
{
    Program program(dialogs);
    program.create({"zemlo"});
    TMainForm &form = program.form;
    dialogs.asked.clear();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    QTest::keyClick(&form, Qt::Key_F1);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Information);
    EXPECT_TRUE(dialogs.asked[0].text.startsWith("No way I'm gona write HELP"));
    for (const char *name : {"Setup", "Play Track(s)", "Import new MP3 CDs", "Copy to Disk"}) {
        auto *action = form.findChild<QAction *>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_FALSE(action->isEnabled()) << name;
    }
    EXPECT_TRUE(form.findChild<QAction *>("Save")->isEnabled());
}

TEST_F(MainFormFixture, ResizeAndSplitterKeepTheLayoutRules)
{
    Program program(dialogs);
    program.create({"zemlo"});
    TMainForm &form = program.form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto *total = child<QLabel>(form, "Total");
    auto *allTotal = child<QLabel>(form, "AllTotal");
    auto *all = child<TTabListBox>(form, "all");
    auto *sel = child<TTabListBox>(form, "sel");
    auto *header1 = child<THeader>(form, "Header1");
    auto *header2 = child<THeader>(form, "Header2");
    auto *bar = child<QWidget>(form, "PlayButtons");
    const QRect totalBefore = total->geometry(), barBefore = bar->geometry();
    const int allWidth = all->width(), selWidth = sel->width(), listHeight = all->height();

    form.resize(form.width() + 100, form.height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(total->y(), totalBefore.y() + 100);
    EXPECT_EQ(bar->y(), barBefore.y() + 100);
    EXPECT_EQ(all->height(), listHeight + 100);
    EXPECT_EQ(all->width(), allWidth);
    EXPECT_EQ(sel->width(), selWidth + 100);
    EXPECT_EQ(header2->width(), sel->width());
    EXPECT_EQ(total->width(), sel->width());

    // Drag the splitter 40 pixels to the right.
    auto *splitter = child<QWidget>(form, "Splitter1");
    const QPoint grab(splitter->width() / 2, splitter->height() / 2);
    QTest::mousePress(splitter, Qt::LeftButton, {}, grab);
    QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(40, 0)), splitter->mapToGlobal(QPointF(grab + QPoint(40, 0))),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(splitter, &move);
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, grab + QPoint(40, 0));
    QApplication::processEvents();
    EXPECT_EQ(all->width(), allWidth + 40);
    EXPECT_EQ(header1->width(), all->width());
    EXPECT_EQ(allTotal->width(), all->width());
    EXPECT_EQ(sel->width(), selWidth + 100 - 40);
    EXPECT_EQ(header2->x(), total->x());
    EXPECT_EQ(total->x(), sel->x() + child<QWidget>(form, "Panel1")->x());
    EXPECT_EQ(total->y(), totalBefore.y() + 100);
}

TEST_F(MainFormFixture, CentredOnTheScreenAndAltSOpensSetup)
{
    Program program(dialogs);
    program.create({"zemlo"});
    TMainForm &form = program.form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    const QRect screen = form.screen()->geometry();
    EXPECT_LE(std::abs(form.frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(form.frameGeometry().center().y() - screen.center().y()), 1);

    // Alt+S is also the mnemonic of "&Selections"; the menu item's shortcut goes first.
    auto *setup = form.findChild<QAction *>("Setup");
    ASSERT_NE(setup, nullptr);
    setup->setEnabled(true);  // as it is once Setup has its dialog
    int opened = 0;
    QObject::connect(setup, &QAction::triggered, [&opened] { ++opened; });
    form.allList()->setFocus();
    QTest::keyClick(form.allList(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}
