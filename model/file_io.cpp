#include "model/file_io.h"
#include "model/file_io_testing.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zolt {

namespace {

std::atomic<bool> unnamedTemporariesAllowed{true};

// Every temporary name carries the pid of the process that made it:
// ".zolt-<pid>-XXXXXX". A save killed before its rename leaves such a name
// behind, and the next save in the same folder removes it once that pid is
// gone, without touching a save that another process still has under way.
// A pid seen from another pid namespace (a container sharing the folder)
// may look gone while its save runs; that save then fails at its rename
// and its target stays as it was.
constexpr std::string_view kTemporaryPrefix = ".zolt-";
constexpr std::size_t kTemporaryNoise = 6;
constexpr int kTemporaryAttempts = 100;
constexpr int kMaxLinkHops = 40; // the kernel gives up after as many

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

std::string temporaryName() {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char noise[kTemporaryNoise] = {};
    if (::getrandom(noise, sizeof noise, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof noise)) {
        // Early in boot the pool may be empty; the name need not be secret,
        // only unlikely to be taken, and a taken one is simply tried again.
        static std::atomic<unsigned long long> counter{0};
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        unsigned long long mix = static_cast<unsigned long long>(now.tv_nsec) ^
                                 (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull);
        for (auto& byte : noise) {
            byte = static_cast<unsigned char>(mix);
            mix = (mix >> 8) | (mix << 56);
        }
    }
    std::string name(kTemporaryPrefix);
    name += std::to_string(::getpid());
    name += '-';
    for (const unsigned char byte : noise)
        name += kAlphabet[byte % kAlphabet.size()];
    return name;
}

// The pid in a temporary's name, or nothing for any other name.
std::optional<pid_t> temporaryOwner(std::string_view name) {
    if (name.substr(0, kTemporaryPrefix.size()) != kTemporaryPrefix)
        return std::nullopt;
    name.remove_prefix(kTemporaryPrefix.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc{} || pid <= 0 || end == name.data())
        return std::nullopt;
    name.remove_prefix(static_cast<std::size_t>(end - name.data()));
    if (name.size() != 1 + kTemporaryNoise || name[0] != '-')
        return std::nullopt;
    return pid;
}

void removeStaleTemporaries(int folder) {
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return; // a folder that cannot be listed keeps what it holds
    DIR* entries = ::fdopendir(listing);
    if (entries == nullptr) {
        ::close(listing);
        return;
    }
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(entries)) {
        const auto owner = temporaryOwner(entry->d_name);
        if (owner && *owner != self && ::kill(*owner, 0) != 0 && errno == ESRCH)
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

// The file a save of `path` writes: `path` itself, or the end of its chain
// of symbolic links, which for a dangling link is the file to create there.
std::optional<std::string> resolveLinks(std::string path) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0)
            return errno == ENOENT ? std::optional(path) : std::nullopt;
        if (!S_ISLNK(info.st_mode))
            return path;
        std::string next(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), next.data(), next.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= next.size())
            return std::nullopt;
        next.resize(static_cast<std::size_t>(length));
        // A relative link is read from the folder that holds the link.
        const auto slash = path.rfind('/');
        if (next.front() != '/' && slash != std::string::npos)
            next.insert(0, path, 0, slash + 1);
        path = std::move(next);
    }
    return std::nullopt;
}

// The folder is opened for reading so that it can be flushed after the
// rename; a folder we may enter and write but not list is still usable.
int openFolder(const std::string& path, bool& syncable) {
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    syncable = fd >= 0;
    if (fd < 0 && errno == EACCES)
        fd = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd;
}

// Whether a new file can take the place of `file`: not when other names
// share it (they would keep the old contents), nor in a sticky folder such
// as /tmp whose rename() refuses a file that is neither ours nor in our
// folder, although the file itself may be open to us for writing.
bool replaceableByNewFile(const struct stat& folder, const struct stat& file) {
    if (file.st_nlink > 1)
        return false;
    const uid_t self = ::geteuid();
    return (folder.st_mode & S_ISVTX) == 0 || self == 0 || self == file.st_uid ||
           self == folder.st_uid;
}

bool refusesNewFiles(int error) { return error == EACCES || error == EPERM; }

std::string procPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

int openUnnamed(int folder, mode_t mode) {
    const int fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd < 0)
        return -1;
    // The unnamed file gets its name through /proc; without it, it could
    // never be linked into the folder.
    if (::access(procPath(fd).c_str(), F_OK) != 0) {
        ::close(fd);
        errno = EOPNOTSUPP;
        return -1;
    }
    return fd;
}

int openNamed(int folder, mode_t mode, std::string& name) {
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        name = temporaryName();
        const int fd =
            ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            if (fd < 0)
                name.clear();
            return fd;
        }
    }
    name.clear();
    return -1;
}

bool linkUnnamed(int fd, int folder, std::string& name) {
    const std::string source = procPath(fd);
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        name = temporaryName();
        if (::linkat(AT_FDCWD, source.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    name.clear();
    return false;
}

// The new file takes the old one's owner, group and mode. Only a privileged
// process may give a file away, and only a member may give it a group, so
// the owner and group are best effort; the mode must hold.
bool takeOwnerAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // The file stays ours, in our group (or the folder's).
    }
    // After fchown, which clears the set-id bits.
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

} // namespace

void allowUnnamedTemporaries(bool allowed) { unnamedTemporariesAllowed = allowed; }

struct StagedFile::State {
    enum class Route { Unnamed, Named, InPlace };

    Route route = Route::Unnamed;
    std::string target;
    std::string name; // the target's name in its folder
    int folder = -1;
    bool folderSyncable = false;
    int file = -1;         // the new contents, or the target itself in place
    std::string temporary; // a name of the new contents, gone unless renamed
    std::string bytes;     // in place: written only at commit
    bool finished = false;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() { release(); }

    void release() {
        if (file >= 0)
            ::close(file);
        if (!temporary.empty())
            ::unlinkat(folder, temporary.c_str(), 0);
        if (folder >= 0)
            ::close(folder);
        file = folder = -1;
        temporary.clear();
        bytes.clear();
    }

    bool writeInPlace() {
        return ::ftruncate(file, 0) == 0 && writeAll(file, bytes) && ::fsync(file) == 0;
    }

    bool rename() {
        if (route == Route::Unnamed && !linkUnnamed(file, folder, temporary))
            return false;
        if (::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0)
            return false;
        temporary.clear();
        // The new contents are the file's from here on, whatever the flush
        // says: reporting a failure now would claim the old file is intact.
        if (folderSyncable && ::fsync(folder) != 0) {
        }
        return true;
    }
};

StagedFile::StagedFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
StagedFile::StagedFile(StagedFile&&) noexcept = default;
StagedFile& StagedFile::operator=(StagedFile&&) noexcept = default;
StagedFile::~StagedFile() = default;

std::optional<StagedFile> StagedFile::prepare(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return std::nullopt;
    auto state = std::make_unique<State>();
    auto target = resolveLinks(path);
    if (!target)
        return std::nullopt;
    state->target = std::move(*target);
    const std::string& resolved = state->target;
    const auto slash = resolved.rfind('/');
    const std::string folderPath = slash == std::string::npos ? "."
                                   : slash == 0               ? "/"
                                                              : resolved.substr(0, slash);
    state->name = slash == std::string::npos ? resolved : resolved.substr(slash + 1);
    if (state->name.empty() || state->name == "." || state->name == "..")
        return std::nullopt;

    state->folder = openFolder(folderPath, state->folderSyncable);
    struct stat folderInfo {};
    if (state->folder < 0 || ::fstat(state->folder, &folderInfo) != 0)
        return std::nullopt;

    struct stat old {};
    const bool exists = ::fstatat(state->folder, state->name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT)
        return std::nullopt;
    // What fopen("wb") refuses is refused here too, although a rename could
    // replace a read-only file.
    if (exists && (!S_ISREG(old.st_mode) ||
                   ::faccessat(state->folder, state->name.c_str(), W_OK, AT_EACCESS) != 0))
        return std::nullopt;

    removeStaleTemporaries(state->folder);
    bool inPlace = exists && !replaceableByNewFile(folderInfo, old);
    if (!inPlace) {
        // A temporary replacing an existing file is ours alone until it has
        // that file's mode; a new one gets what fopen gives: 0666 less umask.
        const mode_t mode = exists ? 0600 : 0666;
        int error = EOPNOTSUPP;
        if (unnamedTemporariesAllowed) {
            state->route = State::Route::Unnamed;
            state->file = openUnnamed(state->folder, mode);
            error = errno;
        }
        if (state->file < 0 && !refusesNewFiles(error)) {
            state->route = State::Route::Named;
            state->file = openNamed(state->folder, mode, state->temporary);
            error = errno;
        }
        if (state->file < 0) {
            if (!exists || !refusesNewFiles(error))
                return std::nullopt;
            inPlace = true; // a read-only folder holding a writable file
        }
    }

    if (inPlace) {
        // Opened without truncation: until commit() the file is as it was.
        state->route = State::Route::InPlace;
        state->file = ::openat(state->folder, state->name.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
        if (state->file < 0)
            return std::nullopt;
        state->bytes.assign(bytes);
        return StagedFile(std::move(state));
    }

    if (exists && !takeOwnerAndMode(state->file, old))
        return std::nullopt;
    if (!writeAll(state->file, bytes) || ::fsync(state->file) != 0)
        return std::nullopt;
    return StagedFile(std::move(state));
}

bool StagedFile::commit() {
    if (!state_ || state_->finished)
        return false;
    state_->finished = true;
    // Written in place, the file cannot be kept whole on a failure midway:
    // like fopen("wb"), it may then be short.
    const bool done = state_->route == State::Route::InPlace ? state_->writeInPlace()
                                                             : state_->rename();
    state_->release();
    return done;
}

bool StagedFile::inPlace() const {
    return state_->route == State::Route::InPlace;
}

const std::string& StagedFile::target() const {
    static const std::string none;
    return state_ ? state_->target : none;
}

bool replaceFileContents(const std::string& path, std::string_view bytes) {
    auto staged = StagedFile::prepare(path, bytes);
    return staged && staged->commit();
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
