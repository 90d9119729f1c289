#pragma once
// A file's content as a device that fails like a disk: reading at or past failAt is a read
// error, and opening can fail. Random access, so it stands in for a file.

#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <cstring>

class FailingDevice : public QIODevice {
public:
    static constexpr qint64 Never = -1;
    FailingDevice(QByteArray data, qint64 failAt, bool openFails = false)
        : data_(std::move(data)), failAt_(failAt), openFails_(openFails) {}

    bool open(OpenMode mode) override { return !openFails_ && QIODevice::open(mode); }
    bool isSequential() const override { return false; }
    qint64 size() const override { return data_.size(); }
    bool seek(qint64 pos) override
    {
        offset_ = pos;
        return QIODevice::seek(pos);
    }

protected:
    qint64 readData(char *out, qint64 max) override
    {
        if (failAt_ != Never && offset_ >= failAt_) {
            setErrorString("Input/output error");
            return -1;
        }
        const qint64 end = failAt_ == Never ? data_.size() : std::min<qint64>(failAt_, data_.size());
        const qint64 n = std::max<qint64>(0, std::min(max, end - offset_));
        std::memcpy(out, data_.constData() + offset_, static_cast<size_t>(n));
        offset_ += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray data_;
    qint64 failAt_;
    bool openFails_;
    qint64 offset_ = 0;
};
