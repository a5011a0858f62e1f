#include "ranking/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto LockRetry = std::chrono::milliseconds(10);

enum class Try { Held, Busy, Unsupported };

Try LockBefore(int fd, Clock::time_point deadline) {
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR && errno != EWOULDBLOCK) {
            return Try::Unsupported;
        }
        if (Clock::now() >= deadline) {
            return Try::Busy;
        }
        std::this_thread::sleep_for(LockRetry);
    }
    return Try::Held;
}

// Whether the file's name still leads to the file that `fd` holds.
bool StillNamed(int fd, const std::filesystem::path& file) {
    struct stat held {
    }, named{};
    return fstat(fd, &held) == 0 && stat(file.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& directory, const std::filesystem::path& file,
                   std::chrono::milliseconds patience) {
    const Clock::time_point deadline = Clock::now() + patience;
    fd_.Reset(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    directoryReadable_ = fd_.Get() >= 0;
    if (directoryReadable_) {
        const Try locked = LockBefore(fd_.Get(), deadline);
        if (locked != Try::Unsupported) {
            state_ = locked == Try::Held ? State::Held : State::Busy;
            return;
        }
    }
    // A save replaces the file by another: a lock taken on the one it replaced is let go
    // and the new one locked.
    for (;;) {
        fd_.Reset(open(file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600));
        const Try locked = fd_.Get() >= 0 ? LockBefore(fd_.Get(), deadline) : Try::Unsupported;
        if (locked == Try::Unsupported) {
            failure_ = ::Failure("cannot lock it");
            return;
        }
        if (locked == Try::Busy) {
            state_ = State::Busy;
            return;
        }
        if (StillNamed(fd_.Get(), file)) {
            state_ = State::Held;
            return;
        }
    }
}
