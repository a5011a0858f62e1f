#include "ranking/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

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
    // Closes now, so that a failing close (a late write error) can be reported.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

  private:
    int fd_;
};

std::string Failure(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

// Each missing directory is made private to the user, as the XDG base directories are.
bool MakeDirectories(const std::filesystem::path& directory) {
    std::filesystem::path partial;
    for (const std::filesystem::path& part : directory) {
        partial /= part;
        if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// The new content, complete and on disk, under a name of its own; "" on success.
std::string WriteTemporary(std::string& name, std::span<const std::uint8_t> bytes) {
    Descriptor temporary(mkostemp(name.data(), O_CLOEXEC));
    if (temporary.Get() < 0) {
        return Failure("cannot create a temporary file");
    }
    std::string failure;
    if (!WriteAll(temporary.Get(), bytes)) {
        failure = Failure("cannot write the temporary file");
    } else if (fsync(temporary.Get()) != 0) {
        failure = Failure("cannot flush the temporary file");
    } else if (!temporary.Close()) {
        failure = Failure("cannot close the temporary file");
    }
    if (!failure.empty()) {
        unlink(name.c_str());
    }
    return failure;
}

// Makes the rename itself durable. A file system that cannot sync a directory says
// EINVAL; the rename has happened all the same.
std::string FlushDirectory(const std::filesystem::path& directory) {
    Descriptor fd(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0 || (fsync(fd.Get()) != 0 && errno != EINVAL)) {
        return Failure("replaced, but cannot flush the directory");
    }
    return "";
}

}  // namespace

std::string ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    const std::filesystem::path directory =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    if (!MakeDirectories(directory)) {
        return Failure("cannot make the directory");
    }
    std::string temporary = file.string() + ".XXXXXX";
    if (std::string failure = WriteTemporary(temporary, bytes); !failure.empty()) {
        return failure;
    }
    if (rename(temporary.c_str(), file.c_str()) != 0) {
        const std::string failure = Failure("cannot rename the temporary file over it");
        unlink(temporary.c_str());
        return failure;
    }
    return FlushDirectory(directory);
}
