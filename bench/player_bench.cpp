// Player benchmark: Open plus TrackLen through the MPEG player component, the measurement that an
// import runs for every file, over N generated files of each kind, side by side with cat reading
// the same files in the same run.
//
//   player_bench [N] [SECONDS]      (defaults: 1000 files of 30 s each per kind)
//
// One tone is encoded by lame per kind and copied to N files in a temporary directory; the
// decoder library is loaded from the directory of this program. Every figure is the best of
// three passes over files already in the page cache.

#include "player/TMPEGPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {
using Clock = std::chrono::steady_clock;

struct Kind {
    const char *name;
    QStringList lameOptions;
};

const Kind Kinds[] = {
    {"CBR 128 kbit/s, Info header", {"-b", "128"}},
    {"VBR -V 4, Xing header", {"-V", "4"}},
    {"CBR 128 kbit/s, no header (frame scan)", {"-b", "128", "-t"}},
};

QByteArray ToneWav(int seconds)
{
    const int rate = 44100;
    const int samples = seconds * rate;
    QByteArray wav(44 + samples * 4, '\0');
    char *p = wav.data();
    auto put32 = [&p](uint32_t v) { qToLittleEndian(v, p); p += 4; };
    auto put16 = [&p](uint16_t v) { qToLittleEndian(v, p); p += 2; };
    auto putTag = [&p](const char *tag) { memcpy(p, tag, strlen(tag)); p += strlen(tag); };
    putTag("RIFF");
    put32(36 + samples * 4);
    putTag("WAVEfmt ");
    put32(16);
    put16(1);
    put16(2);
    put32(rate);
    put32(rate * 4);
    put16(4);
    put16(16);
    putTag("data");
    put32(samples * 4);
    for (int i = 0; i < samples; ++i) {
        // A gliding tone, so that VBR frames differ in size.
        const double f = 220 + 660 * double(i) / samples;
        const auto v = int16_t(9000 * std::sin(2 * M_PI * f * double(i) / rate));
        put16(uint16_t(v));
        put16(uint16_t(-v));
    }
    return wav;
}

double BestOfThree(const std::function<void()> &work)
{
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

void Run(TMPEGPlayer &player, const QString &wav, const QTemporaryDir &dir, int files, int seconds);

[[noreturn]] void Fail(const QString &text)
{
    fprintf(stderr, "player_bench: %s\n", qPrintable(text));
    exit(1);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? atoi(argv[1]) : 1000;
    const int seconds = argc > 2 ? atoi(argv[2]) : 30;
    if (files <= 0 || seconds <= 0)
        Fail("usage: player_bench [N] [SECONDS]");

    QTemporaryDir dir;
    QFile wav(dir.filePath("tone.wav"));
    if (!wav.open(QIODevice::WriteOnly) || wav.write(ToneWav(seconds)) < 0)
        Fail("cannot write the tone");
    wav.close();

    TMPEGPlayer player;
    player.SetPathToDLL(ShortStr::fromQString(QCoreApplication::applicationDirPath()));
    try {
        player.InitLibrary();
        Run(player, wav.fileName(), dir, files, seconds);
        player.DoneLibrary();
    } catch (const TMPEGError &e) {
        Fail(e.what());
    }
    return 0;
}

namespace {
void Run(TMPEGPlayer &player, const QString &wav, const QTemporaryDir &dir, int files, int seconds)
{

    printf("%d files per kind, %d s each; Open + TrackLen vs cat of the same files\n\n", files, seconds);
    printf("%-40s %9s %14s %12s %8s\n", "kind", "file size", "Open+TrackLen", "cat", "ratio");
    printf("%-40s %9s %14s %12s %8s\n", "", "(bytes)", "(files/s)", "(files/s)", "(time)");
    int kindNo = 0;
    for (const Kind &kind : Kinds) {
        const QString sub = dir.filePath(QString("kind%1").arg(++kindNo));
        QDir().mkpath(sub);
        QProcess lame;
        lame.start("lame", QStringList(kind.lameOptions) << "--quiet" << wav << sub + "/first.mp3");
        if (!lame.waitForFinished(600000) || lame.exitCode() != 0)
            Fail("lame failed; is it installed?");
        QStringList names;
        for (int i = 0; i < files; ++i) {
            names << QString("%1/track%2.mp3").arg(sub).arg(i, 5, 10, QChar('0'));
            if (!QFile::copy(sub + "/first.mp3", names.back()))
                Fail("cannot copy " + names.back());
        }

        int32_t length = -1;
        bool same = true;
        const double open = BestOfThree([&] {
            for (const QString &name : names) {
                player.SetStreamName(name);
                player.Open();
                if (length < 0)
                    length = player.TrackLen();
                same = same && player.TrackLen() == length;
            }
            player.Close();
        });
        if (!same)
            Fail("the files measured differently");

        const double cat = BestOfThree([&] {
            QProcess c;
            c.setStandardOutputFile(QProcess::nullDevice());
            c.start("cat", names);
            if (!c.waitForFinished(600000) || c.exitCode() != 0)
                Fail("cat failed");
        });
        printf("%-40s %9lld %14.0f %12.0f %8.2f   (length %d ms)\n", kind.name,
               static_cast<long long>(QFileInfo(names[0]).size()), files / open, files / cat, open / cat, length);
    }
    printf("\nratio: time of Open + TrackLen divided by the time of cat; below 1 is faster than reading the files.\n");
}
} // namespace
