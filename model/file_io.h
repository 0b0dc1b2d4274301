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
// prepare() does everything that may fail on the way: it resolves a
// symbolic link to the file it names (a dangling link names the file to
// create), writes the new contents to an unnamed temporary file in the
// target's folder (O_TMPFILE; a named temporary where the file system has
// none, removed again on every path out) and flushes them to disk.
// A target that cannot be replaced by a new file (its folder is read-only,
// or it has more than one hard link) is only opened for writing here and
// written in place, as fopen("wb") would, at commit().
//
// commit() makes the new contents the file's. Replaced by a new file, the
// target is always either the old contents or the new, never a mix; written
// in place, a failure on the way can leave it short, as with fopen("wb").
// An existing file keeps its
// mode, and its owner and group where the process may set them; the folder
// is flushed after the rename. Destroying a prepared save that was not
// committed leaves the target as it was and nothing behind in the folder.
class StagedFile {
public:
    // Nothing, with the target untouched, when the save cannot be made.
    static std::optional<StagedFile> prepare(const std::string& path, std::string_view bytes);

    StagedFile(StagedFile&&) noexcept;
    StagedFile& operator=(StagedFile&&) noexcept;
    ~StagedFile();

    // False when the contents could not be made the file's; a replaced
    // target is then as it was.
    bool commit();

    // True when commit() writes into the file itself rather than replacing
    // it: the save that may still fail at commit, so the one to commit first.
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
bool replaceFileContents(const std::string& path, std::string_view bytes);

// Up to `maxBytes` bytes from the start of the file at `path`; nothing when
// it cannot be opened or read.
std::optional<std::string> readFilePrefix(const std::string& path, std::size_t maxBytes);

} // namespace zolt
