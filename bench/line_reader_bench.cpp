// Text line reader benchmark: reads every line of a file with TextLineReader, several times,
// and prints the wall and CPU time and the rate of the best run. Run it on a file that is
// already cached (read it once before), so that the disk is not what is measured.
//
//   line_reader_bench FILE [RUNS, default 5]

#include "util/TextLineReader.h"

#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

namespace {
struct Run {
    double wall = 0;
    double cpu = 0;
    size_t lines = 0;
    size_t bytes = 0;
};

template <typename Line>
Run ReadAll(const QString &path)
{
    const auto wallStart = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    TextLineReader reader;
    Run run;
    if (!reader.open(path)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    Line line;
    while (reader.readLine(line)) {
        ++run.lines;
        run.bytes += line.size();
    }
    if (reader.failed()) {
        std::fprintf(stderr, "read error in %s\n", qPrintable(path));
        std::exit(1);
    }
    run.cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return run;
}

template <typename Line>
void Report(const char *name, const QString &path, int runs)
{
    Run best;
    best.wall = best.cpu = 1e9;
    for (int i = 0; i < runs; ++i) {
        const Run r = ReadAll<Line>(path);
        best.wall = std::min(best.wall, r.wall);
        best.cpu = std::min(best.cpu, r.cpu);
        best.lines = r.lines;
        best.bytes = r.bytes;
    }
    const double mb = QFileInfo(path).size() / 1e6;
    std::printf("%-22s %8zu lines %10zu bytes  wall %7.1f ms %7.0f MB/s  cpu %7.1f ms %7.0f MB/s\n", name,
                best.lines, best.bytes, best.wall * 1e3, mb / best.wall, best.cpu * 1e3, mb / best.cpu);
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: line_reader_bench FILE [RUNS]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::printf("%s: %.1f MB, best of %d runs\n", argv[1], QFileInfo(path).size() / 1e6, runs);
    Report<std::string>("readLine(std::string)", path, runs);
    Report<std::string_view>("readLine(string_view)", path, runs);
    return 0;
}
