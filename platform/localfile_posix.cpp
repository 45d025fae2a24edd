#include "platform/localfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace localfile {

bool exists(const std::string &path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

std::int64_t size(const std::string &path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? std::int64_t(info.st_size) : -1;
}

int createBeside(const std::string &target, std::string &temporaryPath, std::string &reason)
{
    std::string pattern = target + ".part-XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        reason = "cannot create a file beside " + target + ": " + std::strerror(errno);
        return -1;
    }
    temporaryPath = pattern;
    return fd;
}

bool setSize(int fd, std::int64_t size) { return ::ftruncate(fd, off_t(size)) == 0; }

bool writeAt(int fd, const char *data, std::size_t length, std::int64_t offset)
{
    while (length > 0) {
        const ssize_t written = ::pwrite(fd, data, length, off_t(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        length -= std::size_t(written);
        offset += written;
    }
    return true;
}

bool closeFile(int fd) { return ::close(fd) == 0; }

void remove(const std::string &path) { ::unlink(path.c_str()); }

bool renameNoReplace(const std::string &from, const std::string &to, std::string &reason)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // Some file systems have no RENAME_NOREPLACE: a hard link refuses an existing name as well.
    if (errno == EINVAL || errno == ENOSYS) {
        if (::link(from.c_str(), to.c_str()) == 0) {
            ::unlink(from.c_str());
            return true;
        }
    }
    reason = "cannot put the file in place as " + to + ": " + std::strerror(errno);
    return false;
}

} // namespace localfile
