#include "model/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zolt {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool replaceFileContents(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return false;
    mode_t mode = 0;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode) || ::access(path.c_str(), W_OK) != 0)
            return false;
        mode = existing.st_mode & 07777;
    } else {
        // A new file gets what fopen would give it: 0666 less the umask.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string temp = folderOf(path) + "/.zolt-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

std::optional<std::string> readFilePrefix(const std::string& path, std::size_t maxBytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    std::string bytes(maxBytes, '\0');
    const std::size_t got = std::fread(bytes.data(), 1, maxBytes, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

} // namespace zolt
