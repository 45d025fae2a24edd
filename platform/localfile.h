#pragma once
// The file operations the downloader needs: a temporary file beside the target, writes at an offset,
// and a rename into place that never replaces a file that is already there.

#include <cstddef>
#include <cstdint>
#include <string>

namespace localfile {

bool exists(const std::string &path);
std::int64_t size(const std::string &path); // -1 when it cannot be read

// Creates a new, empty temporary file in the folder of `target` and opens it for writing.
// Returns its descriptor (and its path), or -1 with a reason.
int createBeside(const std::string &target, std::string &temporaryPath, std::string &reason);
bool setSize(int fd, std::int64_t size);
bool writeAt(int fd, const char *data, std::size_t length, std::int64_t offset);
bool closeFile(int fd); // flushes to the file system; false when that failed
void remove(const std::string &path);
// Moves `from` to `to`; fails, and leaves both alone, when `to` already exists.
bool renameNoReplace(const std::string &from, const std::string &to, std::string &reason);

} // namespace localfile
