#include "util/BackgroundSync.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

bool SyncData(int fd)
{
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || errno == ENOSYS;
}

BackgroundSync::BackgroundSync(int fd) : fd_(fd)
{
    try {
        thread_ = std::thread(&BackgroundSync::run, this);
    } catch (const std::system_error &) {
    }
}

BackgroundSync::~BackgroundSync()
{
    finish();
}

void BackgroundSync::more()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        due_ = true;
    }
    wake_.notify_one();
}

int BackgroundSync::finish()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
    return error_;
}

void BackgroundSync::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return due_ || stop_; });
        if (!due_)
            return;
        due_ = false;
        lock.unlock();
        const bool synced = SyncData(fd_);
        const int error = errno;
        lock.lock();
        if (!synced && error_ == 0)
            error_ = error;
    }
}
