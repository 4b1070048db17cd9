#include "files/file_names.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, BackupName) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Data\\image.bin", "C:\\Data\\image.~bi"},
        {"C:\\Data\\README", "C:\\Data\\README.~"},
        {"archive.tar.gz", "archive.tar.~gz"},
        {"C:\\Version 1.2\\notes", "C:\\Version 1.2\\notes.~"},
        {"/data/image.bin", "/data/image.~bi"},
        {"/data/README", "/data/README.~"},
        {"/home/u/archive.tar.gz", "/home/u/archive.tar.~gz"},
        {"/home/u/Version 1.2/notes", "/home/u/Version 1.2/notes.~"},
        {"/srv/v1.2/sub/x.c", "/srv/v1.2/sub/x.~c"},
        {"page.html", "page.~ht"},
        {"report.txt", "report.~tx"},
        {"trailing.", "trailing.~"},
        {"/home/u/.profile", "/home/u/.~pr"},
        {"x.~tx", "x.~~t"},
        {"", ".~"},
    };
    for (const auto& [name, backup] : cases) {
        EXPECT_EQ(BackupName(name), backup) << name;
    }
}

TEST(FileNames, FolderOfFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/a.bin", "/home/u"}, {"/a.bin", "/"}, {"/home/u//a.bin", "/home/u"}, {"a.bin", ""},
        {"sub/a.bin", "sub"},         {"", ""},
    };
    for (const auto& [name, folder] : cases) {
        EXPECT_EQ(FolderOfFile(name), folder) << name;
    }
}

} // namespace
