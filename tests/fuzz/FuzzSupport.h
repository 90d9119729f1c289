#pragma once
// What the fuzz targets share: the input as a device read from memory, a stand-in file for the
// readers that check their path before reading from the device they are given, and a check that
// aborts, so that libFuzzer reports a broken property like a crash.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

// The input's bytes, not copied: valid while the fuzz target's call lasts.
inline QByteArray InputBytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

inline std::unique_ptr<QIODevice> MemoryDevice(const uint8_t *data, size_t size)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(InputBytes(data, size));
    return buffer;
}

// Gives the input at most chunk bytes per read, as a read may: a reader's chunk boundaries, else
// met only in files of megabytes, fall inside small inputs.
class ChunkedDevice : public QBuffer {
public:
    ChunkedDevice(const uint8_t *data, size_t size, qint64 chunk) : chunk_(chunk) { setData(InputBytes(data, size)); }

protected:
    qint64 readData(char *data, qint64 maxSize) override { return QBuffer::readData(data, std::min(maxSize, chunk_)); }

private:
    qint64 chunk_;
};

// An empty regular file in a directory of this process, removed at exit.
inline const QString &StandInFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath("input");
        QFile file(p);
        if (!dir.isValid() || !file.open(QIODevice::WriteOnly))
            std::abort();
        return p;
    }();
    return path;
}

#define FUZZ_CHECK(cond)                                                                    \
    do {                                                                                    \
        if (!(cond)) {                                                                      \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);   \
            std::abort();                                                                   \
        }                                                                                   \
    } while (0)
