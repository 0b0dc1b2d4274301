#include "model/file_io.h"
#include "model/file_io_testing.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
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

// The folder part of `path`: "." for a bare name, "/" at the top.
std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Whether the kernel, with fs.protected_symlinks on, would follow the link
// `link` (described by `info`): in a sticky folder that everybody may
// write, only a link of the follower's own or of the folder's owner.
// Root is no exception, as it is none for the kernel.
bool mayFollow(const std::string& link, const struct stat& info) {
    struct stat folder {};
    if (::stat(folderOf(link).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    const uid_t self = ::geteuid();
    return !shared || info.st_uid == self || info.st_uid == folder.st_uid;
}

// The file a save of `path` writes: `path` itself, or the end of its chain
// of symbolic links, which for a dangling link is the file to create there.
// A link the kernel would not follow stops the save (EACCES, as the kernel
// says), so that another user's link in /tmp cannot aim our save.
std::optional<std::string> resolveLinks(std::string path, int& error) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            error = errno;
            return errno == ENOENT ? std::optional(path) : std::nullopt;
        }
        if (!S_ISLNK(info.st_mode))
            return path;
        if (!mayFollow(path, info)) {
            error = EACCES;
            return std::nullopt;
        }
        std::string next(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), next.data(), next.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= next.size()) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return std::nullopt;
        }
        next.resize(static_cast<std::size_t>(length));
        // A relative link is read from the folder that holds the link.
        const auto slash = path.rfind('/');
        if (next.front() != '/' && slash != std::string::npos)
            next.insert(0, path, 0, slash + 1);
        path = std::move(next);
    }
    error = ELOOP;
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
// process may give a file away, and only a member may give it a group:
// where that is refused, the save goes in place instead, so that saving
// over another user's writable file never makes it ours.
bool takeOwner(int fd, const struct stat& old) {
    return ::fchown(fd, old.st_uid, old.st_gid) == 0;
}

// Room for `size` bytes from the start of `fd`, without changing its length
// (a reader meanwhile sees the old contents, no zeros after them). Where
// the file system has no such call, posix_fallocate, which may lengthen
// the file: `grown` then says so, for undoing it. Some file systems cannot
// reserve at all (their writes may still fail for want of room).
int reserve(int fd, off_t size, bool& grown) {
    if (size <= 0)
        return 0;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) == 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return errno;
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return errno;
    const int failed = ::posix_fallocate(fd, 0, size);
    if (failed == EOPNOTSUPP || failed == EINVAL || failed == ENODEV)
        return 0;
    grown = grown || (failed == 0 && info.st_size < size);
    return failed;
}

bool writeAllAt(int fd, std::string_view bytes) {
    off_t at = 0;
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), at);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        at += written;
    }
    return true;
}

// The standard streams that are regular files: a save into one of them
// goes on after what the program printed there instead of replacing it.
bool isStandardStream(const struct stat& file) {
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (::fstat(fd, &stream) == 0 && stream.st_dev == file.st_dev &&
            stream.st_ino == file.st_ino)
            return true;
    }
    return false;
}

} // namespace

void allowUnnamedTemporaries(bool allowed) { unnamedTemporariesAllowed = allowed; }

struct StagedFile::State {
    enum class Route { Unnamed, Named, InPlace, Direct };

    Route route = Route::Unnamed;
    std::string target;
    std::string name; // the target's name in its folder
    int folder = -1;
    bool folderSyncable = false;
    int file = -1;         // the new contents, or the target itself in place
    std::string temporary; // a name of the new contents, gone unless renamed
    std::string bytes;     // in place and direct: written only at commit
    off_t oldSize = 0;     // in place: the length to restore when abandoned
    bool grown = false;    // in place: the reservation lengthened the file
    bool finished = false;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() { release(); }

    void release() {
        if (grown && !finished && file >= 0 && ::ftruncate(file, oldSize) != 0) {
            // The old contents are whole; only zeros stay after them.
        }
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

    // Nothing but the reservation may fail before the first byte is
    // written, so that every reported failure leaves the old contents.
    int writeInPlace() {
        while (::flock(file, LOCK_EX) != 0) {
            if (errno != EINTR)
                break; // a file system without locks: the save goes on unlocked
        }
        // Another save into the file may have shortened it meanwhile.
        if (const int failed = reserve(file, static_cast<off_t>(bytes.size()), grown))
            return failed;
        if (!writeAllAt(file, bytes) || ::ftruncate(file, static_cast<off_t>(bytes.size())) != 0 ||
            ::fsync(file) != 0)
            return errno;
        return 0; // the lock goes with the descriptor
    }

    int writeDirect() { return writeAll(file, bytes) ? 0 : errno; }

    int rename() {
        if (route == Route::Unnamed && !linkUnnamed(file, folder, temporary))
            return errno;
        if (::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0)
            return errno;
        temporary.clear();
        // The new contents are the file's from here on, whatever the flush
        // says: reporting a failure now would claim the old file is intact.
        if (folderSyncable && ::fsync(folder) != 0) {
        }
        return 0;
    }

    // The target opened for writing in place; nothing written yet.
    int openInPlace(std::string_view contents, const struct stat& old) {
        route = Route::InPlace;
        file = ::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
        if (file < 0)
            return errno;
        oldSize = old.st_size;
        if (const int failed = reserve(file, static_cast<off_t>(contents.size()), grown))
            return failed;
        bytes.assign(contents);
        return 0;
    }
};

namespace {

// A target that is not a regular file (a device, a pipe, a FIFO) or is a
// standard stream is written as it is; opened through the kernel, which
// follows its links with its own protection (/dev/stdout is a link to a
// link that names no path). Nothing when `path` is none of these.
std::optional<int> openDirect(const std::string& path, int& fd) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt; // what it is, the save finds out on its way
    if (S_ISDIR(info.st_mode) || (S_ISREG(info.st_mode) && !isStandardStream(info)))
        return std::nullopt;
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
    return fd < 0 ? errno : 0;
}

} // namespace

StagedFile::StagedFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
StagedFile::StagedFile(StagedFile&&) noexcept = default;
StagedFile& StagedFile::operator=(StagedFile&&) noexcept = default;
StagedFile::~StagedFile() = default;

std::optional<StagedFile> StagedFile::prepare(const std::string& path, std::string_view bytes,
                                              int* error) {
    int ignored = 0;
    int& failure = error != nullptr ? *error : ignored;
    const auto fail = [&failure](int code) {
        failure = code != 0 ? code : EIO;
        return std::nullopt;
    };
    if (path.empty())
        return fail(ENOENT);
    auto state = std::make_unique<State>();
    if (const auto direct = openDirect(path, state->file)) {
        if (*direct != 0)
            return fail(*direct);
        state->route = State::Route::Direct;
        state->target = path;
        state->bytes.assign(bytes);
        return StagedFile(std::move(state));
    }

    int linkError = 0;
    auto target = resolveLinks(path, linkError);
    if (!target)
        return fail(linkError);
    state->target = std::move(*target);
    const std::string& resolved = state->target;
    const auto slash = resolved.rfind('/');
    const std::string folderPath = folderOf(resolved);
    state->name = slash == std::string::npos ? resolved : resolved.substr(slash + 1);
    if (state->name.empty() || state->name == "." || state->name == "..")
        return fail(EISDIR);

    state->folder = openFolder(folderPath, state->folderSyncable);
    struct stat folderInfo {};
    if (state->folder < 0 || ::fstat(state->folder, &folderInfo) != 0)
        return fail(errno);
    // Before anything may fail here: every save into a folder clears it of
    // the names that killed saves left.
    removeStaleTemporaries(state->folder);

    struct stat old {};
    const bool exists = ::fstatat(state->folder, state->name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT)
        return fail(errno);
    if (exists && S_ISDIR(old.st_mode))
        return fail(EISDIR);
    // What fopen("wb") refuses is refused here too, although a rename could
    // replace a read-only file.
    if (exists && (!S_ISREG(old.st_mode) ||
                   ::faccessat(state->folder, state->name.c_str(), W_OK, AT_EACCESS) != 0))
        return fail(S_ISREG(old.st_mode) ? errno : EINVAL);

    bool inPlace = exists && !replaceableByNewFile(folderInfo, old);
    if (!inPlace) {
        // A temporary replacing an existing file is ours alone until it has
        // that file's mode; a new one gets what fopen gives: 0666 less umask.
        const mode_t mode = exists ? 0600 : 0666;
        int openError = EOPNOTSUPP;
        if (unnamedTemporariesAllowed) {
            state->route = State::Route::Unnamed;
            state->file = openUnnamed(state->folder, mode);
            openError = errno;
        }
        if (state->file < 0 && !refusesNewFiles(openError)) {
            state->route = State::Route::Named;
            state->file = openNamed(state->folder, mode, state->temporary);
            openError = errno;
        }
        if (state->file < 0) {
            // The folder is there: one that takes no new file (/proc) is
            // no missing folder.
            if (!exists || !refusesNewFiles(openError))
                return fail(openError == ENOENT ? EACCES : openError);
            inPlace = true; // a read-only folder holding a writable file
        } else if (exists && !takeOwner(state->file, old)) {
            inPlace = true; // the owner or group could not be kept
        }
        if (inPlace) {
            ::close(state->file);
            state->file = -1;
            if (!state->temporary.empty())
                ::unlinkat(state->folder, state->temporary.c_str(), 0);
            state->temporary.clear();
        }
    }

    if (inPlace) {
        if (const int failed = state->openInPlace(bytes, old))
            return fail(failed);
        return StagedFile(std::move(state));
    }

    // After fchown, which clears the set-id bits.
    if (exists && ::fchmod(state->file, old.st_mode & 07777) != 0)
        return fail(errno);
    if (!writeAll(state->file, bytes) || ::fsync(state->file) != 0)
        return fail(errno);
    return StagedFile(std::move(state));
}

bool StagedFile::commit(int* error) {
    if (!state_ || state_->finished) {
        if (error != nullptr)
            *error = EINVAL;
        return false;
    }
    int failed = 0;
    switch (state_->route) {
    case State::Route::InPlace:
        failed = state_->writeInPlace();
        break;
    case State::Route::Direct:
        failed = state_->writeDirect();
        break;
    default:
        failed = state_->rename();
        break;
    }
    // A failed in-place write past its first byte cannot be undone; one
    // before it leaves the file as it was, lengthened reservation included.
    state_->finished = failed == 0 || state_->route != State::Route::InPlace;
    state_->release();
    state_->finished = true;
    if (failed != 0 && error != nullptr)
        *error = failed;
    return failed == 0;
}

bool StagedFile::inPlace() const {
    return state_->route == State::Route::InPlace || state_->route == State::Route::Direct;
}

const std::string& StagedFile::target() const {
    static const std::string none;
    return state_ ? state_->target : none;
}

bool replaceFileContents(const std::string& path, std::string_view bytes, int* error) {
    auto staged = StagedFile::prepare(path, bytes, error);
    return staged && staged->commit(error);
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

std::string fileErrorText(int error, FileAccess access) {
    switch (error) {
    case ENOSPC:
        return "spazio esaurito sul dispositivo";
    case EDQUOT:
        return "quota del disco superata";
    case EROFS:
        return "file system in sola lettura";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case EISDIR:
        return "\u00e8 una cartella";
    case ENOENT:
        return access == FileAccess::Write ? "la cartella non esiste" : "il file non esiste";
    case ENOTDIR:
        return "una parte del percorso non \u00e8 una cartella";
    case ELOOP:
        return "troppi collegamenti simbolici";
    case ENAMETOOLONG:
        return "nome troppo lungo";
    case EFBIG:
        return "file troppo grande";
    case ETXTBSY:
        return "file in uso";
    case EIO:
        return "errore di lettura o scrittura del dispositivo";
    case EINVAL:
        return "non \u00e8 un file regolare";
    default:
        return "errore " + std::to_string(error) + " del sistema";
    }
}

namespace {

// A path with its folders resolved and its links followed as a save
// follows them; the path itself where that cannot be done.
std::string resolvedPath(const std::string& path) {
    int ignored = 0;
    const std::string target = resolveLinks(path, ignored).value_or(path);
    const auto slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    char* folder = ::realpath(folderOf(target).c_str(), nullptr);
    if (folder == nullptr)
        return target;
    std::string resolved = folder;
    std::free(folder);
    if (name.empty() || name == "." || name == "..")
        return resolved + "/" + name;
    return (resolved == "/" ? "" : resolved) + "/" + name;
}

} // namespace

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return resolvedPath(a) == resolvedPath(b);
}

bool openClosedStandardStreams() {
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number: this one, as the lower ones are open.
        const int fd = ::open("/dev/null", O_RDONLY);
        if (fd < 0)
            return false;
        if (fd != stream) {
            const bool moved = ::dup2(fd, stream) == stream;
            ::close(fd);
            if (!moved)
                return false;
        }
    }
    return true;
}

} // namespace zolt
