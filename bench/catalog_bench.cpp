// Catalog benchmark: generates a catalog of N tracks with realistic texts, then times loading,
// sorting, searching, saving, key look-ups and selection list files, side by side with wc and
// sort on the same file.
//
//   catalog_bench N [--keep DIR]
//
// The file is written as the program writes catalogs (generated, loaded and saved once), into a
// temporary directory, or into DIR when --keep is given (kept there for runs of the program).
// The internal modes --generate and --load-save run as child processes, so that their peak
// memory is measured alone.

#include "app/NullDialogs.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogSearch.h"
#include "list/ListNavigation.h"
#include "selection/Selection.h"
#include "selection/SelectionFile.h"
#include "util/TextFileWriter.h"
#include "util/TimeText.h"
#include "util/Utf8.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <locale.h>
#include <malloc.h>
#include <random>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double CpuSeconds(const rusage &u)
{
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double CpuSecondsSelf()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return CpuSeconds(usage);
}

// Wall and CPU time: the machine may be busy with other work, CPU time is the steadier figure.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

Timing Time(const std::function<void()> &work)
{
    const auto start = Clock::now();
    const double cpu = CpuSecondsSelf();
    work();
    return {SecondsSince(start), CpuSecondsSelf() - cpu};
}

long PeakKB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Answers without a window: the search text is scripted, boxes are counted and closed.
class BenchDialogs : public NullDialogs {
public:
    QString searchText;
    int boxes = 0;

    int MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons) override
    {
        ++boxes;
        return NullDialogs::MessageBox(type, text, buttons);
    }
    bool InputQuery(const QString &, const QString &, QString &value) override
    {
        value = searchText;
        return true;
    }
};

// ---- Generation -------------------------------------------------------------------------

class TextMaker {
public:
    explicit TextMaker(uint32_t seed) : rng_(seed) {}

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    template <size_t N>
    const char *pick(const char *const (&list)[N]) { return list[uniform(0, N - 1)]; }

    std::string words(int lo, int hi)
    {
        std::string s;
        const int n = uniform(lo, hi);
        for (int i = 0; i < n; ++i) {
            if (i)
                s += ' ';
            s += pick(Words);
        }
        return s;
    }

    std::string surname()
    {
        std::string s;
        const int n = uniform(2, 3);
        for (int i = 0; i < n; ++i)
            s += chance(0.12) ? pick(AccentedSyllables) : pick(Syllables);
        s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
        return s;
    }

    std::string artist()
    {
        const int kind = uniform(0, 99);
        if (kind < 45)
            return std::string(pick(FirstNames)) + " " + surname();
        if (kind < 70)
            return std::string("The ") + pick(Words) + " " + pick(Words) + "s";
        if (kind < 85)
            return surname() + (chance(0.5) ? "" : std::string(" ") + pick(Words));
        if (kind < 92)
            return surname() + " & " + pick(FirstNames) + " " + surname();
        if (kind < 97)
            return std::string(pick(FirstNames)) + " " + surname() + " " + pick(Ensembles);
        return std::string(pick(ForeignNames)) + " " + pick(ForeignNames);
    }

    std::string album()
    {
        const int kind = uniform(0, 99);
        if (kind < 8)
            return std::string("Greatest Hits Vol. ") + std::to_string(uniform(1, 4));
        if (kind < 14)
            return std::string("Live at the ") + pick(Words) + " " + pick(Words);
        return words(1, 4);
    }

    std::string track()
    {
        std::string t = words(1, 6);
        if (chance(0.06))
            t += chance(0.5) ? " (Live)" : " (Remix)";
        else if (chance(0.03))
            t += " - Part II";
        return t;
    }

private:
    static constexpr const char *Words[] = {
        "Love", "Night", "Heart", "Fire", "Rain", "Dream", "Blue", "River", "Road", "Light", "Shadow",
        "Moon", "Summer", "Winter", "City", "Girl", "Boy", "Time", "World", "Money", "Angel", "Devil",
        "Dance", "Song", "Stone", "Wild", "Sweet", "Lonely", "Crazy", "Golden", "Silver", "Black",
        "White", "Red", "Electric", "Midnight", "Morning", "Sunday", "Paradise", "Highway", "Ocean",
        "Thunder", "Dust", "Echo", "Mirror", "Garden", "Train", "Letter", "Tears", "Smile", "Kiss",
        "Home", "Rock", "Soul", "Blues", "Jazz", "Funk", "Storm", "Wind", "Star", "Sky", "Sun",
        "Island", "Desert", "Forest", "Mountain", "Valley", "Street", "Avenue", "Hotel", "Radio",
        "Machine", "Ghost", "Queen", "King", "Prince", "Soldier", "Sailor", "Stranger", "Lover",
        "Friend", "Enemy", "Hero", "Fool", "Memory", "Promise", "Secret", "Story", "Window", "Door",
        "Bridge", "Tower", "Castle", "Circus", "Carnival", "Velvet", "Crystal", "Diamond", "Glass",
        "Paper", "Neon", "Tokyo", "Berlin", "Paris", "London", "Café", "Señorita", "Déjà Vu",
        "Über", "Fiesta", "Amour", "Noël", "Après", "Mañana", "Città", "Straße", "Zürich", "Ève"};
    static constexpr const char *FirstNames[] = {
        "John", "Paul", "Mary", "Anna", "David", "Peter", "Susan", "Mike", "Laura", "Chris", "Kate",
        "Tom", "Nina", "Frank", "Elena", "Marco", "Björn", "Zoë", "José", "Chloé", "Søren", "Łukasz",
        "Jürgen", "Renée", "François", "Åsa", "Dvořák", "Ana", "Luis", "Jean", "Ingrid", "Miles",
        "Ella", "Nick", "Joni", "Neil", "Patti", "Lou", "Iggy", "Aretha", "Ray", "Otis", "Sam"};
    static constexpr const char *Syllables[] = {
        "ka", "lo", "mi", "ne", "ro", "sa", "tu", "vi", "ber", "don", "el", "fa", "gar", "hon", "is",
        "jo", "ken", "lin", "mar", "nor", "per", "quin", "ras", "son", "ter", "ul", "van", "wil",
        "mor", "ston", "ley", "ford", "ton", "man", "sen", "berg", "ski", "ez", "ini", "ov"};
    static constexpr const char *AccentedSyllables[] = {"mö", "rós", "ün", "ça", "é", "ña", "ø", "å", "ž"};
    static constexpr const char *Ensembles[] = {"Band", "Quartet", "Trio", "Orchestra", "Experience", "Group"};
    static constexpr const char *ForeignNames[] = {"Кино", "Ария", "Мумий", "Тролль", "坂本", "龍一",
                                                   "Βαγγέλης", "Σαββόπουλος", "Ääniraita", "Øresund"};

    std::mt19937 rng_;
};

// Cut to at most n code points.
std::string CutChars(const std::string &utf8, int n)
{
    return Utf8Length(utf8) <= n ? utf8 : ShortStr::fromUtf8(utf8).left(n).toUtf8();
}

// Writes N unpadded track lines in import order: CD by CD, artists with several albums.
void WriteRawCatalog(long n, const std::string &path)
{
    TextMaker make(20240601);
    std::ofstream out(path, std::ios::binary);
    out << "title\r\nruler\r\n";
    long written = 0;
    int cd = 1, onCD = 0, cdSize = make.uniform(130, 170);
    std::set<std::string> onThisCD;  // file names are unique on a CD
    while (written < n) {
        const std::string artist = make.artist();
        const int albums = make.uniform(1, 12);
        for (int a = 0; a < albums && written < n; ++a) {
            const std::string album = make.album();
            const int tracks = make.uniform(10, 15);
            for (int t = 1; t <= tracks && written < n; ++t) {
                if (onCD++ == cdSize) {
                    ++cd;
                    onCD = 1;
                    onThisCD.clear();
                    cdSize = make.uniform(130, 170);
                }
                char cdid[16];
                std::snprintf(cdid, sizeof cdid, "MP3CD%04d", cd);
                const std::string title = make.track();
                char number[16];
                std::snprintf(number, sizeof number, "%02d", t);
                std::string file = CutChars(make.chance(0.7)
                                                ? artist + "\\" + album + "\\" + number + " - " + title + ".mp3"
                                                : "MP3\\" + artist + " - " + album + "\\" + number + ". " + title + ".mp3",
                                            80);
                for (int copy = 2; !onThisCD.insert(file).second; ++copy)
                    file = CutChars(file, 75) + "~" + std::to_string(copy);
                int seconds = make.uniform(120, 420);
                if (make.chance(0.05))
                    seconds = make.uniform(420, 900);
                else if (make.chance(0.005))
                    seconds = make.chance(0.1) ? make.uniform(6000, 7000) : make.uniform(900, 3600);
                const int bytesPerSecond = make.chance(0.2) ? 40000 : 16000;
                out << cdid << "; " << MinutesSeconds(seconds).left(5).toUtf8() << "; " << seconds * bytesPerSecond + make.uniform(0, 9999)
                    << "; " << artist << "; " << album << "; " << title << "; " << file << "\r\n";
                ++written;
            }
        }
    }
}

int GenerateMode(long n, const QString &path)
{
    const QString raw = path + ".raw";
    WriteRawCatalog(n, raw.toStdString());
    BenchDialogs dialogs;
    Catalog catalog(dialogs, "", "ZEMLO");
    catalog.sortOnLoad = false;
    if (!catalog.LoadCatalog(raw) || !catalog.SaveCatalog(path))
        return 1;
    QFile::remove(raw);
    return 0;
}

int LoadSaveMode(const QString &path, const QString &out)
{
    BenchDialogs dialogs;
    Catalog catalog(dialogs, "", "ZEMLO");
    const bool ok = catalog.LoadCatalog(path) && catalog.SaveCatalog(out);
    return ok ? 0 : 1;
}

// ---- Child processes --------------------------------------------------------------------

struct ChildRun {
    Timing time;
    long peakKB = 0;
    bool ok = false;
};

// Runs a command with its output thrown away, with LC_ALL set (nothing when empty).
ChildRun RunChild(const std::vector<std::string> &args, const std::string &lcAll)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e)
        if (std::strncmp(*e, "LC_ALL=", 7) != 0)
            env.emplace_back(*e);
    if (!lcAll.empty())
        env.push_back("LC_ALL=" + lcAll);
    std::vector<char *> argv, envp;
    for (const auto &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto &e : env)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    const auto start = Clock::now();
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid) {
            run.time = {SecondsSince(start), CpuSeconds(usage)};
            run.peakKB = usage.ru_maxrss;
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

bool LocaleExists(const char *name)
{
    locale_t l = newlocale(LC_ALL_MASK, name, nullptr);
    if (!l)
        return false;
    freelocale(l);
    return true;
}

// ---- Report -----------------------------------------------------------------------------

void Row(const char *what, Timing t, const std::string &note = {})
{
    std::printf("  %-44s %9.3f s %9.3f s  %s\n", what, t.wall, t.cpu, note.c_str());
}

void Header(const char *title)
{
    std::printf("%-46s %9s   %9s\n", title, "wall", "CPU");
}

std::string MB(long kb)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", kb / 1024.0);
    return buf;
}

int BenchMode(long n, const QString &keepDir)
{
    QTemporaryDir temp;
    const QString dir = keepDir.isEmpty() ? temp.path() : keepDir;
    QDir().mkpath(dir);
    const QString file = QDir(dir).filePath(QString("bench%1.lst").arg(n));
    const std::string self = QCoreApplication::applicationFilePath().toStdString();

    std::printf("Catalog benchmark, N = %ld tracks\n", n);
    // A kept file is used again: generating is deterministic.
    ChildRun gen;
    gen.ok = !keepDir.isEmpty() && QFileInfo::exists(file);
    if (!gen.ok)
        gen = RunChild({self, "--generate", std::to_string(n), file.toStdString()}, "");
    if (!gen.ok) {
        std::fprintf(stderr, "cannot generate %s\n", qPrintable(file));
        return 1;
    }
    const qint64 fileBytes = QFileInfo(file).size();
    std::printf("  file %s: %.1f MB, %.1f bytes per line (generated in %.1f s)\n\n", qPrintable(file),
                fileBytes / 1048576.0, double(fileBytes) / n, gen.time.wall);

    Header("Same file, child processes (output to /dev/null):");
    const std::string path = file.toStdString();
    Row("wc -l", RunChild({"wc", "-l", path}, "C").time);
    Row("LC_ALL=C sort", RunChild({"sort", path}, "C").time);
    Row("LC_ALL=C sort -f", RunChild({"sort", "-f", path}, "C").time);
    Timing utf8SortF;
    for (const char *locale : {"C.UTF-8", "en_US.UTF-8"}) {
        if (!LocaleExists(locale))
            continue;
        const ChildRun r = RunChild({"sort", "-f", path}, locale);
        if (utf8SortF.wall == 0)
            utf8SortF = r.time;
        Row(("LC_ALL=" + std::string(locale) + " sort -f").c_str(), r.time, "peak " + MB(r.peakKB));
    }
    const QString saved = QDir(dir).filePath("saved.lst");
    const ChildRun loadSave = RunChild({self, "--load-save", path, saved.toStdString()}, "");
    Row("zemlo core: load (forced sort) + save", loadSave.time, "peak " + MB(loadSave.peakKB) + " (new process)");
    // The same on an empty catalog: what the process takes before any track.
    const QString empty = QDir(dir).filePath("empty.lst");
    {
        QFile f(empty);
        f.open(QIODevice::WriteOnly);
        f.write("title\r\nruler\r\n");
    }
    const ChildRun baseline = RunChild({self, "--load-save", empty.toStdString(), saved.toStdString()}, "");
    QFile::remove(empty);
    std::printf("\n");

    Header("In this process:");
    BenchDialogs dialogs;
    Catalog catalog(dialogs, "", "ZEMLO");
    CatalogSort &sorter = catalog.sorter();
    const QString name = file;
    const size_t heapBefore = HeapInUse();
    catalog.sortOnLoad = false;
    const Timing loadTime = Time([&] { catalog.LoadCatalog(name); });
    Row("LoadCatalog without the sort", loadTime);
    catalog.sortOnLoad = true;
    Row("LoadCatalog with the forced sort by Artist", Time([&] { catalog.LoadCatalog(name); }));
    const size_t heapAfter = HeapInUse();
    if (catalog.all().count() != n) {
        std::fprintf(stderr, "loaded %d tracks instead of %ld\n", catalog.all().count(), n);
        return 1;
    }
    catalog.all().setCurrentRow(catalog.all().count() / 2);
    Row("Sort by Album & Track", Time([&] { sorter.SortbySong1Click(); }));
    Row("Sort by CD", Time([&] { sorter.SortbyCD1Click(); }));
    Row("Sort by Play Time", Time([&] { sorter.SortbyTime1Click(); }));
    Row("Sort by Artist", Time([&] { sorter.SortbyBand1Click(); }));
    Row("Reversed (toggle)", Time([&] { sorter.ReversedSortClick(); }));
    sorter.ReversedSortClick();

    CatalogSearch search(catalog.all(), dialogs);
    dialogs.searchText = "no such text in any row";
    catalog.all().setCurrentRow(-1);
    const int boxesBefore = dialogs.boxes;
    const Timing searchTime = Time([&] { search.FindBtnClick(); });
    Row("Search that finds nothing (all rows)", searchTime,
        dialogs.boxes == boxesBefore + 1 ? "\"Not Found !\"" : "unexpected result");
    // Type-ahead with a character that starts no artist walks round every row.
    ListNavigation navigation(catalog.all());
    catalog.all().setCurrentRow(0);
    const Timing typeAheadTime = Time([&] { navigation.typeAhead("~", 1); });
    Row("Type-ahead that finds nothing (all rows)", typeAheadTime,
        catalog.all().currentRow() == 0 ? "no row" : "unexpected result");
    const Timing saveTime = Time([&] { catalog.SaveCatalog(saved); });
    Row("SaveCatalog", saveTime);
    // The keys as a selection file gives them, built before the timing.
    std::vector<std::string> keys;
    keys.reserve(catalog.all().songs().size());
    for (const TSong *s : catalog.all().songs())
        keys.push_back(s->CDIDUtf8() + "\t" + std::string(s->FileNameUtf8()));
    long missing = 0;
    const Timing lookUps = Time([&] {
        for (size_t i = 0; i < keys.size(); ++i)
            missing += catalog.songIndex().find(std::string_view(keys[i])) != catalog.all().song(static_cast<int>(i));
    });
    char perLookUp[64];
    std::snprintf(perLookUp, sizeof perLookUp, "%.3f us per look-up, ", lookUps.wall * 1e6 / double(keys.size()));
    Row("SongIndex look-up of every track", lookUps,
        perLookUp + (missing ? std::to_string(missing) + " not found" : std::string("all found")));
    keys = {};

    // An import of 1,000 new tracks, one batch per directory of 10 files.
    std::vector<std::vector<std::unique_ptr<TSong>>> batches(100);
    for (size_t b = 0; b < batches.size(); ++b) {
        for (int i = 0; i < 10; ++i) {
            auto song = std::make_unique<TSong>();
            song->ParseLine(ShortStr::fromUtf8("NEWCD; 03:00; 3000000; New; Album " + std::to_string(b) + "; Song "
                                               + std::to_string(i) + "; dir" + std::to_string(b) + "\\song"
                                               + std::to_string(i) + ".mp3"));
            batches[b].push_back(std::move(song));
        }
    }
    const int before = catalog.songIndex().count();
    const Timing imported = Time([&] {
        for (auto &batch : batches)
            catalog.AddTracks(std::move(batch));
    });
    Row("AddTracks: 1,000 new tracks in batches of 10", imported,
        catalog.songIndex().count() == before + 1000 ? "all indexed" : "index count wrong");

    // A selection list of up to 100,000 tracks spread over the catalog, every other key in
    // capitals where they fold back to the key ("ß" would become "SS").
    const long listLines = std::min(n, 100000L);
    const QString listFile = QDir(dir).filePath("bench.m3c");
    {
        TextFileWriter writer(listFile);
        writer.open();
        for (long i = 0; i < listLines; ++i) {
            const QString key = catalog.all().song(static_cast<int>(i * (n / listLines)))->CDKey().toQString();
            const QString upper = key.toUpper();
            writer.writeLine(i % 2 && upper.toCaseFolded() == key.toCaseFolded() ? upper : key);
        }
        writer.commit();
    }
    Selection selection(catalog, dialogs);
    SelectionFile selectionFile(catalog, selection, dialogs);
    bool listRead = false;
    const Timing readList = Time([&] { listRead = selectionFile.ReadSelectionFile(listFile); });
    Row(("ReadSelectionFile: " + std::to_string(listLines) + " lines").c_str(), readList,
        !listRead ? "read failed" : selection.sel().count() == listLines ? "all listed" : "rows missing");
    bool listWritten = false;
    const Timing writeList = Time([&] { listWritten = selectionFile.WriteSelectionFile(listFile); });
    Row("WriteSelectionFile of that list", writeList, listWritten ? "" : "write failed");
    QFile::remove(listFile);

    const long peak = PeakKB();
    std::printf("\nMemory:\n");
    std::printf("  in-memory catalog (record + texts + row + index): %.0f bytes per track\n",
                double(heapAfter - heapBefore) / n);
    std::printf("  peak of this process (ru_maxrss): %s, %.0f bytes per track\n", MB(peak).c_str(), peak * 1024.0 / n);
    std::printf("  peak of load + forced sort + save alone: %s, %.0f bytes per track\n", MB(loadSave.peakKB).c_str(),
                loadSave.peakKB * 1024.0 / n);
    std::printf("  the same with an empty catalog: %s (so %.0f bytes per track above it)\n", MB(baseline.peakKB).c_str(),
                (loadSave.peakKB - baseline.peakKB) * 1024.0 / n);

    auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
    const double fileMB = fileBytes / 1e6;
    std::printf("\nGoals (wall times; core library in a new process, the program adds its window):\n");
    std::printf("  peak of load + sort + save %s vs 1.3 x file size %s: %s\n", MB(loadSave.peakKB).c_str(),
                MB(long(1.3 * fileBytes / 1024)).c_str(), verdict(loadSave.peakKB * 1024.0 <= 1.3 * fileBytes));
    if (utf8SortF.wall > 0)
        std::printf("  load + sort + save %.2f s (CPU %.2f s) vs LC_ALL=C.UTF-8 sort -f %.2f s (CPU %.2f s): %s\n",
                    loadSave.time.wall, loadSave.time.cpu, utf8SortF.wall, utf8SortF.cpu,
                    verdict(loadSave.time.wall <= utf8SortF.wall));
    std::printf("  load without the sort %.0f MB/s (CPU %.0f MB/s) vs 500 MB/s: %s\n", fileMB / loadTime.wall,
                fileMB / loadTime.cpu, verdict(fileMB / loadTime.wall >= 500));
    std::printf("  save %.0f MB/s (CPU %.0f MB/s) vs 400 MB/s: %s\n", fileMB / saveTime.wall, fileMB / saveTime.cpu,
                verdict(fileMB / saveTime.wall >= 400));
    std::printf("  SongIndex look-up %.3f us vs 0.3 us: %s\n", lookUps.wall * 1e6 / n, verdict(lookUps.wall * 1e6 / n < 0.3));
    std::printf("  search that finds nothing %.0f ms vs 50 ms: %s\n", searchTime.wall * 1e3,
                verdict(searchTime.wall < 0.05));
    std::printf("  type-ahead that finds nothing %.0f ms vs 50 ms: %s\n", typeAheadTime.wall * 1e3,
                verdict(typeAheadTime.wall < 0.05));
    QFile::remove(saved);
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args[1] == "--generate")
        return GenerateMode(args[2].toLong(), args[3]);
    if (args.size() == 4 && args[1] == "--load-save")
        return LoadSaveMode(args[2], args[3]);
    long n = args.size() >= 2 ? args[1].toLong() : 0;
    QString keep;
    if (args.size() == 4 && args[2] == "--keep")
        keep = args[3];
    if (n <= 0 || (args.size() != 2 && keep.isEmpty())) {
        std::fprintf(stderr, "usage: catalog_bench N [--keep DIR]\n");
        return 2;
    }
    return BenchMode(n, keep);
}
