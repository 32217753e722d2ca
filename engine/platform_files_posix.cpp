// The file system on POSIX systems.
//
// How the rules of the converter map onto POSIX:
// - Read-only: a file whose permission bits let nobody write (no w bit for
//   owner, group or others) counts as read-only. It is neither replaced nor
//   deleted, also when the process could write it anyway (root).
// - Sharing: POSIX has no mandatory share modes; the drawing is opened
//   read-only and the CSV file write-only, and other programs are not locked
//   out.
// - A directory at a path is never a file: opening it as the drawing, creating
//   the output over it and deleting it all fail or do nothing.
// - An output path whose folder does not exist fails with the system's ENOENT.
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/platform_files.h"

namespace vernolak {
namespace {

std::error_code LastError() { return std::error_code(errno, std::system_category()); }

bool IsReadOnly(const struct stat& status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

FileHandle OpenFileForReading(const std::string& path, std::error_code& error) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = LastError();
        return kNoFile;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        error =
            S_ISDIR(status.st_mode) ? std::make_error_code(std::errc::is_a_directory) : LastError();
        ::close(fd);
        return kNoFile;
    }
    return fd;
}

FileHandle CreateFileForWriting(const std::string& path, std::error_code& error) {
    struct stat status;
    if (::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode) && IsReadOnly(status)) {
        error = std::make_error_code(std::errc::permission_denied);
        return kNoFile;
    }
    int fd;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = LastError();
        return kNoFile;
    }
    return fd;
}

std::ptrdiff_t ReadFile(FileHandle file, char* buffer, std::size_t size, std::error_code& error) {
    for (;;) {
        const ssize_t count = ::read(file, buffer, size);
        if (count >= 0) return count;
        if (errno != EINTR) {
            error = LastError();
            return -1;
        }
    }
}

bool WriteFile(FileHandle file, const char* bytes, std::size_t size, std::error_code& error) {
    while (size > 0) {
        const ssize_t count = ::write(file, bytes, size);
        if (count < 0) {
            if (errno == EINTR) continue;
            error = LastError();
            return false;
        }
        bytes += count;
        size -= static_cast<std::size_t>(count);
    }
    return true;
}

bool CloseFile(FileHandle file, std::error_code& error) {
    // The descriptor is released even when close reports an error, so it is
    // never retried (a retry could close a descriptor opened meanwhile).
    if (::close(file) != 0 && errno != EINTR) {
        error = LastError();
        return false;
    }
    return true;
}

bool IsExistingFile(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool IsSameFile(FileHandle file, const std::string& path) {
    struct stat open, named;
    return ::fstat(file, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

void DeleteFileIfPresent(const std::string& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode) || IsReadOnly(status)) {
        return;
    }
    ::unlink(path.c_str());
}

char DefaultDecimalSeparator() {
    // A locale object of its own: the process locale, which a toolkit may have
    // set, is neither read nor changed.
    const locale_t numeric = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (numeric == static_cast<locale_t>(0)) return '.';
    const char* radix = ::nl_langinfo_l(RADIXCHAR, numeric);
    const char separator =
        radix != nullptr && radix[0] != '\0' && radix[1] == '\0' ? radix[0] : '.';
    ::freelocale(numeric);
    return separator;
}

}  // namespace vernolak
