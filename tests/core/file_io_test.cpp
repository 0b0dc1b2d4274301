// The save routine on a real file system: what a save leaves in the folder,
// symbolic links, mode and owner, files that can only be written in place,
// and what is flushed when.
#include "model/file_io.h"
#include "model/file_io_testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Every fsync of this program passes through here, so that a test can see
// what the save routine flushes, and whether the target name already held
// the new file at that moment.
struct Flush {
    bool folder = false;
    ino_t inode = 0;
    ino_t targetInode = 0;
};
std::vector<Flush>* recordedFlushes = nullptr;
std::string flushWatchedPath;

// What the watched file holds at each ftruncate of this program.
std::vector<std::string>* seenAtTruncate = nullptr;
std::string truncateWatchedPath;

} // namespace

extern "C" int fsync(int fd) {
    if (recordedFlushes != nullptr) {
        struct stat info {};
        struct stat target {};
        ::fstat(fd, &info);
        const bool hasTarget = ::stat(flushWatchedPath.c_str(), &target) == 0;
        recordedFlushes->push_back({S_ISDIR(info.st_mode), info.st_ino, hasTarget ? target.st_ino : 0});
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int ftruncate(int fd, off_t length) {
    if (seenAtTruncate != nullptr) {
        std::ifstream in(truncateWatchedPath, std::ios::binary);
        seenAtTruncate->emplace_back(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
    }
    return static_cast<int>(::syscall(SYS_ftruncate, fd, length));
}

namespace zolt {
namespace {

namespace fs = std::filesystem;

const std::string kNew = "new contents";
const std::string kOld = "old contents, longer than the new ones";
constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

class Folder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(test.begin(), test.end(), '/', '-'); // parameterised names hold one
        dir_ = fs::temp_directory_path() / ("zolt-file-io-" + std::to_string(::getpid()) + "-" + test);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        // A save that wrongly resolves names against the current folder
        // then writes here, where the test sees it, and not into the tree.
        previous_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        ::chmod(dir_.c_str(), 0755);
        fs::remove_all(dir_);
    }

    // An empty test folder, also between the cases of one test.
    void reset() const {
        for (const auto& entry : fs::directory_iterator(dir_))
            fs::remove_all(entry.path());
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string slurp(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void spit(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static ino_t inode(const std::string& file) {
        struct stat info {};
        return ::stat(file.c_str(), &info) == 0 ? info.st_ino : 0;
    }

    // Every name below the test folder, links not followed.
    std::set<std::string> names() const {
        std::set<std::string> all;
        std::function<void(const fs::path&)> list = [&](const fs::path& folder) {
            for (const auto& entry : fs::directory_iterator(folder)) {
                all.insert(entry.path().lexically_relative(dir_).string());
                if (entry.symlink_status().type() == fs::file_type::directory)
                    list(entry.path());
            }
        };
        list(dir_);
        return all;
    }
    std::set<std::string> temporaries() const {
        std::set<std::string> found;
        for (const auto& name : names())
            if (fs::path(name).filename().string().rfind(".zolt-", 0) == 0)
                found.insert(name);
        return found;
    }

    fs::path dir_, previous_;
};

// Each behaviour holds on both routes of a save: through an unnamed
// temporary file, and through the named one of file systems without it.
class Save : public Folder, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        Folder::SetUp();
        allowUnnamedTemporaries(GetParam());
    }
    void TearDown() override {
        allowUnnamedTemporaries(true);
        Folder::TearDown();
    }

    // How many temporary names a pending save shows in its folder.
    std::size_t pendingNames() const {
        if (!GetParam())
            return 1;
        const int probe = ::open(dir_.c_str(), O_TMPFILE | O_WRONLY, 0600);
        if (probe < 0)
            return 1; // this file system has no unnamed files
        ::close(probe);
        return 0;
    }
};

INSTANTIATE_TEST_SUITE_P(Temporaries, Save, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

TEST_P(Save, ReplacesTheWholeFileAndLeavesOnlyIt) {
    const struct {
        const char* what;
        std::optional<std::string> old;
    } cases[] = {
        {"new file", std::nullopt},
        {"longer old file", kOld},
        {"shorter old file", "ab"},
        {"empty old file", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const std::string file = path("p.dat");
        if (c.old)
            spit(file, *c.old);

        auto staged = StagedFile::prepare(file, kNew);
        ASSERT_TRUE(staged);
        // Until the commit, the target is the old file, or none.
        EXPECT_EQ(fs::exists(file), c.old.has_value());
        if (c.old) {
            EXPECT_EQ(slurp(file), *c.old);
        }
        EXPECT_EQ(temporaries().size(), pendingNames());

        // A save handed on (as into a list of saves) stays one save.
        StagedFile moved = std::move(*staged);
        staged.reset();
        EXPECT_TRUE(moved.commit());
        EXPECT_FALSE(moved.commit());
        EXPECT_EQ(slurp(file), kNew);
        EXPECT_EQ(names(), std::set<std::string>{"p.dat"});
    }
}

TEST_P(Save, ASaveDestroyedWithoutCommitChangesNothing) {
    const struct {
        const char* what;
        bool exists;
        bool hardLinked;
    } cases[] = {
        {"new file", false, false},
        {"existing file", true, false},
        {"file with a second name, written in place", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const std::string file = path("p.dat");
        if (c.exists)
            spit(file, kOld);
        if (c.hardLinked)
            fs::create_hard_link(file, path("other.dat"));
        const auto before = names();
        {
            auto staged = StagedFile::prepare(file, kNew);
            ASSERT_TRUE(staged);
        }
        EXPECT_EQ(names(), before);
        if (c.exists) {
            EXPECT_EQ(slurp(file), kOld);
        }
    }
}

TEST_P(Save, WritesTheFileALinkNamesAndKeepsTheLink) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links; // name, contents
        std::string saved;
        std::string written;
    } cases[] = {
        {"link beside its file", {{"link.dat", "real.dat"}}, "link.dat", "real.dat"},
        {"absolute link", {{"abs.dat", "ABS/real.dat"}}, "abs.dat", "real.dat"},
        {"relative links across folders",
         {{"a.dat", "sub/b.dat"}, {"sub/b.dat", "../real.dat"}},
         "a.dat",
         "real.dat"},
        {"dangling link creates the file it names", {{"new.dat", "made.dat"}}, "new.dat", "made.dat"},
        {"dangling link read from its own folder",
         {{"sub/n.dat", "made.dat"}},
         "sub/n.dat",
         "sub/made.dat"},
        {"chain ending in a dangling link",
         {{"c1.dat", "sub/c2.dat"}, {"sub/c2.dat", "c3.dat"}},
         "c1.dat",
         "sub/c3.dat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        fs::create_directory(dir_ / "sub");
        spit(path("real.dat"), kOld);
        for (const auto& [name, to] : c.links)
            fs::create_symlink(to.rfind("ABS/", 0) == 0 ? path(to.substr(4)) : to, dir_ / name);
        const auto before = names();

        auto staged = StagedFile::prepare(path(c.saved), kNew);
        ASSERT_TRUE(staged);
        ASSERT_TRUE(staged->commit());
        EXPECT_EQ(slurp(path(c.written)), kNew);
        EXPECT_TRUE(fs::equivalent(staged->target(), path(c.written))) << staged->target();
        for (const auto& [name, to] : c.links) {
            EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_ / name))) << name;
        }
        auto expected = before;
        expected.insert(c.written);
        EXPECT_EQ(names(), expected);
    }
}

TEST_P(Save, KeepsTheModeOfAnExistingFile) {
    for (const mode_t mode : {0600, 0640, 0604, 0755}) {
        SCOPED_TRACE(mode);
        reset();
        const std::string file = path("p.dat");
        spit(file, kOld);
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        ASSERT_TRUE(replaceFileContents(file, kNew));
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        EXPECT_EQ(slurp(file), kNew);
    }
}

TEST_P(Save, ANewFileGetsTheModeFopenGives) {
    const mode_t previous = ::umask(0);
    for (const auto& [mask, mode] : {std::pair<mode_t, mode_t>{022, 0644}, {077, 0600}, {002, 0664}}) {
        SCOPED_TRACE(mask);
        reset();
        ::umask(mask);
        const std::string file = path("p.dat");
        const bool saved = replaceFileContents(file, kNew);
        ::umask(0);
        ASSERT_TRUE(saved);
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
    ::umask(previous);
}

TEST_P(Save, KeepsTheOwnerAndGroupWherePermitted) {
    const std::string file = path("p.dat");
    spit(file, kOld);
    uid_t owner = ::geteuid();
    gid_t group = 100;
    if (::chown(file.c_str(), kNobody, group) == 0) {
        owner = kNobody;
    } else {
        // Unprivileged: only a group of our own that is not our primary one.
        std::vector<gid_t> groups(static_cast<std::size_t>(::getgroups(0, nullptr)) + 1);
        groups.resize(static_cast<std::size_t>(::getgroups(static_cast<int>(groups.size()), groups.data())));
        std::erase(groups, ::getegid());
        if (groups.empty() || ::chown(file.c_str(), static_cast<uid_t>(-1), groups.front()) != 0)
            GTEST_SKIP() << "no other owner or group may be given to a file here";
        group = groups.front();
    }
    ASSERT_TRUE(replaceFileContents(file, kNew));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(slurp(file), kNew);
}

TEST_P(Save, AFailedSaveLeavesTheOldFileAndNothingBehind) {
    spit(path("keep.dat"), kOld);
    fs::create_directory(dir_ / "folder");
    fs::create_symlink("loop-b.dat", dir_ / "loop-a.dat");
    fs::create_symlink("loop-a.dat", dir_ / "loop-b.dat");
    fs::create_symlink("folder", dir_ / "to-folder.dat");
    fs::create_symlink("missing/p.dat", dir_ / "nowhere.dat");
    const auto before = names();
    for (const std::string name :
         {"missing/p.dat", "folder", "folder/", "keep.dat/", "loop-a.dat", "to-folder.dat", "nowhere.dat"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(StagedFile::prepare(path(name), kNew));
        EXPECT_FALSE(replaceFileContents(path(name), kNew));
    }
    EXPECT_FALSE(replaceFileContents("", kNew));
    EXPECT_EQ(names(), before);
    EXPECT_EQ(slurp(path("keep.dat")), kOld);
}

TEST_P(Save, ACommitThatFailsLeavesNothingBehind) {
    for (const bool exists : {false, true}) {
        SCOPED_TRACE(exists ? "existing file" : "new file");
        reset();
        const std::string file = path("p.dat");
        if (exists)
            spit(file, kOld);
        auto staged = StagedFile::prepare(file, kNew);
        ASSERT_TRUE(staged);
        // A folder takes the file's place before the commit: the rename fails.
        fs::remove(file);
        fs::create_directories(dir_ / "p.dat" / "inside");
        EXPECT_FALSE(staged->commit());
        EXPECT_EQ(names(), (std::set<std::string>{"p.dat", "p.dat/inside"}));
    }
}

TEST_P(Save, RemovesTheTemporariesOfSavesThatDied) {
    const pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ASSERT_GT(dead, 0);
    ::waitpid(dead, nullptr, 0);

    // Every save into the folder clears it, whatever its route or outcome.
    const struct {
        const char* what;
        std::function<void(const std::string&)> make; // the target
        bool saved;
    } routes[] = {
        {"replaced", [](const std::string& file) { spit(file, kOld); }, true},
        {"in place",
         [this](const std::string& file) {
             spit(file, kOld);
             fs::create_hard_link(file, path("other.dat"));
         },
         true},
        {"refused", [](const std::string& file) { fs::create_directory(file); }, false},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.what);
        reset();
        const std::string left = ".zolt-" + std::to_string(dead) + "-AbC123";
        std::set<std::string> kept = {
            ".zolt-1-AbC123",                                  // its process still runs
            ".zolt-" + std::to_string(::getpid()) + "-AbC123", // a save of ours under way
            ".zolt-" + std::to_string(dead) + "-AbC1234",      // not a name a save makes
            ".zolt-notes",
        };
        spit(path(left), "remains");
        for (const auto& name : kept)
            spit(path(name), "kept");
        route.make(path("p.dat"));
        EXPECT_EQ(replaceFileContents(path("p.dat"), kNew), route.saved);
        for (const auto& name : names())
            if (name.rfind(".zolt-", 0) != 0)
                kept.insert(name);
        EXPECT_EQ(names(), kept);
    }
}

TEST_P(Save, FlushesTheFileThenTheFolderAfterTheRename) {
    const std::string file = path("p.dat");
    spit(file, kOld);
    const ino_t oldInode = inode(file);
    std::vector<Flush> flushes;
    flushWatchedPath = file;
    recordedFlushes = &flushes;
    const bool saved = replaceFileContents(file, kNew);
    recordedFlushes = nullptr;
    ASSERT_TRUE(saved);
    const ino_t newInode = inode(file);
    ASSERT_NE(newInode, oldInode);

    std::optional<std::size_t> fileFlush, folderFlush;
    for (std::size_t i = 0; i < flushes.size(); ++i) {
        if (!flushes[i].folder && flushes[i].inode == newInode && flushes[i].targetInode == oldInode)
            fileFlush = fileFlush.value_or(i);
        if (flushes[i].folder && flushes[i].inode == inode(dir_.string()) &&
            flushes[i].targetInode == newInode)
            folderFlush = i;
    }
    ASSERT_TRUE(fileFlush) << "the new contents are not flushed before the rename";
    ASSERT_TRUE(folderFlush) << "the folder is not flushed after the rename";
    EXPECT_LT(*fileFlush, *folderFlush);
}

TEST_F(Folder, AFileWithOtherNamesIsWrittenInPlace) {
    const std::string file = path("p.dat");
    spit(file, kOld);
    fs::create_hard_link(file, path("other.dat"));
    const ino_t before = inode(file);
    ASSERT_TRUE(replaceFileContents(file, kNew));
    EXPECT_EQ(inode(file), before);
    EXPECT_EQ(slurp(file), kNew);
    EXPECT_EQ(slurp(path("other.dat")), kNew);
    EXPECT_EQ(names(), (std::set<std::string>{"other.dat", "p.dat"}));
}

// Runs `save` in a child process without privileges (as nobody when we
// are root, whom no permission bit stops); its exit status: 0 saved,
// 1 refused, 77 the privileges could not be dropped.
int unprivileged(const std::function<bool()>& save) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0))
            ::_exit(77);
        ::_exit(save() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST_F(Folder, AFileThatCannotBeReplacedAsItWasIsWrittenInPlace) {
    const bool root = ::geteuid() == 0;
    // The saver is nobody when we are root; "others" are root.
    enum Owner { Ours, OursInAGroupNotOurs, Others };
    const struct {
        const char* what;
        mode_t folderMode;
        bool exists;
        mode_t fileMode;
        Owner owner;
        bool othersFolder;
        bool saved;
    } cases[] = {
        {"read-only folder, writable file", 0555, true, 0644, Ours, false, true},
        {"read-only folder, new file", 0555, false, 0, Ours, false, false},
        {"read-only folder, read-only file", 0555, true, 0444, Ours, false, false},
        {"writable folder, read-only file", 0755, true, 0444, Ours, false, false},
        {"sticky folder, another user's writable file", 01777, true, 0666, Others, true, true},
        // A new file could not be given back to its owner or group.
        {"writable folder, another user's writable file", 0777, true, 0666, Others, true, true},
        {"our file in a group we are not in", 0755, true, 0664, OursInAGroupNotOurs, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.owner != Ours && !root)
            continue; // only root can hand a file to another user or group
        reset();
        const fs::path folder = dir_ / "f";
        fs::create_directory(folder);
        const std::string file = (folder / "p.dat").string();
        if (c.exists) {
            spit(file, kOld);
            ASSERT_EQ(::chmod(file.c_str(), c.fileMode), 0);
        }
        if (root) {
            ASSERT_EQ(::chown(folder.c_str(), c.othersFolder ? 0 : kNobody,
                              c.othersFolder ? 0 : kNogroup),
                      0);
            if (c.exists && c.owner != Others) {
                ASSERT_EQ(::chown(file.c_str(), kNobody, c.owner == Ours ? kNogroup : 0), 0);
            }
        }
        ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
        const ino_t before = inode(file);
        struct stat old {};
        ::stat(file.c_str(), &old);

        const int status = unprivileged([&] { return replaceFileContents(file, kNew); });
        if (status == 77)
            GTEST_SKIP() << "cannot drop root privileges here";
        EXPECT_EQ(status, c.saved ? 0 : 1);
        EXPECT_EQ(inode(file), before);
        if (c.exists) {
            EXPECT_EQ(slurp(file), c.saved ? kNew : kOld);
            struct stat now {};
            ::stat(file.c_str(), &now);
            EXPECT_EQ(now.st_uid, old.st_uid);
            EXPECT_EQ(now.st_gid, old.st_gid);
        }
        EXPECT_EQ(names(), (c.exists ? std::set<std::string>{"f", "f/p.dat"} : std::set<std::string>{"f"}));
        ::chmod(folder.c_str(), 0755);
    }
}

// Two saves into one file written in place follow each other: a save
// waits while another holds the file's lock, and writes nothing meanwhile.
TEST_F(Folder, ASaveInPlaceWaitsForTheFilesLock) {
    const std::string file = path("p.dat");
    spit(file, kOld);
    fs::create_hard_link(file, path("other.dat"));
    const int holder = ::open(file.c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    std::atomic<bool> done{false};
    bool saved = false;
    std::thread saver([&] {
        saved = replaceFileContents(file, kNew);
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(done);
    EXPECT_EQ(slurp(file), kOld);
    ::flock(holder, LOCK_UN);
    saver.join();
    ::close(holder);
    EXPECT_TRUE(saved);
    EXPECT_EQ(slurp(file), kNew);
}

// Written in place, the new bytes go over the old ones before the file is
// cut to their length: a reader never finds it empty, and a reservation
// that fails leaves the old contents whole.
TEST_F(Folder, AFileWrittenInPlaceIsNeverEmptied) {
    for (const std::string& old : {kOld, std::string("ab")}) {
        SCOPED_TRACE(old);
        reset();
        const std::string file = path("p.dat");
        spit(file, old);
        fs::create_hard_link(file, path("other.dat"));
        std::vector<std::string> seen;
        truncateWatchedPath = file;
        seenAtTruncate = &seen;
        const bool saved = replaceFileContents(file, kNew);
        seenAtTruncate = nullptr;
        ASSERT_TRUE(saved);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].substr(0, kNew.size()), kNew);
        EXPECT_EQ(slurp(file), kNew);
    }
}

TEST_F(Folder, ATargetThatIsNoRegularFileIsWrittenAsItIs) {
    EXPECT_TRUE(replaceFileContents("/dev/null", kNew));
    const std::string fifo = path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = slurp(fifo); });
    const bool saved = replaceFileContents(fifo, kNew);
    if (!saved)
        ::close(::open(fifo.c_str(), O_WRONLY)); // lets the reader go
    reader.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(received, kNew);
    EXPECT_EQ(names(), std::set<std::string>{"fifo"});
}

} // namespace
} // namespace zolt
