// An owned file descriptor, and how a failing system call is told.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

// Owns a file descriptor; -1 holds none.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    int Get() const { return fd_; }
    // Holds `fd` instead, closing the one held.
    void Reset(int fd) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = fd;
    }
    // Closes now, so that a failing close (a late write error) can be reported.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

  private:
    int fd_;
};

// The step that failed and the system's reason, from errno.
inline std::string Failure(const std::string& step) {
    return step + ": " + std::strerror(errno);
}
