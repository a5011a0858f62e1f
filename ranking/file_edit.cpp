#include "ranking/file_edit.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "ranking/file_descriptor.h"
#include "ranking/file_lock.h"
#include "ranking/file_replace.h"

namespace {

constexpr int MaxLinks = 40;                  // links followed in a row, as the kernel does
constexpr std::size_t ReadChunk = 64 * 1024;  // bytes

// Turns `file` into the file that its chain of links names, which need not exist yet.
std::string FollowLinks(std::filesystem::path& file) {
    for (int links = 0; links < MaxLinks; ++links) {
        char target[PATH_MAX];
        const ssize_t length = readlink(file.c_str(), target, sizeof target);
        if (length < 0) {
            return errno == EINVAL || errno == ENOENT ? "" : Failure("cannot follow the link");
        }
        if (static_cast<std::size_t>(length) == sizeof target) {
            errno = ENAMETOOLONG;
            return Failure("cannot follow the link");
        }
        // A relative target is relative to the link's directory; an absolute one replaces it.
        file = file.parent_path() / std::string(target, static_cast<std::size_t>(length));
    }
    errno = ELOOP;
    return Failure("cannot follow the link");
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

// The file's name, the infix, then the six letters or digits that mkostemp chose.
bool IsTemporaryOf(std::string_view name, std::string_view file) {
    const std::size_t prefix = file.size() + TemporaryInfix.size();
    return name.size() == prefix + 6 && name.starts_with(file) &&
           name.substr(file.size()).starts_with(TemporaryInfix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// Under the lock no save is under way, so every temporary file there was left by a save
// that was killed. What cannot be removed stays, silently: it harms nothing.
void RemoveLeftTemporaries(const std::filesystem::path& directory, const std::string& file) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (IsTemporaryOf(entry->path().filename().string(), file) &&
            entry->symlink_status(ignored).type() == std::filesystem::file_type::regular) {
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

// A file that nobody may write is kept as it is even by root, who could.
std::string WriteRefusal(const std::filesystem::path& file, const struct stat& status) {
    if ((status.st_mode & 0222) == 0) {
        return "it is read-only";
    }
    if (faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
        return Failure("cannot write to it");
    }
    return "";
}

}  // namespace

FileContent ReadFileContent(const std::filesystem::path& file, std::size_t limit) {
    FileContent content;
    const Descriptor fd(open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.Get() < 0) {
        if (errno != ENOENT) {
            content.exists = true;
            content.failure = Failure("cannot open it");
        }
        return content;
    }
    content.exists = true;
    if (fstat(fd.Get(), &content.status) != 0) {
        content.failure = Failure("cannot read its status");
        return content;
    }
    if (!S_ISREG(content.status.st_mode)) {
        content.failure = "it is not a regular file";
        return content;
    }
    std::size_t filled = 0;
    while (filled < limit) {
        content.bytes.resize(std::min(filled + ReadChunk, limit));
        const ssize_t got =
            read(fd.Get(), content.bytes.data() + filled, content.bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            content.failure = Failure("cannot read it");
        }
        if (got <= 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    content.bytes.resize(filled);
    char beyond = 0;
    content.whole = filled < limit || read(fd.Get(), &beyond, 1) == 0;
    return content;
}

std::string EditFile(std::filesystem::path file, std::size_t limit, const FileEdit& edit,
                     std::chrono::milliseconds patience) {
    if (std::string failure = FollowLinks(file); !failure.empty()) {
        return failure;
    }
    const std::filesystem::path directory =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    if (!MakeDirectories(directory)) {
        return Failure("cannot make the directory");
    }
    const FileLock lock(directory, file, patience);
    if (lock.Outcome() == FileLock::State::Busy) {
        return std::string(LockedByAnother);
    }
    if (lock.Outcome() == FileLock::State::Failed) {
        return lock.Failure();
    }
    if (lock.DirectoryReadable()) {
        RemoveLeftTemporaries(directory, file.filename().string());
    }
    const FileContent current = ReadFileContent(file, limit);
    if (!current.failure.empty()) {
        return current.failure;
    }
    if (!current.whole) {
        return "it is too large to be read whole";
    }
    if (current.exists) {
        if (std::string refusal = WriteRefusal(file, current.status); !refusal.empty()) {
            return refusal;
        }
    }
    return ReplaceFile(file, edit(current.bytes), current.exists ? &current.status : nullptr,
                       lock.DirectoryReadable() ? Temporary::Unique : Temporary::Fixed);
}
