#include "ranking/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "ranking/file_descriptor.h"

namespace {

bool WriteAllAt(int fd, std::span<const std::uint8_t> bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t written = pwrite(fd, bytes.data(), bytes.size(), offset);
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
        offset += written;
    }
    return true;
}

// What a file system without modes or owners (FAT, a FUSE mount that forces them), or a
// player who may not give a file away, answers.
bool Refused(int error) {
    return error == EPERM || error == ENOSYS || error == EOPNOTSUPP;
}

// A file shared with a group, or given back by root to its owner, stays so. Only root may
// give a file away: anyone else saves it as their own, with its group when they belong to
// it, and its mode. Only what differs is changed, so that a file system that keeps its own
// modes and owners takes every save.
bool KeepOwnerAndMode(int fd, const struct stat& existing) {
    struct stat now {};
    if (fstat(fd, &now) != 0) {
        return false;
    }
    const bool otherOwner = now.st_uid != existing.st_uid || now.st_gid != existing.st_gid;
    if (otherOwner && fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        if (!Refused(errno)) {
            return false;
        }
        if (now.st_gid != existing.st_gid &&
            fchown(fd, static_cast<uid_t>(-1), existing.st_gid) != 0 && !Refused(errno)) {
            return false;
        }
    }
    const mode_t mode = existing.st_mode & 07777;
    return (now.st_mode & 07777) == mode || fchmod(fd, mode) == 0;
}

// The new content, complete and on disk, under a name of its own; "" on success.
std::string WriteTemporary(Descriptor& temporary, std::span<const std::uint8_t> bytes,
                           const struct stat* existing) {
    if (existing != nullptr && !KeepOwnerAndMode(temporary.Get(), *existing)) {
        return Failure("cannot give the temporary file the file's mode");
    }
    if (!WriteAllAt(temporary.Get(), bytes, 0)) {
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

// The room for the new content is taken before any byte of the old one is touched, so that
// a full disk leaves the old records: reserved without changing the file's length, or
// where the file system cannot, by first writing what goes beyond the old end.
bool Reserve(int fd, off_t oldLength, std::span<const std::uint8_t> bytes) {
    const auto newLength = static_cast<off_t>(bytes.size());
    if (newLength <= oldLength || fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, newLength) == 0) {
        return true;
    }
    return (errno == EOPNOTSUPP || errno == ENOSYS) &&
           WriteAllAt(fd, bytes.subspan(static_cast<std::size_t>(oldLength)), oldLength);
}

// For a file the player may write in a directory where they may not replace it: the new
// content goes in one write, whose room is taken first.
std::string RewriteInPlace(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    Descriptor fd(open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    struct stat status {};
    if (fd.Get() < 0 || fstat(fd.Get(), &status) != 0) {
        return Failure("cannot make a temporary file nor write to the file");
    }
    if (!Reserve(fd.Get(), status.st_size, bytes)) {
        return Failure("cannot make room in the file");
    }
    if (!WriteAllAt(fd.Get(), bytes, 0)) {
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
// EINVAL; a directory that cannot be opened is flushed with its whole file system,
// through the file.
bool FlushDirectory(const std::filesystem::path& directory, const std::filesystem::path& file) {
    const Descriptor folder(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) {
        return fsync(folder.Get()) == 0 || errno == EINVAL;
    }
    const Descriptor renamed(open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    return renamed.Get() >= 0 && syncfs(renamed.Get()) == 0;
}

int OpenTemporary(std::string& name, Temporary naming) {
    if (naming == Temporary::Unique) {
        name += "XXXXXX";
        return mkostemp(name.data(), O_CLOEXEC);
    }
    // Under the lock, one found there was left by a killed save: it goes, and a new one of
    // the player's own is made, whatever the old one was.
    name += "LOCKED";
    unlink(name.c_str());
    return open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
}

}  // namespace

std::string ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                        const struct stat* existing, Temporary naming) {
    std::string temporary = file.string() + std::string(TemporaryInfix);
    Descriptor fd(OpenTemporary(temporary, naming));
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
        const int refusal = errno;
        unlink(temporary.c_str());
        if (existing != nullptr && (refusal == EACCES || refusal == EPERM)) {
            return RewriteInPlace(file, bytes);
        }
        errno = refusal;
        return Failure("cannot rename the temporary file over it");
    }
    if (!FlushDirectory(file.has_parent_path() ? file.parent_path() : ".", file)) {
        std::fprintf(stderr, "quickstack: %s is saved, but its folder cannot be flushed: %s\n",
                     file.c_str(), std::strerror(errno));
    }
    return "";
}
