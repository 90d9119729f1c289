#include "PlayerMedia.h"

#include "player/TMPEGError.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <thread>

namespace {
QTemporaryDir &MediaDir()
{
    static QTemporaryDir dir;
    return dir;
}

QByteArray ToneWav(int ms, int rate, int channels)
{
    const int64_t samples = int64_t(ms) * rate / 1000;
    const int dataBytes = int(samples * channels * 2);
    QByteArray wav;
    auto put32 = [&wav](uint32_t v) { char b[4]; qToLittleEndian(v, b); wav.append(b, 4); };
    auto put16 = [&wav](uint16_t v) { char b[2]; qToLittleEndian(v, b); wav.append(b, 2); };
    wav += "RIFF";
    put32(36 + dataBytes);
    wav += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(uint16_t(channels));
    put32(uint32_t(rate));
    put32(uint32_t(rate * channels * 2));
    put16(uint16_t(channels * 2));
    put16(16);
    wav += "data";
    put32(uint32_t(dataBytes));
    for (int64_t i = 0; i < samples; ++i) {
        const int16_t v = int16_t(8000 * std::sin(2 * M_PI * 440.0 * double(i) / rate));
        for (int c = 0; c < channels; ++c)
            put16(uint16_t(v));
    }
    return wav;
}

QStringList LameOptions(Mp3Kind kind)
{
    switch (kind) {
    case Mp3Kind::Cbr: return {"-b", "128"};
    case Mp3Kind::Vbr: return {"-V", "4"};
    case Mp3Kind::CbrNoTag: return {"-b", "128", "-t"};
    case Mp3Kind::Mono: return {"-m", "m"};
    }
    return {};
}
} // namespace

Mp3Facts FactsOf(Mp3Kind kind)
{
    return kind == Mp3Kind::Mono ? Mp3Facts{22050, 1, 3000} : Mp3Facts{44100, 2, 4000};
}

QString Mp3File(Mp3Kind kind)
{
    static std::map<Mp3Kind, QString> made;
    auto it = made.find(kind);
    if (it != made.end())
        return it->second;
    const Mp3Facts f = FactsOf(kind);
    const QString base = MediaDir().filePath(QString("tone%1").arg(int(kind)));
    WriteFileBytes(base + ".wav", ToneWav(f.toneMs, f.rate, f.channels));
    QProcess lame;
    lame.start("lame", LameOptions(kind) << "--quiet" << base + ".wav" << base + ".mp3");
    if (!lame.waitForFinished(60000) || lame.exitStatus() != QProcess::NormalExit || lame.exitCode() != 0)
        throw std::runtime_error("lame failed: " + lame.readAllStandardError().toStdString());
    return made[kind] = base + ".mp3";
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

WavInfo ReadWav(const QString &path)
{
    WavInfo w;
    const QByteArray b = ReadFileBytes(path);
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return w;
    bool fmt = false;
    for (qsizetype p = 12; p + 8 <= b.size();) {
        const QByteArray id = b.mid(p, 4);
        const uint32_t size = qFromLittleEndian<uint32_t>(b.constData() + p + 4);
        const char *body = b.constData() + p + 8;
        if (id == "fmt " && size >= 16 && p + 8 + 16 <= b.size()) {
            fmt = qFromLittleEndian<uint16_t>(body) == 1;
            w.channels = qFromLittleEndian<uint16_t>(body + 2);
            w.rate = int(qFromLittleEndian<uint32_t>(body + 4));
            w.bitsPerSample = qFromLittleEndian<uint16_t>(body + 14);
        } else if (id == "data") {
            w.data = b.mid(p + 8, size);
            w.valid = fmt && w.data.size() == qsizetype(size);
            return w;
        }
        p += 8 + size + (size & 1);
    }
    return w;
}

QString BinDir()
{
    const QByteArray env = qgetenv("ZEMLO_BIN_DIR");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath();
}

Watchdog::Watchdog(int seconds)
    : thread_([this, seconds] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (!done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return finished_; })) {
              fprintf(stderr, "test did not finish within %d s\n", seconds);
              std::abort();
          }
      })
{
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
    }
    done_.notify_all();
    thread_.join();
}

bool WaitFor(const std::function<bool()> &cond, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!cond()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return cond();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

bool MayHaveSoundOutput()
{
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    return QFileInfo::exists("/dev/snd") || QFileInfo::exists("/dev/dsp") || !qgetenv("PULSE_SERVER").isEmpty()
        || (!runtime.isEmpty() && (QFileInfo::exists(runtime + "/pulse/native") || QFileInfo::exists(runtime + "/pipewire-0")));
}

bool MemoryStream::Read(void *buffer, int32_t count, int32_t &read)
{
    int64_t at;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        at = pos_;
        const int64_t n = std::max<int64_t>(0, std::min<int64_t>(count, bytes_.size() - pos_));
        memcpy(buffer, bytes_.constData() + pos_, size_t(n));
        pos_ += n;
        read = int32_t(n);
    }
    if (pace_ > 0 && read > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(int64_t(pace_) * read / 1024));
    return failFrom_ < 0 || at + read <= failFrom_;
}

int32_t MemoryStream::Seek(int32_t offset, int32_t method)
{
    if (nonSeekable_)
        return -1;
    std::lock_guard<std::mutex> lock(mutex_);
    const int64_t base = method == 0 ? 0 : method == 1 ? pos_ : bytes_.size();
    const int64_t to = base + offset;
    if (to < 0 || to > bytes_.size())
        return -1;
    pos_ = to;
    return int32_t(to);
}

bool MemoryStream::Restart()
{
    ++restarts;
    if (!restartOk_)
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

bool RunUntil(const std::function<bool()> &cond, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!cond() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return cond();
}

void RunFor(int ms)
{
    RunUntil([] { return false; }, ms);
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
