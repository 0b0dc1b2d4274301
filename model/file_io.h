// Whole-file reads and the one save routine of every file the programs
// write (data file, report, exported tables and documents).
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zolt {

// A save made in two steps, so that a program writing several files can
// prepare all of them, and write none when any cannot be prepared.
//
// prepare() does everything that may fail on the way. It follows the
// symbolic links of the path as the kernel does with fs.protected_symlinks
// on: in a sticky folder that everybody may write (/tmp), only a link of
// our own or of the folder's owner (a dangling link names the file to
// create). Then one of three routes:
// - replaced (a new file or an existing one that a new file can replace
//   with its owner, group and mode kept): the new contents go to an
//   unnamed temporary file in the target's folder (O_TMPFILE; a named
//   ".zolt-<pid>-XXXXXX" where the file system has none) and are flushed;
// - in place (the file has other hard links, its folder is read-only, it
//   is another user's in a sticky folder, or a new file could not keep its
//   owner or group): the file is opened for writing and the room for the
//   new contents is reserved (fallocate), nothing written yet;
// - direct (the target is not a regular file, e.g. /dev/null, a pipe or a
//   FIFO, or it is one of the standard streams): it is opened for writing.
//
// commit() makes the new contents the file's.
// - Replaced: the temporary is renamed over the target, so the target is
//   always either the old contents or the new, whole. A kill while the
//   temporary has a name (from the link of an unnamed one, or from the
//   start of a named one, to the rename) leaves that ".zolt-<pid>-*" name
//   beside the target; every save into that folder, on any route and
//   whatever its outcome, removes such names once their process is gone.
// - In place: under an advisory lock (flock) on the file, so that two saves
//   into it follow each other, the reservation is checked again, the new
//   bytes are written over the old from offset 0, the file is cut to their
//   length and flushed. Every failure reported before the writing begins
//   (no room, no permission) leaves the old contents; only a kill during
//   the writing itself can leave the file part old, part new (and, where
//   the file system cannot reserve room, a disk filling up meanwhile).
// - Direct: the bytes are written to the end of what the target holds.
// An existing file keeps its mode, owner and group. Destroying a prepared
// save that was not committed leaves the target as it was and nothing
// behind in the folder.
//
// Where a call fails and `error` is given, it receives the errno value
// that says why (fileErrorText gives it in words).
class StagedFile {
public:
    // Nothing, with the target untouched, when the save cannot be made.
    static std::optional<StagedFile> prepare(const std::string& path, std::string_view bytes,
                                             int* error = nullptr);

    StagedFile(StagedFile&&) noexcept;
    StagedFile& operator=(StagedFile&&) noexcept;
    ~StagedFile();

    // False when the contents could not be made the file's; a replaced
    // target is then as it was.
    bool commit(int* error = nullptr);

    // True when commit() writes into the file itself rather than replacing
    // it (in place or direct): the save that may still fail at commit, so
    // the one to commit first.
    bool inPlace() const;

    // The file that commit() writes: the target with its links resolved.
    const std::string& target() const;

    struct State;

private:
    explicit StagedFile(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// prepare() and commit() in one: the save routine for a single file.
// False on any failure, with the old file untouched unless it is written
// in place.
bool replaceFileContents(const std::string& path, std::string_view bytes, int* error = nullptr);

// Why a file could not be read or written, in Italian ("spazio esaurito sul
// dispositivo", "permesso negato", ...), from the errno value of a failure.
// ENOENT reads "la cartella non esiste" for a save, which creates the file.
enum class FileAccess { Read, Write };
std::string fileErrorText(int error, FileAccess access);

// True when `a` and `b` name one file: the same device and inode, or the
// same path once links and folders are resolved (a file still to create).
bool sameFile(const std::string& a, const std::string& b);

// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed,
// read-only, so that no file opened later takes a standard stream's number
// and writing to a closed standard output still fails. False when
// /dev/null cannot be opened.
bool openClosedStandardStreams();

// Up to `maxBytes` bytes from the start of the file at `path`; nothing when
// it cannot be opened or read.
std::optional<std::string> readFilePrefix(const std::string& path, std::size_t maxBytes);

} // namespace zolt
