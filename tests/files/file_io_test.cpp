#include "files/file_io.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>

#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string NewBytes = "new contents, longer than the old";

bool Save(const std::string& name, const std::string& bytes, bool backup,
          const TFileFaults& faults = {}) {
    return WriteFileReplacing(name, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                              static_cast<std::int64_t>(bytes.size()), backup, faults);
}

bool Write(const std::string& name, bool backup, const TFileFaults& faults = {}) {
    return Save(name, NewBytes, backup, faults);
}

// A save's answer as an exit status: 0 for success, else its errno.
int SaveStatus(const std::string& name, const std::string& bytes, bool backup) {
    if (Save(name, bytes, backup)) {
        return 0;
    }
    return errno != 0 ? errno : 254;
}

struct stat Stat(const std::string& name) {
    struct stat st {};
    ::stat(name.c_str(), &st);
    return st;
}

constexpr uid_t Nobody = 65534;
constexpr int CouldNotDrop = 255;

bool IsRoot() {
    return ::geteuid() == 0;
}

// Runs body as a user without root's bypass of permissions: when the tests run as root, in a
// child process as nobody with the given supplementary groups (reporting body's answer as its
// exit status, since the child must not touch the assertions); otherwise right here.
int Unprivileged(const std::function<int()>& body, const std::vector<gid_t>& groups = {}) {
    if (!IsRoot()) {
        return body();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(Nobody) != 0 ||
            ::setuid(Nobody) != 0) {
            ::_exit(CouldNotDrop);
        }
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// A file or folder that root prepared goes to nobody, who will save it.
void GiveToNobody(const std::string& name) {
    if (IsRoot()) {
        ASSERT_EQ(::chown(name.c_str(), Nobody, Nobody), 0);
    }
}

void SetMode(const std::string& name, mode_t mode) {
    ASSERT_EQ(::chmod(name.c_str(), mode), 0);
}

TEST(FileIo, FailedWriteLeavesEveryOldByteInPlace) {
    struct Case {
        const char* name;
        TFileFaults faults;
    };
    std::vector<Case> cases;
    const auto add = [&cases](const char* name, auto edit) {
        TFileFaults f;
        edit(f);
        cases.push_back({name, f});
    };
    add("disk full after 3 bytes", [](TFileFaults& f) { f.WriteFailAfter = 3; });
    add("disk full at once", [](TFileFaults& f) { f.WriteFailAfter = 0; });
    add("flush to disk fails", [](TFileFaults& f) { f.FailSync = true; });
    add("new file cannot be created", [](TFileFaults& f) { f.FailCreate = true; });
    add("final rename fails", [](TFileFaults& f) { f.FailReplace = true; });
    add("no hard links, final rename fails", [](TFileFaults& f) {
        f.FailLink = true;
        f.FailReplace = true;
    });

    for (const bool unnamed : {true, false}) {
        for (const bool backup : {false, true}) {
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.name) + (backup ? ", backups on" : ", backups off") +
                             (unnamed ? "" : ", no unnamed files"));
                TFileFaults faults = c.faults;
                faults.NoUnnamedFile = !unnamed;
                TTempFolder dir;
                WriteBytes(dir / "report.txt", "old");
                WriteBytes(dir / "report.~tx", "older");
                EXPECT_FALSE(Write(dir / "report.txt", backup, faults));
                EXPECT_EQ(ReadBytes(dir / "report.txt"), "old");
                // Nothing left behind but the file and (when made) its backup.
                const auto names = dir.Names();
                for (const std::string& n : names) {
                    EXPECT_TRUE(n == "report.txt" || n == "report.~tx") << n;
                }
                if (!backup) {
                    EXPECT_EQ(ReadBytes(dir / "report.~tx"), "older");
                }
            }
        }
    }
}

TEST(FileIo, BackupKeepsThePreviousVersion) {
    for (const bool links : {true, false}) {
        SCOPED_TRACE(links ? "hard links" : "rename");
        TTempFolder dir;
        TFileFaults faults;
        faults.FailLink = !links;
        WriteBytes(dir / "report.txt", "first");
        WriteBytes(dir / "report.~tx", "ancient");
        ASSERT_TRUE(Write(dir / "report.txt", true, faults));
        EXPECT_EQ(ReadBytes(dir / "report.txt"), NewBytes);
        EXPECT_EQ(ReadBytes(dir / "report.~tx"), "first");
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"report.txt", "report.~tx"}));
    }
}

TEST(FileIo, NewFileGetsNoBackupAndTheUsualMode) {
    TTempFolder dir;
    ASSERT_TRUE(Write(dir / "fresh.bin", true));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"fresh.bin"});
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(fs::status(dir / "fresh.bin").permissions(), static_cast<fs::perms>(0666 & ~mask));
}

TEST(FileIo, KeepsPermissionBits) {
    TTempFolder dir;
    WriteBytes(dir / "script.sh", "old");
    fs::permissions(dir / "script.sh", static_cast<fs::perms>(0751));
    ASSERT_TRUE(Write(dir / "script.sh", false));
    EXPECT_EQ(fs::status(dir / "script.sh").permissions(), static_cast<fs::perms>(0751));
}

TEST(FileIo, RefusesWhatCannotBeWritten) {
    TTempFolder dir;
    WriteBytes(dir / "readonly.bin", "old");
    fs::permissions(dir / "readonly.bin", static_cast<fs::perms>(0444));
    EXPECT_FALSE(Write(dir / "readonly.bin", true));
    EXPECT_EQ(ReadBytes(dir / "readonly.bin"), "old");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"readonly.bin"});

    EXPECT_FALSE(Write(dir / "missing-folder/x.bin", false));
    fs::create_directory(dir / "folder");
    EXPECT_FALSE(Write(dir / "folder", false));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_FALSE(Write("", false));
}

TEST(FileIo, WritesThroughASymbolicLink) {
    TTempFolder dir;
    WriteBytes(dir / "real.bin", "old");
    fs::create_symlink("real.bin", dir / "link.bin");
    ASSERT_TRUE(Write(dir / "link.bin", true));
    EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
    EXPECT_EQ(ReadBytes(dir / "real.bin"), NewBytes);
    EXPECT_EQ(ReadBytes(dir / "real.~bi"), "old");
}

TEST(FileIo, BackupNameThatIsTheFileItselfIsSkipped) {
    // x.~~~ backs up to x.~~~: deleting "the old backup" would delete the file.
    TTempFolder dir;
    WriteBytes(dir / "x.~~~", "old");
    ASSERT_TRUE(Write(dir / "x.~~~", true));
    EXPECT_EQ(ReadBytes(dir / "x.~~~"), NewBytes);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"x.~~~"});
}

// A pipe or a device under the name would be replaced by a plain file: it is refused and left
// as it is, with nothing made beside it.
void ExpectRefusedAndUntouched(const TTempFolder& dir, const std::string& name) {
    const std::vector<std::string> before = dir.Names();
    struct stat old {};
    ASSERT_EQ(::lstat((dir / name).c_str(), &old), 0);
    EXPECT_FALSE(Write(dir / name, true));
    struct stat now {};
    ASSERT_EQ(::lstat((dir / name).c_str(), &now), 0);
    EXPECT_EQ(now.st_ino, old.st_ino);
    EXPECT_EQ(now.st_mode, old.st_mode);
    EXPECT_EQ(dir.Names(), before);
}

TEST(FileIo, RefusesAPipe) {
    TTempFolder dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink("pipe", dir / "link");
    for (const char* name : {"pipe", "link"}) {
        SCOPED_TRACE(name);
        ExpectRefusedAndUntouched(dir, name);
    }
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
}

TEST(FileIo, RefusesADeviceNode) {
    TTempFolder dir;
    if (::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        ASSERT_EQ(errno, EPERM);
        GTEST_SKIP() << "device nodes cannot be made here";
    }
    ExpectRefusedAndUntouched(dir, "null");
    EXPECT_EQ(Stat(dir / "null").st_rdev, makedev(1, 3));
}

TEST(FileIo, WritesInPlaceWhereTheFolderTakesNoNewFile) {
    const std::pair<std::string, std::string> contents[] = {
        {"old bytes, a good deal longer than the new", "shorter"},
        {"old", NewBytes},
        {"old", ""},
    };
    for (const bool backup : {false, true}) {
        for (const auto& [before, after] : contents) {
            SCOPED_TRACE(before + " -> " + after + (backup ? ", backups on" : ""));
            TTempFolder dir;
            const std::string file = dir / "report.txt";
            WriteBytes(file, before);
            GiveToNobody(file);
            SetMode(file, 0644);
            SetMode(dir.Path, 0555);
            const ino_t inode = Stat(file).st_ino;

            const int status = Unprivileged([&] { return SaveStatus(file, after, backup); });
            if (status == CouldNotDrop) {
                GTEST_SKIP() << "cannot change to an unprivileged user";
            }
            EXPECT_EQ(status, 0) << std::strerror(status);
            EXPECT_EQ(ReadBytes(file), after);
            EXPECT_EQ(Stat(file).st_ino, inode);
            EXPECT_EQ(Stat(file).st_mode & 07777, 0644u);
            EXPECT_EQ(dir.Names(), std::vector<std::string>{"report.txt"});
        }
    }
}

TEST(FileIo, UnprivilegedUserIsRefusedWhatItCannotWrite) {
    struct Case {
        const char* name;
        mode_t folderMode;
        bool fileExists;
    };
    const Case cases[] = {
        {"read-only file in a writable folder", 0755, true},
        {"read-only file in a read-only folder", 0555, true},
        {"new file in a read-only folder", 0555, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder dir;
        const std::string file = dir / "report.txt";
        if (c.fileExists) {
            WriteBytes(file, "old");
            GiveToNobody(file);
            SetMode(file, 0444);
        }
        GiveToNobody(dir.Path);
        SetMode(dir.Path, c.folderMode);
        const std::vector<std::string> before = dir.Names();

        const int status = Unprivileged([&] { return SaveStatus(file, NewBytes, true); });
        if (status == CouldNotDrop) {
            GTEST_SKIP() << "cannot change to an unprivileged user";
        }
        EXPECT_EQ(status, EACCES) << std::strerror(status);
        EXPECT_EQ(dir.Names(), before);
        if (c.fileExists) {
            EXPECT_EQ(ReadBytes(file), "old");
        }
    }
}

TEST(FileIo, HardLinkedFileIsWrittenInPlace) {
    const std::string old = "old bytes, a good deal longer than the new";
    struct Case {
        const char* name;
        bool backup;
        std::string otherName;
        std::string backupAfter; // what report.~tx holds after the save
    };
    const Case cases[] = {
        {"backups off", false, "other.txt", "older"},
        {"backups on", true, "other.txt", old},
        {"the other name is the backup name", true, "report.~tx", NewBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder dir;
        const std::string file = dir / "report.txt";
        WriteBytes(file, old);
        SetMode(file, 0640);
        if (c.otherName != "report.~tx") {
            WriteBytes(dir / "report.~tx", "older");
        }
        fs::create_hard_link(file, dir / c.otherName);
        const ino_t inode = Stat(file).st_ino;

        ASSERT_TRUE(Write(file, c.backup)) << std::strerror(errno);
        EXPECT_EQ(ReadBytes(file), NewBytes);
        EXPECT_EQ(ReadBytes(dir / c.otherName), NewBytes);
        EXPECT_EQ(Stat(file).st_ino, inode);
        EXPECT_EQ(Stat(file).st_nlink, 2u);
        EXPECT_EQ(ReadBytes(dir / "report.~tx"), c.backupAfter);
        if (c.backup) {
            EXPECT_EQ(Stat(dir / "report.~tx").st_mode & 07777, 0640u);
        }
        std::vector<std::string> names = {"report.txt", "report.~tx"};
        if (c.otherName != "report.~tx") {
            names.insert(names.begin(), c.otherName);
        }
        EXPECT_EQ(dir.Names(), names);
    }
}

TEST(FileIo, FailedInPlaceWrite) {
    const std::string old = "old bytes, a good deal longer than the new";
    struct Case {
        const char* name;
        TFileFaults faults;
        int error;
        bool unchanged; // the failure comes before any old byte is overwritten
    };
    std::vector<Case> cases;
    const auto add = [&cases](const char* name, int error, bool unchanged, auto edit) {
        TFileFaults f;
        edit(f);
        cases.push_back({name, f, error, unchanged});
    };
    add("no room to reserve", ENOSPC, true, [](TFileFaults& f) { f.FailReserve = true; });
    add("disk full after 3 bytes", ENOSPC, false, [](TFileFaults& f) { f.WriteFailAfter = 3; });
    add("flush to disk fails", EIO, false, [](TFileFaults& f) { f.FailSync = true; });

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder dir;
        const std::string file = dir / "report.txt";
        WriteBytes(file, old);
        WriteBytes(dir / "report.~tx", "older");
        fs::create_hard_link(file, dir / "other.txt");

        errno = 0;
        EXPECT_FALSE(Write(file, true, c.faults));
        EXPECT_EQ(errno, c.error);
        EXPECT_EQ(Stat(file).st_nlink, 2u);
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"other.txt", "report.txt", "report.~tx"}));
        if (c.unchanged) {
            EXPECT_EQ(ReadBytes(file), old);
            EXPECT_EQ(ReadBytes(dir / "report.~tx"), "older");
        }
    }
}

TEST(FileIo, KeepsTheGroupWhereTheOwnerCannotBeKept) {
    if (!IsRoot()) {
        GTEST_SKIP() << "only root can give the file to another owner";
    }
    constexpr gid_t Share = 4242;
    // 02775: a chown after the chmod would clear the set-group-ID bit.
    for (const mode_t mode : {0664u, 02775u}) {
        SCOPED_TRACE(mode);
        TTempFolder dir;
        const std::string file = dir / "shared.bin";
        WriteBytes(file, "old");
        ASSERT_EQ(::chown(file.c_str(), 0, Share), 0);
        SetMode(file, mode);
        ASSERT_EQ(::chown(dir.Path.c_str(), 0, Share), 0);
        SetMode(dir.Path, 0775);

        const int status = Unprivileged([&] { return SaveStatus(file, NewBytes, false); }, {Share});
        if (status == CouldNotDrop) {
            GTEST_SKIP() << "cannot change to an unprivileged user";
        }
        EXPECT_EQ(status, 0) << std::strerror(status);
        EXPECT_EQ(ReadBytes(file), NewBytes);
        const struct stat st = Stat(file);
        EXPECT_EQ(st.st_uid, Nobody);
        EXPECT_EQ(st.st_gid, Share);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
}

TEST(FileIo, SavesANameNearTheLengthLimit) {
    const std::string stem(246, 'n'); // with ".bin", 250 bytes
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "unnamed new file" : "no unnamed files");
        TTempFolder dir;
        WriteBytes(dir / (stem + ".bin"), "old");
        TFileFaults faults;
        faults.NoUnnamedFile = !unnamed;
        ASSERT_TRUE(Write(dir / (stem + ".bin"), true, faults)) << std::strerror(errno);
        EXPECT_EQ(ReadBytes(dir / (stem + ".bin")), NewBytes);
        EXPECT_EQ(ReadBytes(dir / (stem + ".~bi")), "old");
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{stem + ".bin", stem + ".~bi"}));
    }
}

TEST(FileIo, KilledSaveLeavesOnlyTheOldFile) {
    TTempFolder dir;
    const std::string file = dir / "big.bin";
    WriteBytes(file, "old");
    const std::vector<std::uint8_t> big(16 << 20, 0x5a);

    const pid_t child = ::fork();
    if (child == 0) {
        TFileFaults faults;
        faults.AfterWrite = [](std::int64_t) { ::raise(SIGKILL); };
        WriteFileReplacing(file, big.data(), static_cast<std::int64_t>(big.size()), true, faults);
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"big.bin"});
    EXPECT_EQ(ReadBytes(file), "old");
}

TEST(FileIo, OpenRefusesWhatIsNoDocument) {
    TTempFolder dir;
    WriteBytes(dir / "ok.bin", "abc");
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    { std::ofstream big(dir / "big.bin", std::ios::binary); }
    fs::resize_file(dir / "big.bin", 4097); // sparse: costs no disk

    TFileFaults refuse;
    refuse.OpenForRead = [](const std::string&) { return EACCES; };
    const std::pair<std::string, const TFileFaults*> refused[] = {
        {dir / "missing.bin", nullptr}, {dir / "folder", nullptr}, {dir / "pipe", nullptr},
        {dir / "big.bin", nullptr},     {dir / "ok.bin", &refuse},
    };
    const TFileFaults none;
    for (const auto& [name, faults] : refused) {
        TReadFile f;
        EXPECT_FALSE(f.Open(name, 4096, faults ? *faults : none)) << name;
    }
    TReadFile f;
    ASSERT_TRUE(f.Open(dir / "ok.bin", 4096, none));
    EXPECT_EQ(f.Size(), 3);
    std::uint8_t buf[3];
    EXPECT_TRUE(f.ReadExactly(buf, 3, none));
    EXPECT_EQ(std::memcmp(buf, "abc", 3), 0);
}

TEST(FileIo, ReadFailsOnErrorAndOnAShortFile) {
    TTempFolder dir;
    WriteBytes(dir / "ok.bin", "abcdef");
    TFileFaults faults;
    faults.ReadFailAfter = 2;
    std::uint8_t buf[16];
    {
        TReadFile f;
        ASSERT_TRUE(f.Open(dir / "ok.bin", 100, {}));
        EXPECT_FALSE(f.ReadExactly(buf, 6, faults));
    }
    TReadFile f;
    ASSERT_TRUE(f.Open(dir / "ok.bin", 100, {}));
    EXPECT_FALSE(f.ReadExactly(buf, 7, {})); // the file ends before
}

} // namespace
