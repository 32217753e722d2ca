// The file system as the engine sees it. Every platform call of the engine
// lives behind these functions, in one source file per platform.
#pragma once

#include <cstddef>
#include <string>
#include <system_error>

namespace vernolak {

using FileHandle = int;
inline constexpr FileHandle kNoFile = -1;

// Opens an existing file for reading only. Returns kNoFile and sets error on failure.
FileHandle OpenFileForReading(const std::string& path, std::error_code& error);

// Creates a file for writing, or empties an existing one. A file whose
// permissions let nobody write counts as read-only and is refused, as is a
// directory. Returns kNoFile and sets error on failure.
FileHandle CreateFileForWriting(const std::string& path, std::error_code& error);

// Reads up to size bytes; returns the count (0 at the end) or -1 with error set.
std::ptrdiff_t ReadFile(FileHandle file, char* buffer, std::size_t size, std::error_code& error);

// Writes all size bytes; returns false with error set when the file refuses them.
bool WriteFile(FileHandle file, const char* bytes, std::size_t size, std::error_code& error);

// Closes the handle; returns false with error set when the close reports a failure.
bool CloseFile(FileHandle file, std::error_code& error);

// True when an entry that is not a directory stands at path.
bool IsExistingFile(const std::string& path);

// True when path names the same file as the open handle (same device and
// inode, whatever the spelling: hard links, symbolic links, ./x and x).
bool IsSameFile(FileHandle file, const std::string& path);

// Deletes the file at path unless nothing or a directory stands there or the
// file is read-only. Never fails: a file that cannot be deleted stays.
void DeleteFileIfPresent(const std::string& path);

// The decimal symbol of the user's numeric locale as one byte; '.' when it
// cannot be read or is longer than one byte. Reads the environment the way the
// C library resolves LC_ALL, LC_NUMERIC and LANG, without changing the
// process locale.
char DefaultDecimalSeparator();

}  // namespace vernolak
