#include "PlayerMedia.h"

#include "player/TMPEGError.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {
QTemporaryDir &MediaDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A 440 Hz tone, as raw 16-bit little-endian samples.
QByteArray Tone(int seconds, int rate, int channels)
{
    QByteArray pcm;
    for (int i = 0; i < seconds * rate; ++i) {
        char sample[2];
        qToLittleEndian(int16_t(8000 * std::sin(2 * M_PI * 440.0 * i / rate)), sample);
        for (int channel = 0; channel < channels; ++channel)
            pcm.append(sample, 2);
    }
    return pcm;
}

// Runs a program (found on PATH) to its end; throws when it cannot start or does not exit with 0.
// A plain fork and exec: Qt's process start runs the child in the parent's memory until exec,
// after which ThreadSanitizer no longer sees the calling thread's locks and reports races that
// are none.
void RunProgram(const QStringList &args)
{
    std::vector<QByteArray> words;
    for (const QString &arg : args)
        words.push_back(QFile::encodeName(arg));
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    while (pid > 0 && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (pid < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args.join(' ').toStdString() + " failed");
}

// A tone of that length encoded by lame with the given options; once per name.
QString Encoded(const QString &name, int seconds, int rate, int channels, const QStringList &options)
{
    static std::map<QString, QString> made;
    QString &mp3 = made[name];
    if (mp3.isEmpty()) {
        const QString raw = MediaDir().filePath(name + ".raw"), path = MediaDir().filePath(name + ".mp3");
        WriteFileBytes(raw, Tone(seconds, rate, channels));
        RunProgram(QStringList{"lame"} + options + QStringList{"-r", "--quiet", raw, path});
        mp3 = path;
    }
    return mp3;
}
} // namespace

QString Mp3File(Mp3Kind kind)
{
    // lame's options for each kind, in the order of Mp3Kind.
    static const QStringList options[] = {{"-b", "128"}, {"-V", "4"}, {"-b", "128", "-t"}, {"-m", "m", "-s", "22.05"}};
    const bool mono = kind == Mp3Kind::Mono;
    return Encoded(QString("tone%1").arg(int(kind)), mono ? 3 : 4, mono ? 22050 : 44100, mono ? 1 : 2, options[int(kind)]);
}

QString Mp3OfLength(int seconds, bool vbr)
{
    return Encoded(QString("%1s-%2").arg(seconds).arg(vbr ? "vbr" : "cbr"), seconds, 16000, 1,
                   {vbr ? "-V" : "-b", vbr ? "9" : "64", "-s", "16", "-m", "m"});
}

QByteArray Mp3Bytes(Mp3Kind kind)
{
    return ReadFileBytes(Mp3File(kind));
}

QString ScratchDir()
{
    static int n = 0;
    const QString dir = MediaDir().filePath(QString("scratch%1").arg(++n));
    QDir().mkpath(dir);
    return dir;
}

QString WriteScratchFile(const QString &name, const QByteArray &bytes)
{
    const QString path = ScratchDir() + "/" + name;
    WriteFileBytes(path, bytes);
    return path;
}

// The library writes the plain 44-byte header: RIFF, a 16-byte fmt chunk, then the data.
WavInfo ReadWav(const QString &path)
{
    WavInfo w;
    const QByteArray b = ReadFileBytes(path);
    if (b.size() < 44 || !b.startsWith("RIFF") || b.mid(8, 8) != "WAVEfmt " || b.mid(36, 4) != "data")
        return w;
    auto u16 = [&b](int at) { return qFromLittleEndian<uint16_t>(b.constData() + at); };
    auto u32 = [&b](int at) { return qFromLittleEndian<uint32_t>(b.constData() + at); };
    w.channels = u16(22);
    w.rate = int(u32(24));
    w.bitsPerSample = u16(34);
    w.data = b.mid(44);
    w.valid = u32(16) == 16 && u16(20) == 1 && u32(40) == uint32_t(w.data.size());
    return w;
}

QString BinDir()
{
    const QByteArray env = qgetenv("ZEMLO_BIN_DIR");
    return env.isEmpty() ? QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath() : QString::fromLocal8Bit(env);
}

bool MayHaveSoundOutput()
{
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    return QFileInfo::exists("/dev/snd") || QFileInfo::exists("/dev/dsp") || !qgetenv("PULSE_SERVER").isEmpty()
        || (!runtime.isEmpty() && (QFileInfo::exists(runtime + "/pulse/native") || QFileInfo::exists(runtime + "/pipewire-0")));
}

bool MemoryStream::Read(void *buffer, int32_t count, int32_t &read)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        read = int32_t(std::max<int64_t>(0, std::min<int64_t>(count, bytes_.size() - pos_)));
        memcpy(buffer, bytes_.constData() + pos_, size_t(read));
        pos_ += read;
    }
    if (pace > 0 && read > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(int64_t(pace) * read / 1024));
    return !readsFail;
}

int32_t MemoryStream::Seek(int32_t offset, int32_t method)
{
    if (nonSeekable)
        return -1;
    std::lock_guard<std::mutex> lock(mutex_);
    const int64_t to = (method == 0 ? 0 : method == 1 ? pos_ : bytes_.size()) + offset;
    if (to < 0 || to > bytes_.size())
        return -1;
    pos_ = to;
    return int32_t(to);
}

bool MemoryStream::Restart()
{
    ++restarts;
    if (!restartOk)
        return false;
    std::lock_guard<std::mutex> lock(mutex_);
    pos_ = 0;
    return true;
}

void EnsureApp()
{
    static int argc = 1;
    static char name[] = "player-test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

bool WaitFor(const std::function<bool()> &cond, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!cond() && t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return cond();
}

void RunFor(int ms)
{
    WaitFor([] { return false; }, ms);
}

std::string ErrorOf(const std::function<void()> &op, int *code)
{
    try {
        op();
    } catch (const TMPEGError &e) {
        if (code)
            *code = e.ErrorCode;
        return e.what();
    }
    return "";
}
