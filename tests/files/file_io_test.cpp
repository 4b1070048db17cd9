#include "files/file_io.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string NewBytes = "new contents, longer than the old";

bool Write(const std::string& name, bool backup, const TFileFaults& faults = {}) {
    return WriteFileReplacing(name, reinterpret_cast<const std::uint8_t*>(NewBytes.data()),
                              static_cast<std::int64_t>(NewBytes.size()), backup, faults);
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

    for (const bool backup : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (backup ? ", backups on" : ", backups off"));
            TTempFolder dir;
            WriteBytes(dir / "report.txt", "old");
            WriteBytes(dir / "report.~tx", "older");
            EXPECT_FALSE(Write(dir / "report.txt", backup, c.faults));
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
