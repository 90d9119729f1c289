#pragma once
// Syncs a file on a thread of its own while the file is still being written. A disk's cache
// flush (above all a virtual disk's) takes about as long as the data it holds, so a large file
// synced only at its end waits for all of it at once; synced along the way, the last sync has
// little left to wait for.

#include <condition_variable>
#include <mutex>
#include <thread>

// Syncs the file's data to the disk. True also where the file system cannot sync (some network
// and FUSE ones): the file is written all the same. False on a failed sync (an I/O error, a full
// disk or quota), with errno set.
bool SyncData(int fd);

class BackgroundSync {
public:
    // fd stays open until finish() has returned.
    explicit BackgroundSync(int fd);
    ~BackgroundSync();
    BackgroundSync(const BackgroundSync &) = delete;
    BackgroundSync &operator=(const BackgroundSync &) = delete;

    // More of the file was written: a sync is due.
    void more();
    // Lets a due or running sync end, and stops. Returns the error number of the first sync that
    // failed, 0 when none did: a failure is reported only once, to the first sync that meets it.
    int finish();

private:
    void run();

    const int fd_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool due_ = false;
    bool stop_ = false;
    int error_ = 0;
    std::thread thread_;  // none when no thread could be started: the final sync does it all
};
