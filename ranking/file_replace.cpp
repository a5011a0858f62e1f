#include "ranking/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include "ranking/file_descriptor.h"

namespace {

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

// A file shared with a group, or given back by root to its owner, stays so. Only root may
// give a file away: anyone else saves it as their own, with its mode.
bool KeepOwnerAndMode(int fd, const struct stat& existing) {
    const bool sameOwner = existing.st_uid == geteuid() && existing.st_gid == getegid();
    if (!sameOwner && fchown(fd, existing.st_uid, existing.st_gid) != 0 && errno != EPERM) {
        return false;
    }
    return fchmod(fd, existing.st_mode & 07777) == 0;
}

// The new content, complete and on disk, under a name of its own; "" on success.
std::string WriteTemporary(Descriptor& temporary, std::span<const std::uint8_t> bytes,
                           const struct stat* existing) {
    if (existing != nullptr && !KeepOwnerAndMode(temporary.Get(), *existing)) {
        return Failure("cannot give the temporary file the file's mode");
    }
    if (!WriteAll(temporary.Get(), bytes)) {
        return Failure("cannot write the temporary file");
    }
    if (fsync(temporary.Get()) != 0) {
        return Failure("cannot flush the temporary file");
    }
    if (!temporary.Close()) {
        return Failure("cannot close the temporary file");
    }
    return "";
}

// For a file the player may write in a directory they may not: a crash meanwhile can leave
// a mix of old and new content, which is still better than never saving.
std::string RewriteInPlace(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    Descriptor fd(open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) {
        return Failure("cannot make a temporary file nor write to the file");
    }
    if (!WriteAll(fd.Get(), bytes)) {
        return Failure("cannot write to the file");
    }
    if (ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0) {
        return Failure("cannot cut the file to its new length");
    }
    if (fsync(fd.Get()) != 0) {
        return Failure("cannot flush the file");
    }
    if (!fd.Close()) {
        return Failure("cannot close the file");
    }
    return "";
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

std::string ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                        const struct stat* existing) {
    std::string temporary = file.string() + std::string(TemporaryInfix) + "XXXXXX";
    Descriptor fd(mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.Get() < 0) {
        if (existing != nullptr && (errno == EACCES || errno == EPERM)) {
            return RewriteInPlace(file, bytes);
        }
        return Failure("cannot create a temporary file");
    }
    if (std::string failure = WriteTemporary(fd, bytes, existing); !failure.empty()) {
        unlink(temporary.c_str());
        return failure;
    }
    if (rename(temporary.c_str(), file.c_str()) != 0) {
        const std::string failure = Failure("cannot rename the temporary file over it");
        unlink(temporary.c_str());
        return failure;
    }
    return FlushDirectory(file.has_parent_path() ? file.parent_path() : ".");
}
