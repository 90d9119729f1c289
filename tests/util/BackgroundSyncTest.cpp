#include "util/BackgroundSync.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

// Syncs run while the file grows and the file comes out whole; a sync that fails is reported
// at the end, also when no later sync would meet its error.
TEST(BackgroundSync, SyncsAlongTheWayAndReportsAFailureAtTheEnd)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("f").toStdString();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    const std::string block(1 << 20, 'x');
    {
        BackgroundSync sync(fd);
        for (int i = 0; i < 32; ++i) {
            ASSERT_EQ(::write(fd, block.data(), block.size()), static_cast<ssize_t>(block.size()));
            sync.more();
        }
        EXPECT_EQ(sync.finish(), 0);
        EXPECT_EQ(sync.finish(), 0);  // a second finish changes nothing
    }
    ::close(fd);
    EXPECT_EQ(QFileInfo(dir.filePath("f")).size(), 32 << 20);

    // A descriptor that is no longer open fails every sync.
    BackgroundSync failing(fd);
    failing.more();
    EXPECT_EQ(failing.finish(), EBADF);
    // A writer that stops without asking for a sync gets none, and no failure.
    EXPECT_EQ(BackgroundSync(fd).finish(), 0);
}
