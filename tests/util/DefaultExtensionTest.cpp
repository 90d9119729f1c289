#include "util/DefaultExtension.h"

#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(DefaultExtension, AppliedOnlyToANewNameWithoutExtension)
{
    QTemporaryDir dir;
    WriteFileBytes(dir.filePath("old"), "");
    QDir(dir.path()).mkdir("d.x");
    struct Case { QString chosen; QString expected; };
    const Case cases[] = {
        {dir.filePath("cat"), dir.filePath("cat.lst")},
        {dir.filePath("cat.txt"), dir.filePath("cat.txt")},
        {dir.filePath("old"), dir.filePath("old")},  // an existing file is opened as named
        {dir.filePath("d.x/cat"), dir.filePath("d.x/cat.lst")},  // a dot in a directory is no extension
        {QString(), QString()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(WithDefaultExtension(c.chosen, "lst"), c.expected) << c.chosen.toStdString();
}
