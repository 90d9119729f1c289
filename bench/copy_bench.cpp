// Copy benchmark: N files of SIZE bytes copied by "Copy to Disk" (order, location, temporary
// name and rename of each file) and by `cp` of the same files into an empty directory, in turns,
// in the same run.
//
//   copy_bench [N [SIZE [DIR [ROUNDS [SOURCE_DIR]]]]]
//
// Defaults: 2000 files of 1 MiB, a temporary directory under the working directory, 3 rounds.
// With SOURCE_DIR the files to copy are made in a temporary directory there instead: on another
// file system the kernel cannot copy them by itself, as from a CD.
//
// The written data is flushed (`sync`) before each timed copy, so neither run pays for the
// other's writes. Wall time and CPU time (user + system) are given: on a shared machine the CPU
// time is the steadier of the two.

#include "app/Config.h"
#include "app/NullDialogs.h"
#include "catalog/Catalog.h"
#include "selection/CopyToDisk.h"
#include "selection/Selection.h"
#include "selection/TrackFileLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <sys/resource.h>
#include <vector>

namespace {
bool Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// User and system time of this process or of its waited-for children, in seconds.
double CpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int count = args.size() > 1 ? args[1].toInt() : 2000;
    const qint64 size = args.size() > 2 ? args[2].toLongLong() : 1 << 20;
    QTemporaryDir temporary(args.size() > 3 ? args[3] + "/copy_bench-XXXXXX" : QDir::currentPath() + "/copy_bench-XXXXXX");
    const int rounds = args.size() > 4 ? args[4].toInt() : 3;
    QTemporaryDir sourceTemporary(args.size() > 5 ? args[5] + "/copy_bench-XXXXXX" : temporary.path() + "/cd-XXXXXX");
    const QDir work(temporary.path());
    const QDir cd(sourceTemporary.path());

    NullDialogs dialogs;
    Config config;
    config.CDPaths[1] = ShortStr::fromQString(cd.path() + "/");
    config.CDPathCount = 1;
    Catalog catalog(dialogs, work.path(), "ZEMLO");
    Selection selection(catalog, dialogs);
    TrackFileLocator locator(config, dialogs);
    CopyToDisk copier(config, selection, dialogs, locator);

    std::mt19937_64 random(42);
    QByteArray data(size, Qt::Uninitialized);
    QStringList sources;
    for (int i = 0; i < count; ++i) {
        for (qint64 j = 0; j + 8 <= size; j += 8) {
            const uint64_t r = random();
            std::memcpy(data.data() + j, &r, 8);
        }
        const QString name = QString("Track %1.mp3").arg(i, 5, 10, QChar('0'));
        QFile file(cd.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != size) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
        sources << file.fileName();
        auto track = std::make_unique<TSong>();
        track->ParseLine(ShortStr::fromQString(QString("CD1; 01:00; %1; Artist %2; Album; Track; %3")
                                                   .arg(size).arg(i).arg(name)));
        selection.sel().append(catalog.AddTrack(std::move(track)));
    }

    std::printf("%d files of %lld bytes from %s to %s\n", count, static_cast<long long>(size), qPrintable(cd.path()),
                qPrintable(work.path()));
    std::vector<double> cpSeconds, copySeconds, cpCpu, copyCpu;
    for (int round = 0; round < rounds; ++round) {
        // Alternating which goes first, so neither always meets a warmer cache.
        for (int turn = 0; turn < 2; ++turn) {
            const bool cpTurn = (round + turn) % 2 == 0;
            const QString target = work.filePath(cpTurn ? "cp" : "zemlo");
            work.mkpath(target);
            Run("sync", {});
            const int who = cpTurn ? RUSAGE_CHILDREN : RUSAGE_SELF;
            const double cpuBefore = CpuSeconds(who);
            QElapsedTimer clock;
            clock.start();
            bool ok = true;
            if (cpTurn) {
                ok = Run("cp", sources + QStringList{target + "/"});
            } else {
                const CopyToDisk::Outcome outcome = copier.CopySelectionFiles(target + "/");
                ok = outcome.finished && outcome.failed.isEmpty();
            }
            const double seconds = clock.nsecsElapsed() / 1e9;
            const double cpu = CpuSeconds(who) - cpuBefore;
            Run("sync", {});
            if (!ok || QDir(target).entryList(QDir::Files).size() != count) {
                std::fprintf(stderr, "%s failed\n", cpTurn ? "cp" : "copy");
                return 1;
            }
            // Freed at once, so that the next run reuses the same memory: on a virtual machine
            // memory touched for the first time is slow, and that would be charged to whichever
            // run came second.
            QDir(target).removeRecursively();
            (cpTurn ? cpSeconds : copySeconds).push_back(seconds);
            (cpTurn ? cpCpu : copyCpu).push_back(cpu);
            std::printf("round %d  %-5s %7.3f s wall %7.3f s cpu\n", round + 1, cpTurn ? "cp" : "zemlo", seconds, cpu);
        }
    }
    const auto report = [](const char *what, const std::vector<double> &cp, const std::vector<double> &copy) {
        const double medianCp = Median(cp), medianCopy = Median(copy);
        const double bestCp = *std::min_element(cp.begin(), cp.end());
        const double bestCopy = *std::min_element(copy.begin(), copy.end());
        std::printf("%s median: cp %.3f s, Copy to Disk %.3f s, ratio %.2f; best: cp %.3f s, Copy to Disk %.3f s, "
                    "ratio %.2f\n",
                    what, medianCp, medianCopy, medianCopy / medianCp, bestCp, bestCopy, bestCopy / bestCp);
    };
    report("wall", cpSeconds, copySeconds);
    report("cpu ", cpCpu, copyCpu);
    return 0;
}
